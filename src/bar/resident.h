// The resident mode's user interface, entered once the single-instance guard is held.
#pragma once

#include <string>

namespace rumo {

class SettingsStore;

// Runs until the user exits the resident mode; returns the process exit status. Programs the bar
// starts get `childSessionBus` as their session bus where it is not empty (this process may have
// left a silent one).
int runResidentBar(SettingsStore& store, const std::string& childSessionBus = {});

}  // namespace rumo
