// What the user's calendar says at a given moment, read from every source the user keeps.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "calendar/calendar_choice.h"
#include "calendar/kept_copy.h"

namespace rumo {

class SettingsSnapshot;

// Fetch: read each source now (a URL over the network, a few seconds at most, falling back to
// its last good copy with a failure line). KeptCopyOnly: local files and the copies read last, for
// callers that must not wait on the network, such as a menu about to open.
enum class CalendarFetch { Fetch, KeptCopyOnly };

struct CalendarLookup {
    std::optional<CalendarPick> pick;
    QStringList failures;  // one line per source that could not be read, naming it
    // When the pick may change next (an event's edge, or the end of the window read); a list
    // showing the pick reads the calendar again then.
    std::optional<std::int64_t> nextChangeAt;
};

// The sources in the order the user added them.
QStringList keptCalendarSources(const SettingsSnapshot& snapshot);
// The same with the user name each URL is read with.
std::vector<CalendarSourceRef> calendarSourceRefs(const SettingsSnapshot& snapshot);

// `manualPickAt`: when the user last picked a destination or a return time by hand, which the
// calendar does not override for a while.
CalendarLookup lookUpCalendar(const SettingsSnapshot& snapshot, std::int64_t now,
                              std::optional<std::int64_t> manualPickAt, CalendarFetch fetch);

}  // namespace rumo
