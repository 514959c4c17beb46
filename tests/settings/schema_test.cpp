#include "settings/schema.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/memory_store.h"

namespace rumo {
namespace {

TEST(Schema, EveryKeyIsDefinedOnce) {
    std::set<std::pair<std::string, std::string>> seen;
    for (const SettingDef& def : settingsSchema()) {
        EXPECT_TRUE(seen.insert({def.id.section, def.id.key}).second)
            << def.id.section << "/" << def.id.key;
    }
    // Config: 2 + 15 places + 27 notice keys + 5 memos + 6 bar keys; 5 memo groups of 11; 15
    // pictures.
    EXPECT_EQ(settingsSchema().size(), 55u + 55u + 15u);
}

TEST(Schema, DefaultsOfTheNotice) {
    MemoryStore empty;
    EXPECT_EQ(readSetting(empty, configKey("Size")), 240);
    EXPECT_EQ(readSetting(empty, configKey("FColorR")), 255);
    EXPECT_EQ(readSetting(empty, configKey("FColorG")), 0);
    EXPECT_EQ(readSetting(empty, configKey("Desktop")), 1);
    EXPECT_EQ(readSetting(empty, configKey("Left")), 1);
    EXPECT_EQ(readSetting(empty, configKey("Top")), 1);
    EXPECT_EQ(readSetting(empty, configKey("Screen")), 0);
    EXPECT_EQ(readTextSetting(empty, configKey("Font")), "ＭＳ Ｐゴシック");
    EXPECT_EQ(readTextSetting(empty, configKey("Where")), "");
    EXPECT_EQ(noticeWhereDefault(), "ＥＳＣキーを押して下さい");
}

TEST(Schema, MemoGroupsLiveInTheirOwnSections) {
    MemoryStore empty;
    for (int n = 1; n <= kMemoCount; ++n) {
        const SettingKey font = memoGroupKey("MFont", n);
        EXPECT_EQ(font.section, "Config/Minf" + std::to_string(n));
        EXPECT_EQ(font.key, "MFont" + std::to_string(n));
        EXPECT_EQ(readTextSetting(empty, font), "ＭＳ Ｐ明朝");
        EXPECT_EQ(readSetting(empty, memoGroupKey("MSize", n)), 240);
        EXPECT_EQ(readSetting(empty, memoGroupKey("MColorG", n)), 255);
        EXPECT_EQ(readSetting(empty, memoGroupKey("MColorR", n)), 0);
        EXPECT_EQ(memoPositionKey('y', n).key, "Memo" + std::to_string(n) + "y");
        EXPECT_EQ(settingDef(memoPositionKey('x', n)).type, SettingType::Integer);
        EXPECT_EQ(settingDef(memoKey(n)).id.section, "Config");
    }
    EXPECT_EQ(placeImageKey(7).section, "Config/Gazo");
    EXPECT_EQ(placeImageKey(7).key, "Gazo7");
    EXPECT_EQ(settingDef(placeKey(15)).type, SettingType::Text);
}

TEST(SchemaDeathTest, UnknownKeyIsAProgrammingError) {
    EXPECT_DEATH(settingDef(configKey("NoSuchKey")), "unknown setting");
}

}  // namespace
}  // namespace rumo
