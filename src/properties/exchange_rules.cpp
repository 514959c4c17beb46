#include "properties/exchange_rules.h"

#include <charconv>
#include <cstdint>

#include "common/text.h"

namespace rumo {

int checkStateFromStored(int stored) {
    return stored >= 0 && stored <= 2 ? stored : 0;
}

// The whole text is read, however long: a number followed by a long run of blanks and then
// garbage is refused rather than taken from its first characters.
std::optional<int> parseDialogInt(std::string_view text) {
    text = trimBlanks(text);
    const bool startsWithZero = !text.empty() && text.front() == '0';
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > std::int64_t{INT32_MAX} + 1) {
            return std::nullopt;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX || value < INT32_MIN) {
        return std::nullopt;
    }
    if (value == 0 && !startsWithZero) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

}  // namespace rumo
