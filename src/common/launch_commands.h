// The programs the bar starts, as a program path and its arguments. Built here, started by the
// shell's launcher without waiting.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rumo {

struct LaunchCommand {
    std::string program;  // an absolute path
    std::vector<std::string> arguments;
    friend bool operator==(const LaunchCommand&, const LaunchCommand&) = default;
};

// The notice: the running executable itself in saver mode, wherever the bar was started from.
LaunchCommand noticeCommand(std::string_view executablePath);

// A screen-saver program `file` of `directory`, drawing into the native window `hostWindow` that
// covers the screen. Nothing when no program was chosen, or when `file` is not a plain file name
// (a stored value must not reach outside the directory).
std::optional<LaunchCommand> screenSaverCommand(std::string_view directory, std::string_view file,
                                                std::uint64_t hostWindow);

// A display-settings tool a desktop may offer: the program's name and its arguments.
struct ToolCandidate {
    std::string name;
    std::vector<std::string> arguments;
};

// The first candidate `findExecutable` resolves (to an absolute path; empty when not installed).
std::optional<LaunchCommand> firstAvailableTool(
    const std::vector<ToolCandidate>& candidates,
    const std::function<std::string(std::string_view)>& findExecutable);

}  // namespace rumo
