// A small window asking where the user goes, for the desktop menu's "choose and start" action:
// the stored destinations offered, any other text allowed.
#pragma once

#include <QString>
#include <optional>

namespace rumo {

class SettingsStore;

// The destination chosen or typed, or nothing when the window was cancelled.
std::optional<QString> askWhere(SettingsStore& store);

}  // namespace rumo
