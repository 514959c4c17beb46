// Reading a year of a busy user's calendar (2,000 events: single meetings, weekly series in a
// zone of the file's own with exceptions, daily stand-ups) for today and tomorrow, as the
// program does each time it looks at the calendar.
#include <benchmark/benchmark.h>

#include <ctime>
#include <string>

#include "calendar/calendar_choice.h"
#include "calendar/ics_events.h"

namespace {

constexpr std::int64_t kYearStart = 1735657200;  // 2025-01-01 00:00 in Tokyo
constexpr std::int64_t kDay = 24 * 60 * 60;

std::string stamp(std::int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm parts{};
    gmtime_r(&t, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &parts);
    return text;
}

std::string busyYear() {
    std::string text =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:Tokyo Standard Time\r\nBEGIN:STANDARD\r\n"
        "DTSTART:16010101T000000\r\nTZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\n"
        "END:STANDARD\r\nEND:VTIMEZONE\r\n";
    for (int n = 0; n < 2000; ++n) {
        text += "BEGIN:VEVENT\r\nUID:event" + std::to_string(n) +
                "\r\nDTSTAMP:20250101T000000Z\r\nSUMMARY:Meeting " + std::to_string(n) +
                "\r\nLOCATION:会議室" + std::to_string(n % 12) + "\r\n";
        if (n % 20 == 0) {
            // One in twenty is a weekly series with an exception.
            text +=
                "DTSTART;TZID=Tokyo Standard Time:20250106T100000\r\n"
                "DTEND;TZID=Tokyo Standard Time:20250106T110000\r\n"
                "RRULE:FREQ=WEEKLY;BYDAY=MO,TH\r\n"
                "EXDATE;TZID=Tokyo Standard Time:20250113T100000\r\n";
        } else if (n % 50 == 1) {
            text += "DTSTART:" + stamp(kYearStart) + "\r\nDURATION:PT15M\r\nRRULE:FREQ=DAILY\r\n";
        } else {
            const std::int64_t start = kYearStart + (n * 4 * 60 * 60) % (365 * kDay);
            text += "DTSTART:" + stamp(start) + "\r\nDTEND:" + stamp(start + 3600) + "\r\n";
        }
        text += "ATTENDEE;PARTSTAT=ACCEPTED:mailto:me@example.com\r\nEND:VEVENT\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}

void BM_ReadBusyYearForTodayAndTomorrow(benchmark::State& state) {
    const std::string text = busyYear();
    const std::int64_t now = kYearStart + 300 * kDay + 10 * 3600;  // late October, 10:00
    const auto [from, to] = rumo::todayAndTomorrow(now, "Asia/Tokyo");
    std::size_t found = 0;
    for (auto _ : state) {
        const auto events = rumo::eventsBetween(text, from, to, "Asia/Tokyo");
        found = events.size();
        benchmark::DoNotOptimize(rumo::pickFromCalendar(events, now, {}));
    }
    state.counters["occurrences"] = static_cast<double>(found);
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ReadBusyYearForTodayAndTomorrow)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
