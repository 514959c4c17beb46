// A frame laid out in a screen's logical pixels, carried over to its device pixels, so a
// high-resolution screen gets the same notice drawn sharp instead of enlarged.
#pragma once

#include "screen/frame_steps.h"

namespace rumo {

// The frame's size, every rectangle's edges, text anchors and cell heights times ratio, rounded
// to the nearest device pixel (edges, not sizes, so neighbouring areas stay neighbours). A ratio
// of 1 returns the frame as it is.
Frame scaleFrame(const Frame& frame, double ratio);

// One logical coordinate in device pixels, kept in the 32-bit range.
int toDevice(int logical, double ratio);

// The logical length that covers a length in device pixels (a host window's size, as the window
// system gives it) at the ratio: rounded up, so no device pixel is left undrawn.
int toLogicalCovering(int device, double ratio);

}  // namespace rumo
