// Reading an iCalendar text (RFC 5545) into the occurrences of its events within a time window:
// repeating events expanded, exceptions applied, every time turned into seconds since the epoch
// with the zones the calendar defines (or the system's, by their names).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calendar/calendar_event.h"

namespace rumo {

// The occurrences that overlap [from, to). Floating times (no zone given) are read in
// `localZone`, a zone name such as "Asia/Tokyo" (UTC when the system does not know it). What
// cannot be read is left out.
std::vector<CalendarEvent> eventsBetween(const std::string& icsText, std::int64_t from,
                                         std::int64_t to, std::string_view localZone);

// From the start of the local day holding `now` to the end of the next day: the window the
// program reads the calendar for.
std::pair<std::int64_t, std::int64_t> todayAndTomorrow(std::int64_t now,
                                                       std::string_view localZone);

}  // namespace rumo
