#include "calendar/calendar_choice.h"

#include <algorithm>
#include <cctype>

namespace rumo {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A place may hold line breaks and other control characters (an escaped "\n" in the feed); the
// notice shows one line and the command line prints the destination as its first line.
std::string oneLine(std::string_view text) {
    std::string line;
    for (const char c : trimmed(text)) {
        const auto byte = static_cast<unsigned char>(c);
        line += (byte < 0x20 || byte == 0x7F) ? ' ' : c;
    }
    return line;
}

bool declinedByUser(const CalendarEvent& event, const std::vector<std::string>& mine) {
    return std::any_of(event.declinedBy.begin(), event.declinedBy.end(), [&](const auto& who) {
        return std::any_of(mine.begin(), mine.end(),
                           [&](const auto& address) { return addressAsKey(address) == who; });
    });
}

bool counts(const CalendarEvent& event, const CalendarRules& rules) {
    // An event without length is a reminder, not somewhere to be.
    return !event.allDay && !event.free && !event.cancelled && event.end > event.start &&
           !declinedByUser(event, rules.myAddresses);
}

}  // namespace

std::string addressAsKey(std::string_view address) {
    address = trimmed(address);
    constexpr std::string_view kScheme = "mailto:";
    std::string key(address);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (key.starts_with(kScheme)) {
        key.erase(0, kScheme.size());
    }
    return key;
}

std::optional<CalendarPick> pickFromCalendar(const std::vector<CalendarEvent>& events,
                                             std::int64_t now, const CalendarRules& rules) {
    if (rules.manualPickAt && *rules.manualPickAt > now - kManualPickHoldSeconds) {
        return std::nullopt;
    }
    const CalendarEvent* inProgress = nullptr;  // the one that started last
    const CalendarEvent* upcoming = nullptr;    // the earliest
    for (const CalendarEvent& event : events) {
        if (!counts(event, rules)) {
            continue;
        }
        if (event.start <= now && now < event.end) {
            if (!inProgress || event.start > inProgress->start) {
                inProgress = &event;
            }
        } else if (event.start > now && event.start <= now + kCalendarLookAheadSeconds) {
            if (!upcoming || event.start < upcoming->start) {
                upcoming = &event;
            }
        }
    }
    const CalendarEvent* chosen = inProgress ? inProgress : upcoming;
    if (!chosen) {
        return std::nullopt;
    }
    std::string destination = oneLine(chosen->location);
    if (destination.empty() && rules.showTitle) {
        destination = oneLine(chosen->title);
    }
    if (destination.empty()) {
        destination = translateData("Calendar", kBusyWithoutPlace);
    }
    return CalendarPick{std::move(destination), chosen->end};
}

std::optional<std::int64_t> nextCalendarChange(const std::vector<CalendarEvent>& events,
                                               std::int64_t now, const CalendarRules& rules) {
    std::optional<std::int64_t> next;
    const auto consider = [&](std::int64_t at) {
        if (at > now && (!next || at < *next)) {
            next = at;
        }
    };
    if (rules.manualPickAt) {
        consider(*rules.manualPickAt + kManualPickHoldSeconds);
    }
    for (const CalendarEvent& event : events) {
        if (counts(event, rules)) {
            consider(event.start - kCalendarLookAheadSeconds);
            consider(event.start);
            consider(event.end);
        }
    }
    return next;
}

}  // namespace rumo
