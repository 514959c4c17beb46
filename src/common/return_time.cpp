#include "common/return_time.h"

#include "common/translate.h"

#include <cstdio>

#include "common/text.h"

namespace rumo {

namespace {

constexpr std::int64_t kMinutesPerDay = 24 * 60;
constexpr int kMaxBackMinutes = 24 * 60;
constexpr std::int64_t kCountsForSeconds = 24 * 60 * 60;

// Days since 1970-01-01 of a proleptic Gregorian date, and back (the usual era arithmetic).
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits only, at most `maxDigits` of them.
std::optional<int> digitsValue(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

std::int64_t calendarSeconds(const LocalDateTime& t) {
    return calendarMinutes(minuteOf(t)) * 60 + t.second;
}

LocalMinute minutesFromNow(const LocalDateTime& now, int minutes) {
    return minuteAtCalendar(calendarMinutes(minuteOf(now)) + minutes);
}

}  // namespace

std::int64_t calendarMinutes(const LocalMinute& at) {
    return daysFromCivil(at.year, at.month, at.day) * kMinutesPerDay + at.hour * 60 + at.minute;
}

LocalMinute minuteAtCalendar(std::int64_t minutes) {
    std::int64_t days = minutes / kMinutesPerDay;
    std::int64_t within = minutes % kMinutesPerDay;
    if (within < 0) {
        within += kMinutesPerDay;
        --days;
    }
    LocalMinute at;
    civilFromDays(days, at.year, at.month, at.day);
    at.hour = static_cast<int>(within / 60);
    at.minute = static_cast<int>(within % 60);
    return at;
}

LocalMinute minuteOf(const LocalDateTime& at) {
    return {at.year, at.month, at.day, at.hour, at.minute};
}

LocalMinute nextOccurrence(DayTime time, const LocalDateTime& now) {
    LocalMinute today{now.year, now.month, now.day, time.hour, time.minute};
    if (calendarMinutes(today) > calendarMinutes(minuteOf(now))) {
        return today;
    }
    return minuteAtCalendar(calendarMinutes(today) + kMinutesPerDay);
}

std::optional<DayTime> parseDayTime(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view minutePart = text.substr(colon + 1);
    const auto hour = digitsValue(text.substr(0, colon), 2);
    const auto minute = minutePart.size() == 2 ? digitsValue(minutePart, 2) : std::nullopt;
    if (!hour || !minute || *hour > 23 || *minute > 59) {
        return std::nullopt;
    }
    return DayTime{*hour, *minute};
}

std::string dayTimeText(DayTime time) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d:%02d", time.hour, time.minute);
    return buffer;
}

std::optional<LocalMinute> parseStoredReturn(std::string_view text) {
    text = trimBlanks(text);
    // YYYY-MM-DD HH:MM
    if (text.size() < 15 || text[4] != '-' || text[7] != '-' || text[10] != ' ') {
        return std::nullopt;
    }
    const auto year = digitsValue(text.substr(0, 4), 4);
    const auto month = digitsValue(text.substr(5, 2), 2);
    const auto day = digitsValue(text.substr(8, 2), 2);
    const auto time = parseDayTime(text.substr(11));
    if (!year || !month || !day || !time || *month < 1 || *month > 12 || *day < 1 ||
        *day > daysInMonth(*year, *month)) {
        return std::nullopt;
    }
    return LocalMinute{*year, *month, *day, time->hour, time->minute};
}

std::string storedReturnText(const LocalMinute& at) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d", at.year, at.month, at.day,
                  at.hour, at.minute);
    return buffer;
}

std::string returnMenuTitle() {
    return translate("ReturnTime", "Return time");
}

std::string ReturnMenuEntry::shownLabel() const {
    return translateData("ReturnTime", label);
}

