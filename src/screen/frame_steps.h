// A frame of the notice as a list of drawing steps, back to front. The core builds it; the shell's
// canvas executes it, and tests compare it step by step.
#pragma once

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

#include "common/geometry.h"
#include "screen/notice_scene.h"

namespace rumo {

// A font as the notice describes it: the cell height in pixels (ascent plus descent), weight
// 400 or 700 (0: the face's default), and the three decorations.
struct FontSpec {
    std::string face;
    int cellHeight = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct FillStep {
    Rect rect;
    Colour colour = 0;
    friend bool operator==(const FillStep&, const FillStep&) = default;
};

// The picture copied one to one at x = 0, w, 2w, ... while x <= areaWidth and y = 0, h, ... while
// y <= areaHeight, w and h being the picture's own size (times scale).
struct TileStep {
    PictureHandle picture;
    int areaWidth = 0;
    int areaHeight = 0;
    double scale = 1.0;  // device pixels per picture pixel, on a high-resolution screen
    friend bool operator==(const TileStep&, const TileStep&) = default;
};

// The whole picture placed over target; a target of the picture's own size is a plain copy,
// any other size scales it.
struct PictureStep {
    PictureHandle picture;
    Rect target;
    bool scaled() const { return target.width != picture.width || target.height != picture.height; }
    friend bool operator==(const PictureStep&, const PictureStep&) = default;
};

// One line of text, the top-left corner of its cell at (x, y), no background behind the glyphs.
// With keepInRightEdge, a text whose drawn width would run past the frame's right edge is moved
// left to end at the edge (only the canvas knows how wide the face draws it).
struct TextStep {
    FontSpec font;
    Colour colour = 0;
    int x = 0;
    int y = 0;
    std::string text;
    bool keepInRightEdge = false;
    friend bool operator==(const TextStep&, const TextStep&) = default;
};

using DrawStep = std::variant<FillStep, TileStep, PictureStep, TextStep>;

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<DrawStep> steps;
    // steps[0, staticSteps) (background, pictures, memos) depend only on the scene, the size and
    // the frame's picture, so a canvas may keep them between frames.
    std::size_t staticSteps = 0;
};

// How many copies a tile step makes along one axis: 0, size, 2 size, ... while <= area.
int tileCount(int area, int size);

}  // namespace rumo
