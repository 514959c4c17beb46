// The log-in entry that starts the resident bar: where it lives and what it says.
#pragma once

#include <string>
#include <string_view>

namespace rumo {

// $XDG_CONFIG_HOME/autostart/<name>.desktop; an unset or relative XDG_CONFIG_HOME means
// $HOME/.config. Empty when neither gives an absolute folder.
std::string autostartEntryPath(std::string_view xdgConfigHome, std::string_view home,
                               std::string_view applicationName);

// A desktop entry starting `executablePath` (resident mode, no argument). Empty when the path
// cannot start anything from there: empty, relative, or not UTF-8 (an entry holds only UTF-8).
std::string autostartEntry(std::string_view executablePath);

// `path` as one argument of a desktop entry's Exec key, quoted and escaped where it needs to be.
std::string desktopExecArgument(std::string_view path);

}  // namespace rumo
