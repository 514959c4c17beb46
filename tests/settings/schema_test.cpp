#include "settings/schema.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/memory_store.h"

namespace rumo {
namespace {

TEST(Schema, EveryKeyIsDefinedOnce) {
    std::set<std::pair<std::string_view, std::string_view>> seen;
    int settingCount = 0;
    for (const SettingRow& row : kSettingRows) {
        EXPECT_TRUE(seen.insert({row.section, row.key}).second) << row.section << "/" << row.key;
        settingCount += row.count == 0 ? 1 : row.count;
    }
    // Config: 2 + 15 places + 27 notice keys + 5 memos + 6 bar keys + 3 of the return time; 5
    // memo groups of 11; 15 pictures; Calendar: 10 sources, 10 users + 4; Team 5; Chat 9.
    EXPECT_EQ(settingCount, 58 + 55 + 15 + 24 + 5 + 9);
}

TEST(Schema, DefaultsOfTheNotice) {
    MemoryStore empty;
    EXPECT_EQ(empty.read(settings::Size), 240);
    EXPECT_EQ(empty.read(settings::FColorR), 255);
    EXPECT_EQ(empty.read(settings::FColorG), 0);
    EXPECT_TRUE(empty.read(settings::Desktop));
    EXPECT_EQ(empty.read(settings::Left), 1);
    EXPECT_EQ(empty.read(settings::Top), 1);
    EXPECT_EQ(empty.read(settings::Screen), 0);
    EXPECT_EQ(empty.read(settings::Font), "ＭＳ Ｐゴシック");
    EXPECT_EQ(empty.read(settings::Where), "");
    EXPECT_EQ(noticeWhereDefault(), "ＥＳＣキーを押して下さい");
}

TEST(Schema, NumberedSettingsAreSpelledWithTheirNumber) {
    MemoryStore empty;
    for (int n = 1; n <= kMemoCount; ++n) {
        const SettingKey font = settings::MFont(n).key();
        EXPECT_EQ(font.section, "Config/Minf" + std::to_string(n));
        EXPECT_EQ(font.key, "MFont" + std::to_string(n));
        EXPECT_EQ(empty.read(settings::MFont(n)), "ＭＳ Ｐ明朝");
        EXPECT_EQ(empty.read(settings::MSize(n)), 240);
        EXPECT_EQ(empty.read(settings::MColorG(n)), 255);
        EXPECT_EQ(empty.read(settings::MColorR(n)), 0);
        EXPECT_EQ(settings::MemoY(n).key().key, "Memo" + std::to_string(n) + "y");
        EXPECT_EQ(settings::Memo(n).key().section, "Config");
    }
    EXPECT_EQ(settings::Gazo(7).key(), (SettingKey{"Config/Gazo", "Gazo7"}));
    EXPECT_EQ(settings::Place(15).key(), (SettingKey{"Config", "Place15"}));
}

TEST(Schema, ASwitchIsOnForAnyNumberButZeroAndKeepsWhatIsStored) {
    MemoryStore store;
    ASSERT_TRUE(store.write({textWrite(settings::Esc, "2")}).ok());
    EXPECT_TRUE(store.read(settings::Esc));
    EXPECT_EQ(store.snapshot().readInteger(settings::Esc), 2);
    ASSERT_TRUE(store.set(settings::Esc, false));
    EXPECT_EQ(store.raw(settings::Esc), "0");
    EXPECT_FALSE(store.read(settings::Esc));
}

TEST(SchemaDeathTest, ANumberOutsideTheFamilyIsAProgrammingError) {
    EXPECT_DEATH(settings::Place(kPlaceCount + 1), "Place# has no number 16");
    EXPECT_DEATH(settings::MSize(0), "MSize# has no number 0");
}

}  // namespace
}  // namespace rumo
