// A small window asking where the user goes and when they expect to be back, for the desktop
// menu's "choose and start" action: the stored destinations offered, any other text allowed; the
// return time's quick picks, or a time of day.
#pragma once

#include <QString>
#include <optional>

#include "common/return_time.h"

namespace rumo {

class SettingsStore;

struct AwayAnswer {
    QString where;
    // The return time to store: nothing clears it.
    std::optional<LocalMinute> back;
};

// What was chosen or typed, or nothing when the window was cancelled. The return time is
// resolved at the moment the window is confirmed.
std::optional<AwayAnswer> askWhere(SettingsStore& store);

}  // namespace rumo
