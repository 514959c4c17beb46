#include "platform/process_age.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#if defined(__linux__)
#include <unistd.h>
#endif

namespace rumo {

std::optional<long long> processAgeMilliseconds() {
#if defined(__linux__)
    std::FILE* file = std::fopen("/proc/self/stat", "r");
    if (!file) {
        return std::nullopt;
    }
    char buffer[1024] = {};
    const std::size_t got = std::fread(buffer, 1, sizeof buffer - 1, file);
    std::fclose(file);
    // The command name (field 2) may hold spaces and parentheses: count fields after its last ')'.
    const char* rest = std::strrchr(buffer, ')');
    if (got == 0 || !rest) {
        return std::nullopt;
    }
    unsigned long long startTicks = 0;
    // Fields 3..21 skipped, field 22 is the start time in clock ticks after boot.
    if (std::sscanf(rest + 1,
                    " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d %*d %*d %*d %*d %*d "
                    "%llu",
                    &startTicks) != 1) {
        return std::nullopt;
    }
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    timespec now{};
    if (ticksPerSecond <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) {
        return std::nullopt;
    }
    const long long nowMs = static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    const long long startMs = static_cast<long long>(startTicks) * 1000 / ticksPerSecond;
    return nowMs - startMs;
#else
    return std::nullopt;
#endif
}

}  // namespace rumo
