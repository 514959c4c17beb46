// The desktop's display-settings tool: the running desktop's own first, then the other common
// desktops' tools, then the desktop-neutral arandr.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "common/launch_commands.h"

namespace rumo {

// GNOME, KDE Plasma, Xfce, LXQt, then arandr: the order when the desktop is unknown.
const std::vector<ToolCandidate>& displaySettingsTools();

// The tools in the order they are tried under `currentDesktop` (XDG_CURRENT_DESKTOP: a
// colon-separated list such as "ubuntu:GNOME"): the tools of the desktops it names first, in
// its order, then the rest.
std::vector<ToolCandidate> displaySettingsToolsFor(std::string_view currentDesktop);

// The command that opens the running desktop's tool, or the first other one installed; nothing
// when none is.
std::optional<LaunchCommand> displaySettingsCommand();

}  // namespace rumo
