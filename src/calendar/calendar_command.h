// The calendar's command-line actions: keeping the list of sources, turning the calendar on and
// off for the notice, and printing what the notice would take from it at a given moment.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace rumo {

class SettingsStore;

// `words`: add SOURCE, list, remove N, on or off (already checked by the option reader); `user`:
// the user name a URL being added is read with, its password then read from standard input into
// the keyring. Returns the exit status; says why on stderr when it fails.
int runCalendarAction(SettingsStore& store, const QStringList& words,
                      const std::optional<QString>& user = std::nullopt);

// The destination on the first line of stdout and the return time (HH:MM) on the second, at
// `at` ("YYYY-MM-DD HH:MM", local time) or now; status 1 and nothing printed when no event applies.
int printWhereFromCalendar(SettingsStore& store, const std::optional<QString>& at);

}  // namespace rumo
