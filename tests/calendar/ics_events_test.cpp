#include "calendar/ics_events.h"

#include <gtest/gtest.h>

#include <ctime>

namespace rumo {
namespace {

// "YYYY-MM-DD HH:MM" in UTC, as seconds since the epoch.
std::int64_t utc(const char* text) {
    std::tm parts{};
    strptime(text, "%Y-%m-%d %H:%M", &parts);
    return static_cast<std::int64_t>(timegm(&parts));
}

std::string calendar(const std::string& body) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + body + "END:VCALENDAR\r\n";
}

std::string event(const std::string& lines) {
    return "BEGIN:VEVENT\r\nUID:e1\r\nDTSTAMP:20250101T000000Z\r\n" + lines + "END:VEVENT\r\n";
}

std::vector<std::int64_t> startsOf(const std::vector<CalendarEvent>& events) {
    std::vector<std::int64_t> starts;
    for (const CalendarEvent& e : events) {
        starts.push_back(e.start);
    }
    std::sort(starts.begin(), starts.end());
    return starts;
}

// A zone as an Outlook export writes it: its own name, its rules inside the file.
const std::string kBerlinZone =
    "BEGIN:VTIMEZONE\r\nTZID:W. Europe Standard Time\r\n"
    "BEGIN:STANDARD\r\nDTSTART:16011028T030000\r\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\r\n"
    "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:16010325T020000\r\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\r\n"
    "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";

TEST(IcsEvents, DailyRulesStopAtTheirCountOrUntilAndKeepOnlyTheWindow) {
    const std::string counted = calendar(event(
        "DTSTART:20250601T090000Z\r\nDTEND:20250601T100000Z\r\nRRULE:FREQ=DAILY;COUNT=3\r\n"));
    EXPECT_EQ(
        startsOf(eventsBetween(counted, utc("2025-06-01 00:00"), utc("2025-06-30 00:00"), "UTC")),
        (std::vector{utc("2025-06-01 09:00"), utc("2025-06-02 09:00"), utc("2025-06-03 09:00")}));
    // The window cuts on both sides; an occurrence still running at its start is in.
    EXPECT_EQ(
        startsOf(eventsBetween(counted, utc("2025-06-02 09:30"), utc("2025-06-03 09:00"), "UTC")),
        (std::vector{utc("2025-06-02 09:00")}));

    // UNTIL in UTC is the last occurrence's start in Berlin summer time (09:00 = 07:00Z).
    const std::string until =
        calendar(event("DTSTART;TZID=Europe/Berlin:20250601T090000\r\nDURATION:PT1H\r\n"
                       "RRULE:FREQ=DAILY;UNTIL=20250603T070000Z\r\n"));
    const auto events =
        eventsBetween(until, utc("2025-06-01 00:00"), utc("2025-06-30 00:00"), "Asia/Tokyo");
    EXPECT_EQ(startsOf(events), (std::vector{utc("2025-06-01 07:00"), utc("2025-06-02 07:00"),
                                             utc("2025-06-03 07:00")}));
    EXPECT_EQ(events.front().end - events.front().start, 3600);
}

TEST(IcsEvents, WeeklyDaysInFloatingTimeFollowTheLocalZone) {
    // Mondays and Wednesdays at 10:00 wherever the user is: Tokyo here (01:00Z).
    const std::string weekly =
        calendar(event("DTSTART:20250602T100000\r\nDTEND:20250602T110000\r\n"
                       "RRULE:FREQ=WEEKLY;BYDAY=MO,WE\r\n"));
    EXPECT_EQ(startsOf(eventsBetween(weekly, utc("2025-06-01 00:00"), utc("2025-06-12 00:00"),
                                     "Asia/Tokyo")),
              (std::vector{utc("2025-06-02 01:00"), utc("2025-06-04 01:00"),
                           utc("2025-06-09 01:00"), utc("2025-06-11 01:00")}));
}

TEST(IcsEvents, ExcludedAndMovedOccurrencesReplaceTheRulesOnes) {
    const std::string text =
        calendar(kBerlinZone +
                 event("DTSTART;TZID=W. Europe Standard Time:20250602T090000\r\nDURATION:PT1H\r\n"
                       "LOCATION:Raum 1\r\nRRULE:FREQ=DAILY;COUNT=5\r\n"
                       "EXDATE;TZID=W. Europe Standard Time:20250603T090000\r\n") +
                 event("RECURRENCE-ID;TZID=W. Europe Standard Time:20250605T090000\r\n"
                       "DTSTART;TZID=W. Europe Standard Time:20250605T140000\r\nDURATION:PT2H\r\n"
                       "LOCATION:Raum 2\r\n"));
    const auto events =
        eventsBetween(text, utc("2025-06-01 00:00"), utc("2025-06-30 00:00"), "UTC");
    EXPECT_EQ(startsOf(events), (std::vector{utc("2025-06-02 07:00"), utc("2025-06-04 07:00"),
                                             utc("2025-06-05 12:00"), utc("2025-06-06 07:00")}));
    for (const CalendarEvent& e : events) {
        EXPECT_EQ(e.location, e.start == utc("2025-06-05 12:00") ? "Raum 2" : "Raum 1");
    }
}

TEST(IcsEvents, ZonesComeFromTheFileTheSystemOrTheUser) {
    const std::string text = calendar(
        kBerlinZone +
        event("DTSTART;TZID=W. Europe Standard Time:20250110T090000\r\nDURATION:PT1H\r\n") +
        event("DTSTART;TZID=Asia/Tokyo:20250110T090000\r\nDURATION:PT1H\r\n") +
        event("DTSTART:20250110T090000\r\nDURATION:PT1H\r\n"));
    EXPECT_EQ(
        startsOf(eventsBetween(text, utc("2025-01-09 00:00"), utc("2025-01-12 00:00"),
                               "America/New_York")),
        (std::vector{utc("2025-01-10 00:00"), utc("2025-01-10 08:00"), utc("2025-01-10 14:00")}));
}

TEST(IcsEvents, TheDaylightSavingChangeMovesTheUtcTimeAndShortensTheNight) {
    const std::string text = calendar(
        kBerlinZone +
        event(
            "DTSTART;TZID=W. Europe Standard Time:20250328T090000\r\n"
            "DTEND;TZID=W. Europe Standard Time:20250328T100000\r\nRRULE:FREQ=DAILY;COUNT=4\r\n") +
        "BEGIN:VEVENT\r\nUID:night\r\nDTSTAMP:20250101T000000Z\r\n"
        "DTSTART;TZID=Europe/Berlin:20250330T010000\r\n"
        "DTEND;TZID=Europe/Berlin:20250330T040000\r\nEND:VEVENT\r\n");
    const auto events =
        eventsBetween(text, utc("2025-03-28 00:00"), utc("2025-04-01 00:00"), "UTC");
    EXPECT_EQ(startsOf(events), (std::vector{utc("2025-03-28 08:00"), utc("2025-03-29 08:00"),
                                             utc("2025-03-30 00:00"), utc("2025-03-30 07:00"),
                                             utc("2025-03-31 07:00")}));
    for (const CalendarEvent& e : events) {
        EXPECT_EQ(e.end - e.start, e.start == utc("2025-03-30 00:00") ? 2 * 3600 : 3600);
    }
}

TEST(IcsEvents, ReadsWhatTheChoiceNeeds) {
    const std::string text =
        calendar(event("DTSTART:20250601T090000Z\r\nDTEND:20250601T100000Z\r\nSUMMARY:Review\r\n"
                       "LOCATION:会議室B\\, 3階\r\nTRANSP:TRANSPARENT\r\nSTATUS:CANCELLED\r\n"
                       "ATTENDEE;PARTSTAT=ACCEPTED:mailto:other@example.com\r\n"
                       "ATTENDEE;PARTSTAT=DECLINED:MAILTO:Me@Example.com\r\n") +
                 event("DTSTART;VALUE=DATE:20250601\r\nDTEND;VALUE=DATE:20250602\r\n"));
    const auto events =
        eventsBetween(text, utc("2025-05-31 00:00"), utc("2025-06-03 00:00"), "Asia/Tokyo");
    ASSERT_EQ(events.size(), 2u);
    const CalendarEvent& timed = events[0].allDay ? events[1] : events[0];
    const CalendarEvent& allDay = events[0].allDay ? events[0] : events[1];
    EXPECT_EQ(timed.location, "会議室B, 3階");
    EXPECT_EQ(timed.title, "Review");
    EXPECT_TRUE(timed.free);
    EXPECT_TRUE(timed.cancelled);
    EXPECT_EQ(timed.declinedBy, std::vector<std::string>{"me@example.com"});
    EXPECT_TRUE(allDay.allDay);
    EXPECT_FALSE(timed.allDay);
    EXPECT_EQ(allDay.start, utc("2025-05-31 15:00"));  // midnight in Tokyo
}

TEST(IcsEvents, TextThatIsNoCalendarGivesNothing) {
    EXPECT_TRUE(eventsBetween("", 0, utc("2030-01-01 00:00"), "UTC").empty());
    EXPECT_TRUE(eventsBetween("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:garbage\r\n", 0,
                              utc("2030-01-01 00:00"), "UTC")
                    .empty());
}

TEST(IcsEvents, TodayAndTomorrowAreLocalDays) {
    EXPECT_EQ(todayAndTomorrow(utc("2025-06-01 16:00"), "Asia/Tokyo"),
              std::make_pair(utc("2025-06-01 15:00"), utc("2025-06-03 15:00")));
}

}  // namespace
}  // namespace rumo
