// The pseudo-random generator of the notice: the classic C run-time sequence (values 0 to 32767)
// reseeded from the current second, so a second's random choices are the same on every platform.
#pragma once

#include <cstdint>

namespace rumo {

class CrtRandom {
public:
    static constexpr int kMax = 0x7FFF;

    explicit CrtRandom(std::uint32_t seed = 1) : state_(seed) {}

    void seed(std::uint32_t seed) { state_ = seed; }

    // Seeds from calendar time in whole seconds, truncated to 32 bits as a C run-time would.
    void seedFromTime(std::int64_t epochSeconds) {
        seed(static_cast<std::uint32_t>(static_cast<std::uint64_t>(epochSeconds)));
    }

    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t state_;
};

}  // namespace rumo
