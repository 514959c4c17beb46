// The settings file's line model: what earlier versions (through QSettings) wrote reads back the
// same, names match in any case, and a write touches only the lines of the keys it writes.
#include "settings/ini_document.h"

#include <gtest/gtest.h>

#include "settings/ini_text.h"

namespace rumo {
namespace {

bool sameText(std::string_view stored, std::string_view text) {
    return stored == text;
}

std::string written(const std::string& file, const std::vector<SettingWrite>& writes) {
    return IniDocument(file).withValues(writes, sameText);
}

TEST(IniDocument, ReadsWhatQSettingsWrote) {
    const IniDocument file(
        "[Config]\n"
        "Where=\"\\x4f1a\\x8b70\\x5ba4, 3F\"\n"
        "Name=\" padded \"\n"
        "Memo1=line\\nbreak \\\"quoted\\\" back\\\\slash\n"
        "Memo2=@@at\n"
        "Memo3=\\0\\x31\n"
        "Minf1\\Memo1x=-40\n"
        "Gazo\\Gazo7=/home/a b/\xE5\x86\x99.jpg\n"
        "\n"
        "[Other%20Group]\n"
        "Key=1\n");
    EXPECT_EQ(file.find(settings::Where.key()), "会議室, 3F");
    EXPECT_EQ(file.find(settings::Name.key()), " padded ");
    EXPECT_EQ(file.find(settings::Memo(1).key()), "line\nbreak \"quoted\" back\\slash");
    EXPECT_EQ(file.find(settings::Memo(2).key()), "@at");
    EXPECT_EQ(file.find(settings::Memo(3).key()), std::string("\0"
                                                              "1",
                                                              2));
    EXPECT_EQ(file.find(settings::MemoX(1).key()), "-40");
    EXPECT_EQ(file.find(settings::Gazo(7).key()), "/home/a b/写.jpg");
    EXPECT_EQ(file.find({"Other Group", "Key"}), "1");
    EXPECT_EQ(file.find(settings::Memo(4).key()), std::nullopt);
    EXPECT_EQ(file.find({"Config/Minf2", "Memo1x"}), std::nullopt);
}

TEST(IniDocument, ValuesWeWriteReadBackUnchanged) {
    for (const std::string& value : std::vector<std::string>{
             "", "plain", " lead", "trail ", "a,b;c=d", "quote\"back\\slash", "@at", "tab\there",
             std::string("\x01"
                         "9\0"
                         "a",
                         4),
             "改行\r\nあり", "\xFF\xFE raw"}) {
        const std::string line = escapeIniValue(value);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << value;
        EXPECT_EQ(unescapeIniValue(line), value) << line;
    }
}

TEST(IniDocument, NamesMatchInAnyCaseAndAreWrittenAsTheTableSpellsThem) {
    const std::string file = "[config]\nwhere=upper\nplace1=lower\nPLACE2=upper\nMINF1\\MEMO1X=7\n";
    const IniDocument document(file);
    EXPECT_EQ(document.find(settings::Where.key()), "upper");
    EXPECT_EQ(document.find(settings::Place(2).key()), "upper");
    EXPECT_EQ(document.find(settings::MemoX(1).key()), "7");
    EXPECT_EQ(written(file, {{settings::Where.key(), "new"}, {settings::MemoX(1).key(), "8"}}),
              "[config]\nWhere=new\nplace1=lower\nPLACE2=upper\nMinf1\\Memo1x=8\n");
}

TEST(IniDocument, AWriteLeavesEveryOtherByteAsItWas) {
    const std::string file =
        "\xEF\xBB\xBF; a comment\r\n"
        "[Config]\r\n"
        "Name=\x8E\x52\x93\x63\r\n"  // Shift-JIS
        "Place1=\xE4\xBC\r\n"        // a cut UTF-8 sequence
        "Memo1=\"unbalanced\r\n"
        "Unknown = odd \"quoting\"  \r\n"
        "Screen=2\r\n"
        "\r\n"
        "[Config\\Minf2]\r\n"
        "Memo2y=5";
    EXPECT_EQ(IniDocument(file).find(settings::Memo(1).key()), "unbalanced");
    EXPECT_EQ(IniDocument(file).find(settings::Screen.key()), "2");
    EXPECT_EQ(written(file, {{settings::Screen.key(), "3"},
                             {settings::Endflg.key(), "0"},
                             {settings::MemoY(2).key(), "6"},
                             {settings::Path.key(), "/home/u"}}),
              "\xEF\xBB\xBF; a comment\r\n"
              "[Config]\r\n"
              "Name=\x8E\x52\x93\x63\r\n"
              "Place1=\xE4\xBC\r\n"
              "Memo1=\"unbalanced\r\n"
              "Unknown = odd \"quoting\"  \r\n"
              "Screen=3\r\n"
              "Endflg=0\r\n"
              "Path=/home/u\r\n"
              "\r\n"
              "[Config\\Minf2]\r\n"
              "Memo2y=6");
    // A value that already shows as the text written keeps its line, quoting and all.
    EXPECT_EQ(written(file, {{SettingKey{"Config", "Unknown"}, "odd quoting"}}), file);
}

TEST(IniDocument, MissingSectionsAreAddedAtTheEndInTodaysLayout) {
    EXPECT_EQ(written("", {{settings::Where.key(), "a"}, {settings::MSize(3).key(), "120"}}),
              "[Config]\nWhere=a\nMinf3\\MSize3=120\n");
    EXPECT_EQ(
        written("[Other]\nx=1", {{settings::Gazo(2).key(), "p"}, {settings::Gazo(2).key(), "q"}}),
        "[Other]\nx=1\n\n[Config]\nGazo\\Gazo2=q\n");
    // The last of a key standing twice counts, and only its line changes.
    const std::string twice = "[Config]\nEsc=1\nesc=0\n";
    EXPECT_EQ(IniDocument(twice).find(settings::Esc.key()), "0");
    EXPECT_EQ(written(twice, {{settings::Esc.key(), "1"}}), "[Config]\nEsc=1\nEsc=1\n");
}

TEST(IniDocument, HandEditedLinesReadAsQSettingsReadsThemWithoutReachingIntoTheNextLine) {
    const IniDocument file(
        "[Config]\n"
        "Name=Taro ; the comment\n"
        "Where=\"a;b\" ;c\n"
        "Place1=\\\xE5\xA4\xA7\\\xE9\x98\xAA\n"  // a backslash before each of 大阪
        "Memo1=\"unbalanced ; kept\n"
        "Memo2=trailing\\\n"
        "Memo3=next\n");
    EXPECT_EQ(file.find(settings::Name.key()), "Taro");
    EXPECT_EQ(file.find(settings::Where.key()), "a;b");
    EXPECT_EQ(file.find(settings::Place(1).key()), "大阪");
    EXPECT_EQ(file.find(settings::Memo(1).key()), "unbalanced ; kept");
    EXPECT_EQ(file.find(settings::Memo(2).key()), "trailing");
    EXPECT_EQ(file.find(settings::Memo(3).key()), "next");
}

TEST(IniDocument, AFileWithoutAFinalLineBreakGetsOneBeforeTheFirstAddedKeyOnly) {
    EXPECT_EQ(
        written("[Config]\nEsc=1", {{settings::Where.key(), "a"}, {settings::Name.key(), "b"}}),
        "[Config]\nEsc=1\nWhere=a\nName=b\n");
}

}  // namespace
}  // namespace rumo
