// Where the destination text starts, how it moves each frame, and where its copies are drawn,
// for the five patterns (0 from the left, 1 from the right, 2 cross, 3 scattered, 4 no text).
// Widths are estimated from the code-page-932 byte length, never measured.
#pragma once

#include <vector>

#include "screen/crt_random.h"
#include "screen/frame_steps.h"
#include "screen/notice_scene.h"

namespace rumo {

// L: the estimated width of the destination text, its byte length times quarterSize.
std::int32_t estimatedTextWidth(const NoticeScene& scene);

// Initial placement, done by a paint: textX and textY from the pattern, the position setting,
// the client height and quarterSize (the scattered pattern keeps both).
void placeText(NoticeScene& scene, int height);

// One motion step; the scattered pattern draws its two random numbers from the generator.
void stepText(NoticeScene& scene, int width, int height, CrtRandom& random);

// The top-left corners of the copies of the destination text, in drawing order.
std::vector<Point> textAnchors(const NoticeScene& scene, int width);

}  // namespace rumo
