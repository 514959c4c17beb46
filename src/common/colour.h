// A colour as the settings keep it: three 8-bit components packed red first, as the notice draws
// it and the choosers edit it.
#pragma once

#include <cstdint>

namespace rumo {

using Colour = std::uint32_t;  // red in the low byte, then green, then blue

// Only the low eight bits of each component count, as when the three keys are packed.
constexpr Colour rgb(int red, int green, int blue) {
    return static_cast<Colour>(red & 0xFF) | static_cast<Colour>(green & 0xFF) << 8 |
           static_cast<Colour>(blue & 0xFF) << 16;
}
constexpr int redOf(Colour colour) {
    return static_cast<int>(colour & 0xFF);
}
constexpr int greenOf(Colour colour) {
    return static_cast<int>(colour >> 8 & 0xFF);
}
constexpr int blueOf(Colour colour) {
    return static_cast<int>(colour >> 16 & 0xFF);
}

}  // namespace rumo