const std::vector<ReturnMenuEntry>& returnMenuEntries() {
    static const std::vector<ReturnMenuEntry> entries = {
        {ReturnPick::In15, QT_TRANSLATE_NOOP("ReturnTime", "In 15 minutes")},
        {ReturnPick::In30, QT_TRANSLATE_NOOP("ReturnTime", "In 30 minutes")},
        {ReturnPick::In60, QT_TRANSLATE_NOOP("ReturnTime", "In 1 hour")},
        {ReturnPick::In120, QT_TRANSLATE_NOOP("ReturnTime", "In 2 hours")},
        {ReturnPick::AfterLunch, QT_TRANSLATE_NOOP("ReturnTime", "After lunch")},
        {ReturnPick::EndOfDay, QT_TRANSLATE_NOOP("ReturnTime", "End of day")},
        {ReturnPick::Choose, QT_TRANSLATE_NOOP("ReturnTime", "Other time…")},
        {ReturnPick::None, QT_TRANSLATE_NOOP("ReturnTime", "Clear")},
    };
    return entries;
}

std::optional<LocalMinute> pickedReturn(ReturnPick pick, const LocalDateTime& now,
                                        const ReturnDefaults& defaults) {
    switch (pick) {
        case ReturnPick::In15:
            return minutesFromNow(now, 15);
        case ReturnPick::In30:
            return minutesFromNow(now, 30);
        case ReturnPick::In60:
            return minutesFromNow(now, 60);
        case ReturnPick::In120:
            return minutesFromNow(now, 120);
        case ReturnPick::AfterLunch:
            return nextOccurrence(defaults.lunchEnd, now);
        case ReturnPick::EndOfDay:
            return nextOccurrence(defaults.dayEnd, now);
        case ReturnPick::Choose:
        case ReturnPick::None:
            break;
    }
    return std::nullopt;
}

std::optional<BackRequest> parseBackRequest(std::string_view text) {
    if (text == "none") {
        return BackNone{};
    }
    if (!text.empty() && text.front() == '+') {
        const auto minutes = digitsValue(text.substr(1), 4);
        if (!minutes || *minutes < 1 || *minutes > kMaxBackMinutes) {
            return std::nullopt;
        }
        return BackIn{*minutes};
    }
    if (const auto time = parseDayTime(text)) {
        return BackAt{*time};
    }
    return std::nullopt;
}

std::string_view backFormHint() {
    return "a time of day HH:MM (0:00 to 23:59), +MINUTES (1 to 1440) or none";
}

std::optional<LocalMinute> resolveBack(const BackRequest& request, const LocalDateTime& now) {
    if (const auto* at = std::get_if<BackAt>(&request)) {
        return nextOccurrence(at->time, now);
    }
    if (const auto* in = std::get_if<BackIn>(&request)) {
        return minutesFromNow(now, in->minutes);
    }
    return std::nullopt;
}

std::optional<LocalMinute> currentReturn(const std::optional<LocalMinute>& stored,
                                         const LocalDateTime& now) {
    if (!stored || calendarSeconds(now) - calendarMinutes(*stored) * 60 > kCountsForSeconds) {
        return std::nullopt;
    }
    return stored;
}

std::string returnTimeLabel(const LocalMinute& back, const LocalDateTime& now) {
    std::string text;
    if (back.year != now.year || back.month != now.month || back.day != now.day) {
        text = std::to_string(back.month) + "/" + std::to_string(back.day) + " ";
    }
    return text + dayTimeText({back.hour, back.minute});
}

std::string returnNoticeText(const LocalMinute& back, const LocalDateTime& now) {
    if (!currentReturn(back, now)) {
        return {};
    }
    const std::string time = returnTimeLabel(back, now);
    const std::int64_t overdueMinutes = (calendarSeconds(now) - calendarMinutes(back) * 60) / 60;
    if (overdueMinutes >= 1) {
        // The count as the notice always showed it, beyond what an int holds too.
        return withArgument(
            withArgument(translate("ReturnTime", "Back at %1 (%2 min overdue)"), time),
            std::to_string(overdueMinutes));
    }
    return withArgument(translate("ReturnTime", "Back at %1"), time);
}

}  // namespace rumo
