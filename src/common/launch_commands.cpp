#include "common/launch_commands.h"

#include <cstdio>

namespace rumo {

LaunchCommand noticeCommand(std::string_view executablePath) {
    return {std::string(executablePath), {"-s"}};
}

std::optional<LaunchCommand> screenSaverCommand(std::string_view directory, std::string_view file,
                                                std::uint64_t hostWindow) {
    if (file.empty() || file == "." || file == ".." || file.find('/') != std::string_view::npos ||
        file.find('\\') != std::string_view::npos || file.find('\0') != std::string_view::npos ||
        directory.empty()) {
        return std::nullopt;
    }
    std::string program(directory);
    if (program.back() != '/') {
        program += '/';
    }
    program += file;
    char window[2 + 16 + 1];
    std::snprintf(window, sizeof window, "0x%llx", static_cast<unsigned long long>(hostWindow));
    return LaunchCommand{std::move(program), {"-window-id", window}};
}

std::optional<LaunchCommand> firstAvailableTool(
    const std::vector<ToolCandidate>& candidates,
    const std::function<std::string(std::string_view)>& findExecutable) {
    for (const ToolCandidate& candidate : candidates) {
        std::string path = findExecutable(candidate.name);
        if (!path.empty()) {
            return LaunchCommand{std::move(path), candidate.arguments};
        }
    }
    return std::nullopt;
}

}  // namespace rumo
