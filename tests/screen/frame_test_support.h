// Helpers for frame tests: the text steps of a frame, by the order they are drawn in.
#pragma once

#include <vector>

#include "screen/frame_composer.h"

namespace rumo::testing {

inline std::vector<TextStep> textSteps(const Frame& frame) {
    std::vector<TextStep> texts;
    for (const DrawStep& step : frame.steps) {
        if (const auto* text = std::get_if<TextStep>(&step)) {
            texts.push_back(*text);
        }
    }
    return texts;
}

inline FrameClock at(std::int64_t now) {
    return FrameClock{now, {2026, 12, 8, 20, 0, 0}};
}

}  // namespace rumo::testing
