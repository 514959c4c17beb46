#include "screen/notice_render.h"

#include <QDateTime>
#include <algorithm>

#include "screen/frame_canvas.h"
#include "screen/frame_composer.h"

namespace rumo {

QImage renderNotice(AwayScene scene, const RenderRequest& request) {
    const QDateTime local = QDateTime::fromSecsSinceEpoch(request.now);
    const FrameClock clock{request.now,
                           {local.date().year(), local.date().month(), local.date().day(),
                            local.time().hour(), local.time().minute(), local.time().second()}};
    // No picture decoder here: the picture layers stay off.
    scene.showForeImage = 0;
    scene.showBackImage = 0;
    const int width = std::max(request.size.width(), 1);
    const int height = std::max(request.size.height(), 1);
    preparePaint(scene, height, request.now - request.elapsed);
    FrameCanvas canvas;
    for (int i = 0; i < std::max(request.frames, 1); ++i) {
        canvas.compose(drawFrame(scene, width, height, clock), i == 0);
    }
    return canvas.image();
}

}  // namespace rumo
