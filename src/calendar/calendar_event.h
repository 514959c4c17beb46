// One occurrence of a calendar event, as much of it as choosing a destination needs. Times are
// seconds since the epoch, so the choice itself never deals with time zones.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rumo {

struct CalendarEvent {
    std::int64_t start = 0;
    std::int64_t end = 0;
    bool allDay = false;
    bool free = false;  // shown as free time (TRANSP:TRANSPARENT)
    bool cancelled = false;
    std::string location;
    std::string title;
    // The attendees who declined, as addressAsKey() spells them.
    std::vector<std::string> declinedBy;
};

// An attendee's or the user's address as compared: without "mailto:", in lower case, trimmed.
std::string addressAsKey(std::string_view address);

}  // namespace rumo
