// A moment as the desktop's clock shows it: the local calendar date and time of day. The core
// takes it as an argument, so everything that depends on the clock stays reproducible.
#pragma once

namespace rumo {

struct LocalDateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

}  // namespace rumo
