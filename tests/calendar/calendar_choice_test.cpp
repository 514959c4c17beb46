#include "calendar/calendar_choice.h"

#include <gtest/gtest.h>

#include "calendar/calendar_settings.h"
#include "calendar/hand_pick.h"
#include "settings/memory_store.h"

namespace rumo {
namespace {

constexpr std::int64_t kNow = 1'000'000;
constexpr std::int64_t kMinute = 60;

CalendarEvent busy(std::int64_t start, std::int64_t end, std::string location) {
    CalendarEvent event;
    event.start = start;
    event.end = end;
    event.location = std::move(location);
    event.title = "Secret title";
    return event;
}

std::string chosen(const std::vector<CalendarEvent>& events, const CalendarRules& rules = {}) {
    const auto pick = pickFromCalendar(events, kNow, rules);
    return pick ? pick->destination + "@" + std::to_string(pick->returnAt - kNow) : "none";
}

TEST(CalendarChoice, TakesTheEventInProgressOrStartingWithinFiveMinutes) {
    const auto in = [](std::int64_t minutes) { return kNow + minutes * kMinute; };
    struct Case {
        std::vector<CalendarEvent> events;
        std::string expected;
    };
    const Case cases[] = {
        {{busy(in(-30), in(45), "会議室B")}, "会議室B@2700"},
        {{busy(in(5), in(60), "A")}, "A@3600"},
        {{busy(in(5) + 1, in(60), "A")}, "none"},
        {{busy(in(-60), in(0), "A")}, "none"},  // ended just now
        {{busy(in(0), in(0), "A")}, "none"},    // a reminder without length
        // In progress beats upcoming; of those in progress, the one that began last.
        {{busy(in(-60), in(60), "A"), busy(in(-10), in(20), "B"), busy(in(2), in(30), "C")},
         "B@1200"},
        // Of the upcoming, the earliest.
        {{busy(in(4), in(30), "C"), busy(in(1), in(20), "D")}, "D@1200"},
        {{busy(in(-1), in(9), " 会議室\nB \r")}, "会議室 B@540"},
        {{busy(in(-1), in(9), "  ")}, "予定あり@540"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chosen(c.events), c.expected) << c.expected;
    }
}

TEST(CalendarChoice, SkipsWhatDoesNotTakeTheUserAway) {
    auto free = busy(kNow - kMinute, kNow + kMinute, "free");
    free.free = true;
    auto cancelled = busy(kNow - kMinute, kNow + kMinute, "cancelled");
    cancelled.cancelled = true;
    auto allDay = busy(kNow - kMinute, kNow + kMinute, "all day");
    allDay.allDay = true;
    auto declined = busy(kNow - kMinute, kNow + kMinute, "declined");
    declined.declinedBy = {"me@example.com"};
    auto declinedByOther = busy(kNow - 2 * kMinute, kNow + kMinute, "kept");
    declinedByOther.declinedBy = {"other@example.com"};

    const CalendarRules rules{{"MailTo:Me@Example.com "}, false, std::nullopt};
    EXPECT_EQ(chosen({free, cancelled, allDay, declined}, rules), "none");
    EXPECT_EQ(chosen({free, cancelled, allDay, declined, declinedByOther}, rules), "kept@60");
}

TEST(CalendarChoice, TheTitleOnlyWhenAllowedAndAHandPickedDestinationWins) {
    const auto noPlace = busy(kNow - kMinute, kNow + kMinute, "");
    EXPECT_EQ(chosen({noPlace}), "予定あり@60");
    EXPECT_EQ(chosen({noPlace}, {{}, true, std::nullopt}), "Secret title@60");
    EXPECT_EQ(chosen({busy(kNow, kNow + kMinute, "Room")}, {{}, true, std::nullopt}), "Room@60");

    const auto pickedAt = [&](std::int64_t at) {
        return chosen({busy(kNow, kNow + kMinute, "Room")}, {{}, false, at});
    };
    EXPECT_EQ(pickedAt(kNow - 10 * kMinute + 1), "none");
    EXPECT_EQ(pickedAt(kNow + kMinute), "none");
    EXPECT_EQ(pickedAt(kNow - 10 * kMinute), "Room@60");
}

TEST(CalendarChoice, TheNextChangeIsTheNearestEdgeOfACountedEventOrTheHoldsEnd) {
    const auto in = [](std::int64_t minutes) { return kNow + minutes * kMinute; };
    const auto next = [&](const std::vector<CalendarEvent>& events, const CalendarRules& rules) {
        const auto at = nextCalendarChange(events, kNow, rules);
        return at ? (*at - kNow) / kMinute : -1;
    };
    // Ending in 30, the next one entering the look-ahead in 55 and starting in 60.
    EXPECT_EQ(next({busy(in(-10), in(30), "A"), busy(in(60), in(90), "B")}, {}), 30);
    EXPECT_EQ(next({busy(in(60), in(90), "B")}, {}), 55);
    EXPECT_EQ(next({busy(in(3), in(90), "B")}, {}), 3);
    CalendarEvent free = busy(in(20), in(90), "Free");
    free.free = true;
    EXPECT_EQ(next({free}, {}), -1);  // an event that never counts never changes the pick
    EXPECT_EQ(next({busy(in(-20), in(-10), "Past")}, {}), -1);
    EXPECT_EQ(next({busy(in(60), in(90), "B")}, {{}, false, in(-4)}), 6);
}

TEST(HandPick, ReadBackAsWrittenAndForgottenOnlyWhereRecorded) {
    MemoryStore store;
    EXPECT_FALSE(readHandPick(store.snapshot()));
    EXPECT_FALSE(
        handPickForgotten(store.snapshot()));  // nothing written for a user who never picks
    ASSERT_TRUE(recordHandPick(store, kNow).ok());
    EXPECT_EQ(readHandPick(store.snapshot()), kNow);
    const auto forget = handPickForgotten(store.snapshot());
    ASSERT_TRUE(forget);
    ASSERT_TRUE(store.write({*forget}).ok());
    EXPECT_FALSE(readHandPick(store.snapshot()));
    ASSERT_TRUE(store.set(settings::PickedByHand, "12 o'clock"));
    EXPECT_FALSE(readHandPick(store.snapshot()));
}

}  // namespace
}  // namespace rumo
