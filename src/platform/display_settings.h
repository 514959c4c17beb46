// The desktop's display-settings tool: the first one installed of the common desktops' tools.
#pragma once

#include <optional>
#include <vector>

#include "common/launch_commands.h"

namespace rumo {

// GNOME, KDE Plasma, Xfce, LXQt, then the desktop-neutral arandr.
const std::vector<ToolCandidate>& displaySettingsTools();

// The command that opens the first installed tool, or nothing when none is.
std::optional<LaunchCommand> displaySettingsCommand();

}  // namespace rumo
