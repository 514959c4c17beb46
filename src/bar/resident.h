// The resident mode's user interface, entered once the single-instance guard is held.
#pragma once

namespace rumo {

class SettingsStore;

// Runs until the user exits the resident mode; returns the process exit status.
int runResidentBar(SettingsStore& store);

}  // namespace rumo
