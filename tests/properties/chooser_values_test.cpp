// What the font, colour and picture choosers open with and store.
#include <gtest/gtest.h>

#include "common/text.h"
#include "properties/chooser_values.h"
#include "properties/help_location.h"
#include "settings/memory_store.h"

namespace rumo {
namespace {

TEST(ColourTest, SplitsIntoTheLowBytes) {
    const Colour blue = rgb(0, 0, 255);
    EXPECT_EQ(blue, 0xFF0000u);
    EXPECT_EQ(rgb(256 + 1, -1, 2), 0x02FF01u);
    MemoryStore store;
    writeBackgroundColour(store, rgb(10, 20, 30));
    EXPECT_EQ(store.writeLog(),
              (std::vector<SettingKey>{settings::ColorR.key(), settings::ColorG.key(),
                                       settings::ColorB.key()}));
    EXPECT_EQ(store.raw(settings::ColorG), "20");
}

TEST(FontRequestTest, FreshProfileOpensOnTheDefaultFaces) {
    MemoryStore store;
    const FontRequest main = fontRequest(store, FontGroup{0}, 96);
    EXPECT_EQ(main.face, "ＭＳ Ｐゴシック");
    EXPECT_EQ(main.height, 32);
    EXPECT_EQ(main.pointSize, 24);
    EXPECT_EQ(main.weight, 400);
    EXPECT_EQ(main.colour, rgb(255, 0, 0));
    const FontRequest memo = fontRequest(store, FontGroup{3}, 96);
    EXPECT_EQ(memo.face, "ＭＳ Ｐ明朝");
    EXPECT_EQ(memo.pointSize, 24);
    EXPECT_EQ(memo.colour, rgb(0, 255, 0));
}

TEST(FontRequestTest, DropsTheTenthAndScalesByResolution) {
    MemoryStore store;
    store.set(settings::Size, 245);
    store.write({integerWrite(settings::Bold, 3)});
    store.write({integerWrite(settings::Italic, 256)});  // only the low byte counts
    store.set(settings::ULine, true);
    store.set(settings::FColorR, 0x110);  // the colour, too, from the low bytes
    store.set(settings::FColorG, -1);
    const FontRequest r = fontRequest(store, FontGroup{0}, 120);
    EXPECT_EQ(r.colour, rgb(0x10, 0xFF, 0));
    EXPECT_EQ(r.height, 40);
    EXPECT_EQ(r.pointSize, 24);
    EXPECT_EQ(r.weight, 700);
    EXPECT_FALSE(r.italic);
    EXPECT_TRUE(r.underline);
    EXPECT_FALSE(r.strikeout);
}

TEST(FontRequestTest, AbsurdStoredValuesOpenOnSomethingUsable) {
    MemoryStore store;
    store.set(settings::Size, -240);
    EXPECT_EQ(fontRequest(store, FontGroup{0}, 96).pointSize, kMinChooserPoints);
    store.set(settings::Size, 2147483647);
    const FontRequest huge = fontRequest(store, FontGroup{0}, 96);
    EXPECT_EQ(huge.pointSize, kMaxChooserPoints);
    EXPECT_GT(huge.height, 0);
    store.set(settings::Size, 240);
    EXPECT_EQ(fontRequest(store, FontGroup{0}, 0).height, 32);  // unknown resolution: 96 dpi

    store.set(settings::Font, "ＭＳ Ｐゴシック ＭＳ Ｐゴシック ＭＳ Ｐゴシック");
    const std::string face = fontRequest(store, FontGroup{0}, 96).face;
    EXPECT_LE(cp932Length(face), kFaceNameLimit);
    EXPECT_EQ(face, "ＭＳ Ｐゴシック ＭＳ Ｐゴシック");  // 31 bytes, whole characters
    store.set(settings::Font, std::string("IPA\xff\xfe"));
    EXPECT_EQ(fontRequest(store, FontGroup{0}, 96).face, "IPA\xff\xfe");
}

TEST(ChosenFontTest, StoresTenthsBoldOnlyAt700AndTheGroupsOwnKeys) {
    MemoryStore store;
    ChosenFont font{"IPAPGothic", 120, 700, true, false, true, rgb(1, 2, 3)};
    writeChosenFont(store, FontGroup{0}, font);
    std::vector<std::string> written;
    for (const SettingKey& key : store.writeLog()) {
        EXPECT_EQ(key.section, "Config");
        written.push_back(key.key);
    }
    EXPECT_EQ(written, (std::vector<std::string>{"Font", "Size", "Bold", "Italic", "Torikeshi",
                                                 "ULine", "FColorR", "FColorG", "FColorB"}));
    EXPECT_EQ(store.raw(settings::Font), "IPAPGothic");
    EXPECT_EQ(store.raw(settings::Size), "120");
    EXPECT_EQ(store.raw(settings::Bold), "1");
    EXPECT_EQ(store.raw(settings::Italic), "1");
    EXPECT_EQ(store.raw(settings::Torikeshi), "0");
    EXPECT_EQ(store.raw(settings::ULine), "1");
    EXPECT_EQ(store.raw(settings::FColorB), "3");
    for (int weight : {600, 800, 400}) {
        font.weight = weight;
        writeChosenFont(store, FontGroup{0}, font);
        EXPECT_EQ(store.raw(settings::Bold), "0") << weight;
    }
    store.clearWriteLog();
    writeChosenFont(store, FontGroup{4}, font);
    ASSERT_EQ(store.writeLog().size(), 9u);
    for (const SettingKey& key : store.writeLog()) {
        EXPECT_EQ(key.section, "Config/Minf4");
    }
    written.clear();
    for (const SettingKey& key : store.writeLog()) {
        written.push_back(key.key);
    }
    EXPECT_EQ(written,
              (std::vector<std::string>{"MFont4", "MSize4", "MBold4", "MItalic4", "MTorikeshi4",
                                        "MULine4", "MColorR4", "MColorG4", "MColorB4"}));
}

TEST(ChooserButtonsTest, MapToTheirGroupsAndKeys) {
    EXPECT_EQ(fontGroupOfButton(1024)->memo, 0);
    EXPECT_EQ(fontGroupOfButton(1061)->memo, 4);
    EXPECT_FALSE(fontGroupOfButton(1060).has_value());
    EXPECT_EQ(pictureSettingOfButton(1001), settings::Bitmap);
    EXPECT_EQ(pictureSettingOfButton(1071), settings::Bitmap2);
    EXPECT_EQ(pictureSettingOfButton(1083), settings::Gazo(7));
    EXPECT_EQ(pictureSettingOfButton(1091), settings::Gazo(15));
    EXPECT_FALSE(pictureSettingOfButton(1092).has_value());
}

TEST(PicturePathTest, ANameWithoutExtensionGetsBmp) {
    EXPECT_EQ(withDefaultExtension("/home/u/pics/photo"), "/home/u/pics/photo.bmp");
    EXPECT_EQ(withDefaultExtension("/home/u/pics/photo.JPG"), "/home/u/pics/photo.JPG");
    EXPECT_EQ(withDefaultExtension("/home/u/v1.0/photo"), "/home/u/v1.0/photo.bmp");
    const std::string longPath = "/" + std::string(400, 'a') + ".gif";
    EXPECT_EQ(withDefaultExtension(longPath), longPath);
}

TEST(HelpLocationTest, RecordedFolderFirstThenTheInstallFolder) {
    EXPECT_EQ(helpCandidates("/opt/rumo/", "/usr/bin"),
              (std::vector<std::string>{"/opt/rumo/Rumo.html", "/usr/bin/Rumo.html"}));
    EXPECT_EQ(helpCandidates("", "/usr/bin"), (std::vector<std::string>{"/usr/bin/Rumo.html"}));
    EXPECT_EQ(helpCandidates("/usr/bin", "/usr/bin"),
              (std::vector<std::string>{"/usr/bin/Rumo.html"}));
    EXPECT_EQ(helpCandidates("/", ""), (std::vector<std::string>{"/Rumo.html"}));
}

TEST(HelpLocationTest, TheInstalledDocFolderComesLast) {
    const std::string doc = installedDocFolder("/usr/bin", "../share/doc/rumo");
    EXPECT_EQ(doc, "/usr/share/doc/rumo");
    EXPECT_EQ(helpCandidates("/home/u", "/usr/bin", doc),
              (std::vector<std::string>{"/home/u/Rumo.html", "/usr/bin/Rumo.html",
                                        "/usr/share/doc/rumo/Rumo.html"}));
    EXPECT_EQ(installedDocFolder("", "../share/doc/rumo"), "");
}

}  // namespace
}  // namespace rumo
