// What the long options do that is not a run mode: the log-in entry, storing the destination and
// the expected return time.
#pragma once

#include <QString>

#include "common/return_time.h"

namespace rumo {

class SettingsStore;

// Writes (on) or removes (off) the log-in entry of the running executable. Returns the exit
// status; says why on stderr when it fails.
int applyAutostart(bool on, const QString& applicationName);

// Stores `where` as the destination; false (said on stderr) when the settings cannot be written.
bool storeWhere(SettingsStore& store, const QString& where);

// Stores the return time `request` sets at `now` (local calendar), or clears it; false (said on
// stderr) when the settings cannot be written.
bool storeBack(SettingsStore& store, const BackRequest& request, const LocalDateTime& now);

}  // namespace rumo
