// How long the current process has existed, for the opt-in start-up timing trace.
#pragma once

#include <optional>

namespace rumo {

// Milliseconds since the kernel started this process (10 ms resolution on Linux); nothing where
// the platform does not tell.
std::optional<long long> processAgeMilliseconds();

}  // namespace rumo
