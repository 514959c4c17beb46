#include "common/return_time.h"

#include <gtest/gtest.h>

#include "settings/memory_store.h"
#include "settings/return_setting.h"

namespace rumo {
namespace {

LocalDateTime at(int month, int day, int hour, int minute, int second = 0) {
    return {2026, month, day, hour, minute, second};
}

LocalMinute minute(int month, int day, int hour, int minute) {
    return {2026, month, day, hour, minute};
}

TEST(ReturnTime, QuickPicksOverNow) {
    const ReturnDefaults defaults;
    struct Case {
        LocalDateTime now;
        ReturnPick pick;
        std::optional<LocalMinute> expected;
    };
    const Case cases[] = {
        {at(12, 7, 9, 5, 40), ReturnPick::In15, minute(12, 7, 9, 20)},  // seconds dropped
        {at(12, 7, 9, 5), ReturnPick::In30, minute(12, 7, 9, 35)},
        {at(12, 7, 23, 40), ReturnPick::In60, minute(12, 8, 0, 40)},
        {at(12, 31, 23, 30), ReturnPick::In120, LocalMinute{2027, 1, 1, 1, 30}},
        {at(2, 28, 23, 50), ReturnPick::In15, minute(3, 1, 0, 5)},
        // 昼休み明け: today's 13:00 while it is ahead, else the next day's.
        {at(12, 7, 0, 10), ReturnPick::AfterLunch, minute(12, 7, 13, 0)},
        {at(12, 7, 12, 59, 59), ReturnPick::AfterLunch, minute(12, 7, 13, 0)},
        {at(12, 7, 13, 0), ReturnPick::AfterLunch, minute(12, 8, 13, 0)},
        {at(12, 7, 23, 50), ReturnPick::AfterLunch, minute(12, 8, 13, 0)},
        {at(12, 31, 18, 0), ReturnPick::AfterLunch, LocalMinute{2027, 1, 1, 13, 0}},
        // 定時: tomorrow once today's has passed.
        {at(12, 7, 17, 29), ReturnPick::EndOfDay, minute(12, 7, 17, 30)},
        {at(12, 7, 17, 45), ReturnPick::EndOfDay, minute(12, 8, 17, 30)},
        {at(12, 7, 9, 0), ReturnPick::Choose, std::nullopt},
        {at(12, 7, 9, 0), ReturnPick::None, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pickedReturn(c.pick, c.now, defaults), c.expected)
            << static_cast<int>(c.pick) << " at " << c.now.hour << ":" << c.now.minute;
    }
    EXPECT_EQ(pickedReturn(ReturnPick::EndOfDay, at(12, 7, 18, 0), {{12, 0}, {19, 15}}),
              minute(12, 7, 19, 15));
}

TEST(ReturnTime, MenuListsThePicksInOrder) {
    std::vector<std::string> labels;
    for (const ReturnMenuEntry& entry : returnMenuEntries()) {
        labels.push_back(entry.shownLabel());
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"15分後", "30分後", "1時間後", "2時間後",
                                                "昼休み明け", "定時", "指定…", "なし"}));
    EXPECT_EQ(returnMenuEntries()[6].pick, ReturnPick::Choose);
    EXPECT_EQ(returnMenuEntries()[7].pick, ReturnPick::None);
    EXPECT_EQ(returnMenuTitle(), "戻り予定");
}

