// The time the user expects to be back: the quick picks that set it, the forms the command line
// takes, how it is stored, and the line the notice shows for it. Plain arithmetic on the local
// calendar: "now" always comes in as an argument.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/local_time.h"

namespace rumo {

// A minute of the local calendar.
struct LocalMinute {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    friend bool operator==(const LocalMinute&, const LocalMinute&) = default;
};

// A time of day, 0:00 to 23:59.
struct DayTime {
    int hour = 0;
    int minute = 0;
    friend bool operator==(const DayTime&, const DayTime&) = default;
};

// Minutes since 1970-01-01 0:00 of the local calendar, and back. The calendar is counted as it
// is written, one day after another, so a day that a daylight-saving change makes shorter or
// longer still counts 1440 minutes.
std::int64_t calendarMinutes(const LocalMinute& at);
LocalMinute minuteAtCalendar(std::int64_t minutes);
LocalMinute minuteOf(const LocalDateTime& at);  // the seconds dropped

// The first moment at `time` after the minute `now` is in: today when that is still ahead,
// else tomorrow.
LocalMinute nextOccurrence(DayTime time, const LocalDateTime& now);

// "13:00", "9:05": hours 0 to 23, minutes of two digits 00 to 59. Nothing for anything else.
std::optional<DayTime> parseDayTime(std::string_view text);
std::string dayTimeText(DayTime time);  // "13:00", "9:05"

// The stored form, "2026-12-07 14:30" (the local calendar); nothing when the text is not one.
std::optional<LocalMinute> parseStoredReturn(std::string_view text);
std::string storedReturnText(const LocalMinute& at);

// The two times of day the quick picks 昼休み明け and 定時 stand for.
struct ReturnDefaults {
    DayTime lunchEnd{13, 0};
    DayTime dayEnd{17, 30};
};

// The quick picks, in the order the menus list them. Choose asks for a time of day; None clears.
enum class ReturnPick { In15, In30, In60, In120, AfterLunch, EndOfDay, Choose, None };

struct ReturnMenuEntry {
    ReturnPick pick;
    std::string_view label;  // the English source text, translated by shownLabel()
    std::string shownLabel() const;
    friend bool operator==(const ReturnMenuEntry&, const ReturnMenuEntry&) = default;
};

// What a menu or a list offering the return time shows: its title and its entries, in order.
std::string returnMenuTitle();  // "Return time", "戻り予定"
const std::vector<ReturnMenuEntry>& returnMenuEntries();

// The return time a pick sets at `now`: minutes from now (seconds dropped), or the next 昼休み明け
// or 定時. Nothing for None, and for Choose, whose time comes from the user.
std::optional<LocalMinute> pickedReturn(ReturnPick pick, const LocalDateTime& now,
                                        const ReturnDefaults& defaults);

// --back as typed: "14:30" (the next 14:30), "+45" (minutes from now, 1 to 1440), "none".
struct BackAt {
    DayTime time;
    friend bool operator==(const BackAt&, const BackAt&) = default;
};
struct BackIn {
    int minutes = 0;
    friend bool operator==(const BackIn&, const BackIn&) = default;
};
struct BackNone {
    friend bool operator==(const BackNone&, const BackNone&) = default;
};
using BackRequest = std::variant<BackAt, BackIn, BackNone>;

// The request, or nothing when the text is none of the forms (then backFormHint() says why).
std::optional<BackRequest> parseBackRequest(std::string_view text);
std::string_view backFormHint();  // the forms, for a message
// The return time the request sets at `now`; nothing for BackNone.
std::optional<LocalMinute> resolveBack(const BackRequest& request, const LocalDateTime& now);

// A stored return time counts until 24 hours after it; an older one is as if none were set.
std::optional<LocalMinute> currentReturn(const std::optional<LocalMinute>& stored,
                                         const LocalDateTime& now);

// The return time as a person reads it at `now`: "14:30", or "12/8 9:00" on another day.
std::string returnTimeLabel(const LocalMinute& back, const LocalDateTime& now);

// The notice's line: "14:30 戻り予定", with the date ("12/8 9:00 戻り予定") when the return is on
// another day, and "（5分超過）" behind it once whole minutes have passed since. Empty when the
// return time no longer counts.
std::string returnNoticeText(const LocalMinute& back, const LocalDateTime& now);

}  // namespace rumo
