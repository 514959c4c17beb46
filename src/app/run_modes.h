// The three run modes, entered from main() once the command line has been read.
#pragma once

#include <cstdint>

namespace rumo {

class SettingsStore;

int runResident(SettingsStore& store);
int runSaver(SettingsStore& store);
int runPreview(SettingsStore& store, std::uint64_t parentWindow);

}  // namespace rumo
