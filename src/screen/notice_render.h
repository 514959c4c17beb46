// Renders the notice off-screen at a given moment, without a window: for the rendering tool,
// pictures of the notice and pixel tests.
#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>

#include "screen/notice_pictures.h"
#include "screen/notice_scene.h"

namespace rumo {

struct RenderRequest {
    QSize size{1024, 768};
    std::int64_t now = 0;           // epoch seconds of the frame
    std::int64_t elapsed = 0;       // seconds since the notice first painted
    int frames = 1;                 // the paint's frame, then frames - 1 ticks
    double devicePixelRatio = 1.0;  // the image has size times this many pixels
    PictureRules pictures;          // none: the picture layers stay off
};

QImage renderNotice(NoticeScene scene, const RenderRequest& request);

}  // namespace rumo
