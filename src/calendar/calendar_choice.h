// What the notice takes from the calendar at a given moment: the destination and the return time
// of the busy event the user is at, or about to leave for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calendar/calendar_event.h"
#include "common/translate.h"

namespace rumo {

// An event starting this soon counts as the one the user is leaving for.
inline constexpr std::int64_t kCalendarLookAheadSeconds = 5 * 60;
// A destination or return time picked by hand this recently is not overridden.
inline constexpr std::int64_t kManualPickHoldSeconds = 10 * 60;

struct CalendarRules {
    std::vector<std::string> myAddresses;  // the user's, in any case, "mailto:" or not
    bool showTitle = false;                // an event without a place may show its title
    std::optional<std::int64_t> manualPickAt;
};

struct CalendarPick {
    std::string destination;  // one line
    std::int64_t returnAt = 0;
};

// The destination shown for a busy event that names no place.
inline constexpr std::string_view kBusyWithoutPlace = QT_TRANSLATE_NOOP("Calendar", "Busy");

std::optional<CalendarPick> pickFromCalendar(const std::vector<CalendarEvent>& events,
                                             std::int64_t now, const CalendarRules& rules);

// The first moment after `now` at which pickFromCalendar() may give another answer: an event
// coming into the look-ahead, starting or ending, or the hand pick's hold running out. Nothing
// when no such moment is among the events.
std::optional<std::int64_t> nextCalendarChange(const std::vector<CalendarEvent>& events,
                                               std::int64_t now, const CalendarRules& rules);

}  // namespace rumo
