// Turns the notice's font descriptions into Qt fonts: Japanese face names resolve to the IPA
// faces the project installs, and a cell height becomes the pixel size whose line height
// (ascent plus descent) is that height.
#pragma once

#include <QFont>

#include "common/japanese_faces.h"

#include "screen/frame_steps.h"

namespace rumo {

// Largest glyph size the canvas renders; larger requests are drawn at this size.
inline constexpr int kMaxFontPixels = 2048;

QFont qtFont(const FontSpec& description);

}  // namespace rumo
