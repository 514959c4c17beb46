#include "app/long_options.h"

#include <gtest/gtest.h>

namespace rumo {
namespace {

struct Row {
    QStringList arguments;
    RunMode mode;
    bool error = false;
    bool help = false;
    bool version = false;
    std::optional<QString> where;
    std::optional<bool> autostart;
    bool askWhere = false;
};

// Every old one-letter form still selects what it selected; the long options come beside them.
TEST(LongOptions, EveryFormOfTheCommandLine) {
    const Row rows[] = {
        {{}, RunMode::Resident},
        {{"c"}, RunMode::Resident},
        {{"-C"}, RunMode::Resident},
        {{"/c", "ignored"}, RunMode::Resident},
        {{"s"}, RunMode::Saver},
        {{"-S"}, RunMode::Saver},
        {{"/s"}, RunMode::Saver},
        {{"p", "4194313"}, RunMode::Preview},
        {{"-P"}, RunMode::Preview},
        {{"x"}, RunMode::Nothing},
        {{"s2"}, RunMode::Nothing},
        {{"/c:1234"}, RunMode::Nothing},
        {{"-"}, RunMode::Nothing},
        {{"--"}, RunMode::Nothing},
        {{"-ps"}, RunMode::Nothing},
        {{"--help"}, RunMode::Resident, false, true},
        {{"-h"}, RunMode::Resident, false, true},
        {{"--version"}, RunMode::Resident, false, false, true},
        {{"--where", "会議室"}, RunMode::Nothing, false, false, false, "会議室"},
        {{"--where=食堂"}, RunMode::Nothing, false, false, false, "食堂"},
        {{"--where", "-s"}, RunMode::Nothing, false, false, false, "-s"},
        {{"--where", "会議室", "-s"}, RunMode::Saver, false, false, false, "会議室"},
        {{"s", "--where", ""}, RunMode::Saver, false, false, false, ""},
        {{"--autostart", "on"}, RunMode::Nothing, false, false, false, {}, true},
        {{"--autostart=OFF"}, RunMode::Nothing, false, false, false, {}, false},
        {{"--autostart", "maybe"}, RunMode::Nothing, true},
        {{"--ask-where"}, RunMode::Nothing, false, false, false, {}, {}, true},
        {{"--where"}, RunMode::Nothing, true},
        {{"--s"}, RunMode::Nothing, true},
        {{"--bogus", "s"}, RunMode::Nothing, true},
        {{"-s", "--config"}, RunMode::Nothing, true},
    };
    for (const Row& row : rows) {
        const QString label = row.arguments.join(QLatin1Char(' '));
        const LongOptions options = readLongOptions(row.arguments);
        EXPECT_EQ(!options.error.isEmpty(), row.error) << label.toStdString();
        EXPECT_EQ(options.help, row.help) << label.toStdString();
        EXPECT_EQ(options.version, row.version) << label.toStdString();
        EXPECT_EQ(options.where, row.where) << label.toStdString();
        EXPECT_EQ(options.autostart, row.autostart) << label.toStdString();
        EXPECT_EQ(options.askWhere, row.askWhere) << label.toStdString();
        EXPECT_EQ(launchOf(options).mode, row.mode) << label.toStdString();
    }
    EXPECT_EQ(launchOf(readLongOptions({"p", "77"})).previewWindow, 77u);
    // Screen-saver daemons pass --root and name the window in the environment.
    const PreviewEnvironment daemon{"0x1f"};
    EXPECT_EQ(launchOf(readLongOptions({"-p", "--root"}), daemon).previewWindow, 0x1fu);
    EXPECT_FALSE(readLongOptions({"--nope"}).error.contains(QLatin1Char('\n')));
}

TEST(LongOptions, BackCombinesAsTheOtherOptionsAndRefusesWhatIsNoTime) {
    struct BackRow {
        QStringList arguments;
        std::optional<BackRequest> back;
        RunMode mode;
    };
    const BackRow rows[] = {
        {{"--back", "14:30"}, BackAt{{14, 30}}, RunMode::Nothing},
        {{"--back=+45"}, BackIn{45}, RunMode::Nothing},
        {{"--back", "none", "-s"}, BackNone{}, RunMode::Saver},
        {{"--back", "+30", "--where", "会議室", "-s"}, BackIn{30}, RunMode::Saver},
        {{"s", "--back", "9:05"}, BackAt{{9, 5}}, RunMode::Saver},
    };
    for (const BackRow& row : rows) {
        const LongOptions options = readLongOptions(row.arguments);
        const std::string label = row.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(options.error.isEmpty()) << label;
        EXPECT_EQ(options.back, row.back) << label;
        EXPECT_EQ(launchOf(options).mode, row.mode) << label;
    }
    EXPECT_EQ(readLongOptions({"--back", "+30", "--where", "会議室"}).where, "会議室");
    for (const char* refused : {"25:00", "+0", "text", "-5"}) {
        const LongOptions options = readLongOptions({"--back", refused, "-s"});
        EXPECT_TRUE(options.error.contains(QStringLiteral("'%1'").arg(refused))) << refused;
        EXPECT_TRUE(options.error.contains(QStringLiteral("HH:MM"))) << refused;
        EXPECT_EQ(launchOf(options).mode, RunMode::Nothing) << refused;
    }
    EXPECT_FALSE(readLongOptions({"--back"}).error.isEmpty());
}

// --lang forces the interface language and leaves the run mode to the switches beside it.
TEST(LongOptions, LangTakesJaOrEn) {
    EXPECT_EQ(readLongOptions({"--lang", "en"}).language, UiLanguage::English);
    const LongOptions japanese = readLongOptions({"-s", "--lang=JA"});
    EXPECT_EQ(japanese.language, UiLanguage::Japanese);
    EXPECT_EQ(launchOf(japanese).mode, RunMode::Saver);
    EXPECT_EQ(launchOf(readLongOptions({"--lang", "en"})).mode, RunMode::Resident);
    const LongOptions refused = readLongOptions({"--lang", "fr", "-s"});
    EXPECT_TRUE(refused.error.contains(QStringLiteral("'fr'")));
    EXPECT_EQ(launchOf(refused).mode, RunMode::Nothing);
}

}  // namespace
}  // namespace rumo
