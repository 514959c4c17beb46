// How an integer setting is kept as text in the settings file, and how such text is read back.
#pragma once

#include <optional>
#include <string_view>

namespace rumo {

// Accepts an optional sign and decimal digits, with surrounding blanks, within the 32-bit range.
// Anything else (empty, trailing garbage, overflow) is not an integer.
std::optional<int> parseStoredInt(std::string_view text);

}  // namespace rumo
