// Where the bar is placed: its stored place, unless its window, frame and title bar included,
// would not lie wholly inside the available area of one screen (a monitor unplugged, a lower
// resolution, a panel along the edge), in which case it goes inside the screen holding most of it.
#pragma once

#include <optional>
#include <vector>

#include "common/geometry.h"

namespace rumo::bar {

// A window or a screen area, in pixels.
using Box = Rect;

// The screen area the window must be brought into, or nothing when it already lies wholly inside
// one of `areas` (the screens' available areas), or when there are no areas. The area chosen
// holds the largest part of the window; when none holds any, it is the nearest one.
std::optional<Box> areaToBringInto(const Box& window, const std::vector<Box>& areas);

// The window's top-left corner moved just far enough for the window to lie wholly inside `area`
// (its top-left corner inside when it is larger than the area).
Box fitInside(const Box& window, const Box& area);

}  // namespace rumo::bar
