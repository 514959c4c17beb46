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
    unsigned base = 10;
    if (text.size() - i > 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
        base = 16;
        i += 2;
    }
    std::uint64_t value = 0;
    bool anyDigit = false;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    for (; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::uint64_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && std::isxdigit(c)) {
            digit = static_cast<std::uint64_t>(std::tolower(c) - 'a' + 10);
        } else {
            break;
        }
        if (value > (kMax - digit) / base) {
            return std::nullopt;
        }
        value = value * base + digit;
        anyDigit = true;
    }
    if (!anyDigit || value == 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::uint64_t> previewWindowOf(const std::vector<std::string>& afterSwitch,
                                             const PreviewEnvironment& environment) {
    const bool root =
        !afterSwitch.empty() && (afterSwitch.front() == "-root" || afterSwitch.front() == "--root");
    if (!afterSwitch.empty() && !root) {
        return parseWindowId(afterSwitch.front());
    }
    if (environment.saverWindow) {
        return parseWindowId(*environment.saverWindow);
    }
    return std::nullopt;
}

Launch parseCommandLine(const std::vector<std::string>& arguments,
                        const PreviewEnvironment& environment) {
    if (arguments.empty() || matchesSwitch(arguments.front(), 'c')) {
        return {RunMode::Resident, std::nullopt};
    }
    const std::string& first = arguments.front();
    if (matchesSwitch(first, 'p')) {
        return {RunMode::Preview,
                previewWindowOf({arguments.begin() + 1, arguments.end()}, environment)};
    }
    if (matchesSwitch(first, 's')) {
        return {RunMode::Saver, std::nullopt};
    }
    // A screen-saver daemon that runs its savers as "program -root" in a window it names.
    if ((first == "-root" || first == "--root") && environment.saverWindow) {
        return {RunMode::Preview, parseWindowId(*environment.saverWindow)};
    }
    return {};
}

}  // namespace rumo
