// Which of the three run modes the command line asks for. Only the first argument counts (and,
// for the preview, the window id after it).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rumo {

enum class RunMode { Resident, Preview, Saver, Nothing };

struct Launch {
    RunMode mode = RunMode::Nothing;
    // Preview only: the native window to draw into; empty when the id is missing, zero or not
    // a number.
    std::optional<std::uint64_t> previewWindow;
};

// The value of XSCREENSAVER_WINDOW, where a desktop's screen saver names the window its savers
// draw into; empty when it is not set.
struct PreviewEnvironment {
    std::optional<std::string> saverWindow;
};

// One leading '-' or '/' is skipped, then the rest must equal the letter, ignoring case.
bool matchesSwitch(std::string_view argument, char letter);

// The arguments after the program name.
Launch parseCommandLine(const std::vector<std::string>& arguments,
                        const PreviewEnvironment& environment = {});

// A window id, decimal or hexadecimal after "0x" (as xwininfo and XSCREENSAVER_WINDOW write it):
// leading blanks skipped, digits up to the first non-digit. Zero, no digits or a value beyond
// 64 bits give nothing.
std::optional<std::uint64_t> parseWindowId(std::string_view text);

// The preview's window from the arguments after the switch: an id given there, else (no id, or
// -root / --root as screen-saver daemons pass it) the window the environment names.
std::optional<std::uint64_t> previewWindowOf(const std::vector<std::string>& afterSwitch,
                                             const PreviewEnvironment& environment);

}  // namespace rumo
