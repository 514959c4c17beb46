#include "screen/frame_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace rumo {

namespace {

int edgeToDevice(std::int64_t logical, double ratio) {
    const double scaled = std::round(static_cast<double>(logical) * ratio);
    return static_cast<int>(
        std::clamp(scaled, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
                   static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

int extent(int from, int to) {
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t(to) - from, 0,
                                                     std::numeric_limits<std::int32_t>::max()));
}

Rect scaleRect(const Rect& r, double ratio) {
    const int left = edgeToDevice(r.x, ratio);
    const int top = edgeToDevice(r.y, ratio);
    const int right = edgeToDevice(std::int64_t(r.x) + r.width, ratio);
    const int bottom = edgeToDevice(std::int64_t(r.y) + r.height, ratio);
    return {left, top, extent(left, right), extent(top, bottom)};
}

struct Scaler {
    double ratio;
    DrawStep operator()(FillStep step) const {
        step.rect = scaleRect(step.rect, ratio);
        return step;
    }
    DrawStep operator()(TileStep step) const {
        step.areaWidth = toDevice(step.areaWidth, ratio);
        step.areaHeight = toDevice(step.areaHeight, ratio);
        step.scale *= ratio;
        return step;
    }
    DrawStep operator()(PictureStep step) const {
        step.target = scaleRect(step.target, ratio);
        return step;
    }
    DrawStep operator()(TextStep step) const {
        step.x = toDevice(step.x, ratio);
        step.y = toDevice(step.y, ratio);
        step.font.cellHeight = toDevice(step.font.cellHeight, ratio);
        return step;
    }
};

}  // namespace

int toDevice(int logical, double ratio) {
    return edgeToDevice(logical, ratio);
}

int toLogicalCovering(int device, double ratio) {
    if (!(ratio > 0.0) || ratio == 1.0) {
        return device;
    }
    // The small allowance keeps 1920 / 1.5 at 1280 where floating point gives 1280.0000001.
    return static_cast<int>(std::ceil(static_cast<double>(device) / ratio - 1e-9));
}

Frame scaleFrame(const Frame& frame, double ratio) {
    if (ratio == 1.0 || !(ratio > 0.0)) {
        return frame;
    }
    Frame scaled;
    scaled.width = toDevice(frame.width, ratio);
    scaled.height = toDevice(frame.height, ratio);
    scaled.staticSteps = frame.staticSteps;
    scaled.steps.reserve(frame.steps.size());
    for (const DrawStep& step : frame.steps) {
        scaled.steps.push_back(std::visit(Scaler{ratio}, step));
    }
    return scaled;
}

}  // namespace rumo
