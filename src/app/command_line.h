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

// One leading '-' or '/' is skipped, then the rest must equal the letter, ignoring case.
bool matchesSwitch(std::string_view argument, char letter);

// The arguments after the program name.
Launch parseCommandLine(const std::vector<std::string>& arguments);

// A decimal window id: leading blanks skipped, digits up to the first non-digit. Zero, no digits
// or a value beyond 64 bits give nothing.
std::optional<std::uint64_t> parseWindowId(std::string_view text);

}  // namespace rumo
