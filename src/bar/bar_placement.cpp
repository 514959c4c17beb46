#include "bar/bar_placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace rumo::bar {

namespace {

std::int64_t overlap(const Box& a, const Box& b) {
    const std::int64_t left = std::max<std::int64_t>(a.x, b.x);
    const std::int64_t right =
        std::min<std::int64_t>(std::int64_t{a.x} + a.width, std::int64_t{b.x} + b.width);
    const std::int64_t top = std::max<std::int64_t>(a.y, b.y);
    const std::int64_t bottom =
        std::min<std::int64_t>(std::int64_t{a.y} + a.height, std::int64_t{b.y} + b.height);
    return right > left && bottom > top ? (right - left) * (bottom - top) : 0;
}

// Squared distance from the window's centre to the nearest point of the area.
std::int64_t distanceSquared(const Box& window, const Box& area) {
    const std::int64_t cx = std::int64_t{window.x} + window.width / 2;
    const std::int64_t cy = std::int64_t{window.y} + window.height / 2;
    const std::int64_t nx = std::clamp<std::int64_t>(cx, area.x, std::int64_t{area.x} + area.width);
    const std::int64_t ny =
        std::clamp<std::int64_t>(cy, area.y, std::int64_t{area.y} + area.height);
    return (cx - nx) * (cx - nx) + (cy - ny) * (cy - ny);
}

int fitAxis(int position, int extent, int start, int length) {
    const std::int64_t last = std::int64_t{start} + length - extent;
    return static_cast<int>(std::max<std::int64_t>(start, std::min<std::int64_t>(position, last)));
}

bool holds(const Box& area, const Box& window) {
    return window.x >= area.x && window.y >= area.y &&
           std::int64_t{window.x} + window.width <= std::int64_t{area.x} + area.width &&
           std::int64_t{window.y} + window.height <= std::int64_t{area.y} + area.height;
}

}  // namespace

std::optional<Box> areaToBringInto(const Box& window, const std::vector<Box>& areas) {
    const Box* best = nullptr;
    std::int64_t bestOverlap = 0;
    std::int64_t nearestDistance = std::numeric_limits<std::int64_t>::max();
    for (const Box& area : areas) {
        if (holds(area, window)) {
            return std::nullopt;
        }
        // Any part inside beats none; among those without any, the nearest wins.
        const std::int64_t shared = overlap(window, area);
        const std::int64_t distance = shared > 0 ? 0 : distanceSquared(window, area);
        if (best == nullptr || shared > bestOverlap ||
            (bestOverlap == 0 && shared == 0 && distance < nearestDistance)) {
            best = &area;
            bestOverlap = shared;
            nearestDistance = distance;
        }
    }
    return best != nullptr ? std::optional<Box>(*best) : std::nullopt;
}

Box fitInside(const Box& window, const Box& area) {
    return {fitAxis(window.x, window.width, area.x, area.width),
            fitAxis(window.y, window.height, area.y, area.height), window.width, window.height};
}

}  // namespace rumo::bar
