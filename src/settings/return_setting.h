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

// Stores the return time a quick pick sets at `now`, the times of 昼休み明け and 定時 as stored;
// None clears it. Choose, whose time comes from the user, changes nothing.
WriteStatus storeReturnPick(SettingsStore& store, ReturnPick pick, const LocalDateTime& now);

}  // namespace rumo
