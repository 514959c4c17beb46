// Where the bar is placed: its stored place, unless its window would lie mostly outside every
// screen (a monitor unplugged, a lower resolution), in which case it goes inside the nearest one.
#pragma once

#include <optional>
#include <vector>

#include "common/geometry.h"

namespace rumo::bar {

// A window or a screen area, in pixels.
using Box = Rect;

// The screen area the window must be brought into, or nothing when at least half of it already
// lies inside one of `areas` (the screens' available areas), or when there are no areas.
std::optional<Box> areaToBringInto(const Box& window, const std::vector<Box>& areas);

// The window's top-left corner moved just far enough for the window to lie wholly inside `area`
// (its top-left corner inside when it is larger than the area).
Box fitInside(const Box& window, const Box& area);

}  // namespace rumo::bar
