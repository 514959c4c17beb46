// Questions about another program's native window (the preview's parent).
#pragma once

#include <QSize>
#include <cstdint>
#include <optional>

namespace rumo {

// The size of the window's client area, or nothing when no such window exists or the platform
// cannot tell.
std::optional<QSize> nativeWindowSize(std::uint64_t windowId);

}  // namespace rumo
