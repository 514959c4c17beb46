#include "app/command_line.h"

#include <cctype>
#include <limits>

namespace rumo {

bool matchesSwitch(std::string_view argument, char letter) {
    if (!argument.empty() && (argument.front() == '-' || argument.front() == '/')) {
        argument.remove_prefix(1);
    }
    return argument.size() == 1 && std::tolower(static_cast<unsigned char>(argument.front())) ==
                                       std::tolower(static_cast<unsigned char>(letter));
}

std::optional<std::uint64_t> parseWindowId(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    std::uint64_t value = 0;
    bool anyDigit = false;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        if (value > (kMax - digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 + digit;
        anyDigit = true;
    }
    if (!anyDigit || value == 0) {
        return std::nullopt;
    }
    return value;
}

Launch parseCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty() || matchesSwitch(arguments.front(), 'c')) {
        return {RunMode::Resident, std::nullopt};
    }
    const std::string& first = arguments.front();
    if (matchesSwitch(first, 'p')) {
        Launch launch{RunMode::Preview, std::nullopt};
        if (arguments.size() > 1) {
            launch.previewWindow = parseWindowId(arguments[1]);
        }
        return launch;
    }
    if (matchesSwitch(first, 's')) {
        return {RunMode::Saver, std::nullopt};
    }
    return {};
}

}  // namespace rumo
