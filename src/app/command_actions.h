// What the long options do that is not a run mode: the log-in entry, storing the destination and
// the expected return time.
#pragma once

#include <QString>
#include <string>

#include "common/return_time.h"

namespace rumo {

class SettingsStore;

// The running program's file as the system names it: `reported` (Qt's applicationFilePath()),
// else where /proc/self/exe leads (Qt reports nothing for a path that is not valid UTF-8); empty
// when neither tells.
std::string programFilePath(const QString& reported);

// Writes (on) or removes (off) the log-in entry starting `executable`. Returns the exit status;
// says why on stderr when it fails (an entry that could not start the program is not written).
int applyAutostart(bool on, const QString& applicationName, const std::string& executable);

// Stores `where` as the destination, and the moment as a pick by hand, which the calendar leaves
// alone for a while; false (said on stderr) when the settings cannot be written.
bool storeWhere(SettingsStore& store, const QString& where);

// Stores the return time `request` sets at `now` (local calendar), or clears it, as a pick by
// hand; false (said on stderr) when the settings cannot be written.
bool storeBack(SettingsStore& store, const BackRequest& request, const LocalDateTime& now);

}  // namespace rumo
