// The expected return time and the two default times of day, as the settings hold them.
#pragma once

#include <optional>

#include "common/return_time.h"
#include "settings/settings_store.h"

namespace rumo {

// The stored return time, whether or not it still counts (currentReturn() says); nothing when
// none is stored or the text is no return time.
std::optional<LocalMinute> readReturnTime(const SettingsSnapshot& values);
// The times of 昼休み明け and 定時; a stored text that is no time of day reads as the default.
ReturnDefaults readReturnDefaults(const SettingsSnapshot& values);

// Stores the return time, or clears it. Clearing a return time that was never stored writes
// nothing, so the settings file of a user who never sets one stays as it was.
WriteStatus storeReturnTime(SettingsStore& store, const std::optional<LocalMinute>& back);

}  // namespace rumo
