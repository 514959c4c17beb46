// Geometry of the notice is 32-bit signed arithmetic that wraps like the platform it was designed
// for; computing in 64 bits and narrowing keeps that wrap without undefined behaviour.
#pragma once

#include <cstdint>

namespace rumo {

inline std::int32_t wrap32(std::int64_t value) {
    return static_cast<std::int32_t>(value);
}

inline std::int32_t add32(std::int64_t a, std::int64_t b) {
    return wrap32(a + b);
}
inline std::int32_t sub32(std::int64_t a, std::int64_t b) {
    return wrap32(a - b);
}
inline std::int32_t mul32(std::int64_t a, std::int64_t b) {
    return wrap32(
        static_cast<std::int64_t>(static_cast<std::uint64_t>(a) * static_cast<std::uint64_t>(b)));
}

// Division truncating toward zero; a zero divisor gives 0, and the one overflowing quotient
// (INT32_MIN / -1) wraps.
inline std::int32_t div32(std::int64_t a, std::int64_t b) {
    if (b == 0) {
        return 0;
    }
    return wrap32(wrap32(a) / static_cast<std::int64_t>(wrap32(b)));
}

}  // namespace rumo
