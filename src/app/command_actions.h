// What the long options do that is not a run mode: the log-in entry and storing the destination.
#pragma once

#include <QString>

namespace rumo {

class SettingsStore;

// Writes (on) or removes (off) the log-in entry of the running executable. Returns the exit
// status; says why on stderr when it fails.
int applyAutostart(bool on, const QString& applicationName);

// Stores `where` as the destination; false (said on stderr) when the settings cannot be written.
bool storeWhere(SettingsStore& store, const QString& where);

}  // namespace rumo