TEST(ReturnTime, BackForms) {
    const LocalDateTime now = at(12, 7, 15, 0, 30);
    struct Case {
        std::string_view text;
        std::optional<BackRequest> request;
        std::optional<LocalMinute> resolved;
    };
    const Case cases[] = {
        {"14:30", BackAt{{14, 30}}, minute(12, 8, 14, 30)},  // already past: tomorrow's
        {"15:01", BackAt{{15, 1}}, minute(12, 7, 15, 1)},
        {"9:05", BackAt{{9, 5}}, minute(12, 8, 9, 5)},
        {"0:00", BackAt{{0, 0}}, minute(12, 8, 0, 0)},
        {"+45", BackIn{45}, minute(12, 7, 15, 45)},
        {"+1440", BackIn{1440}, minute(12, 8, 15, 0)},
        {"none", BackNone{}, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto request = parseBackRequest(c.text);
        ASSERT_EQ(request, c.request) << c.text;
        EXPECT_EQ(resolveBack(*request, now), c.resolved) << c.text;
    }
    for (const std::string_view refused :
         {"25:00", "24:00", "14:60", "14:3", "1430", ":30", "+0", "+", "+-5", "+1441", "+99999",
          "-5", "text", "", "14:30 ", "None", "１４:３０"}) {
        EXPECT_EQ(parseBackRequest(refused), std::nullopt) << refused;
    }
}

TEST(ReturnTime, NoticeLineAsMinutesPass) {
    const LocalMinute back = minute(12, 7, 14, 30);
    struct Case {
        LocalDateTime now;
        std::string_view text;
    };
    const Case cases[] = {
        {at(12, 7, 9, 0), "14:30 戻り予定"},
        {at(12, 7, 14, 30, 59), "14:30 戻り予定"},
        {at(12, 7, 14, 31), "14:30 戻り予定（1分超過）"},
        {at(12, 7, 14, 35, 10), "14:30 戻り予定（5分超過）"},
        {at(12, 7, 16, 45), "14:30 戻り予定（135分超過）"},
        {at(12, 6, 20, 0), "12/7 14:30 戻り予定"},  // tomorrow's return names its day
        {at(12, 8, 9, 0), "12/7 14:30 戻り予定（1110分超過）"},
        {at(12, 8, 14, 30), "12/7 14:30 戻り予定（1440分超過）"},
        {at(12, 8, 14, 30, 1), ""},  // more than 24 hours old: as if none were set
    };
    for (const Case& c : cases) {
        EXPECT_EQ(returnNoticeText(back, c.now), c.text) << c.now.day << " " << c.now.hour;
    }
    EXPECT_EQ(returnNoticeText(minute(12, 7, 9, 5), at(12, 7, 8, 0)), "9:05 戻り予定");
}

TEST(ReturnTime, StoredFormAndDefaultTimes) {
    EXPECT_EQ(storedReturnText(minute(12, 7, 9, 5)), "2026-12-07 09:05");
    EXPECT_EQ(parseStoredReturn("2026-12-07 09:05"), minute(12, 7, 9, 5));
    EXPECT_EQ(parseStoredReturn("2028-02-29 23:59"), (LocalMinute{2028, 2, 29, 23, 59}));
    for (const std::string_view bad :
         {"", "2026-02-29 10:00", "2026-13-01 10:00", "2026-12-07T09:05", "2026-12-07 24:00",
          "2026-12-07", "x026-12-07 09:05"}) {
        EXPECT_EQ(parseStoredReturn(bad), std::nullopt) << bad;
    }

    MemoryStore store;
    EXPECT_EQ(readReturnTime(store.snapshot()), std::nullopt);
    EXPECT_EQ(readReturnDefaults(store.snapshot()).lunchEnd, (DayTime{13, 0}));
    EXPECT_EQ(readReturnDefaults(store.snapshot()).dayEnd, (DayTime{17, 30}));
    store.set(settings::Hiruake, "12:45");
    store.set(settings::Teiji, "18時");  // no time of day: the default stands
    EXPECT_EQ(readReturnDefaults(store.snapshot()).lunchEnd, (DayTime{12, 45}));
    EXPECT_EQ(readReturnDefaults(store.snapshot()).dayEnd, (DayTime{17, 30}));
}

TEST(ReturnTime, ClearingWritesOnlyWhatWasSet) {
    MemoryStore store;
    ASSERT_TRUE(storeReturnTime(store, std::nullopt).ok());
    EXPECT_TRUE(store.writeLog().empty());  // a user who never set one gets no new key
    ASSERT_TRUE(storeReturnTime(store, minute(12, 7, 14, 30)).ok());
    EXPECT_EQ(store.raw(settings::Modori), "2026-12-07 14:30");
    EXPECT_EQ(readReturnTime(store.snapshot()), minute(12, 7, 14, 30));
    ASSERT_TRUE(storeReturnTime(store, std::nullopt).ok());
    EXPECT_EQ(store.raw(settings::Modori), "");
    EXPECT_EQ(readReturnTime(store.snapshot()), std::nullopt);
    store.failWrites("disk full");
    EXPECT_FALSE(storeReturnTime(store, minute(12, 7, 14, 30)).ok());
}

}  // namespace
}  // namespace rumo
