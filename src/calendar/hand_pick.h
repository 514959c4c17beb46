// The moment the user last picked a destination or a return time by hand. The calendar leaves
// such a pick alone for a while, so what the user just said beats what their calendar says.
#pragma once

#include <cstdint>
#include <optional>

#include "settings/settings_store.h"

namespace rumo {

// The pick's moment, or nothing when none is recorded (or the text is no moment).
std::optional<std::int64_t> readHandPick(const SettingsSnapshot& values);

// The write that records a pick by hand at `now` (seconds since the epoch); written together
// with the destination it goes with where the caller can.
SettingWrite handPickWrite(std::int64_t now);

// Records a pick by hand at `now` on its own, for callers whose own write is done elsewhere.
WriteStatus recordHandPick(SettingsStore& store, std::int64_t now);

// The user chose the calendar's own entry: the calendar applies again. Nothing to write when no
// pick is recorded, so a user who never picks by hand keeps no such key.
std::optional<SettingWrite> handPickForgotten(const SettingsSnapshot& values);

}  // namespace rumo
