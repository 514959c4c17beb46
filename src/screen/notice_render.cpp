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
    const int width = std::max(request.size.width(), 1);
    const int height = std::max(request.size.height(), 1);
    const QSize size(width, height);
    const PictureRules& rules = request.pictures;
    PictureTable pictures;
    if (rules.atCreation) {
        rules.atCreation(scene, pictures.loader(rules.decode, size, true),
                         pictures.loader(rules.decode, size, false));
    } else {
        scene.showForeImage = 0;
        scene.showBackImage = 0;
    }
    SlideRule slides;
    if (rules.slideRule) {
        slides = [&rules, loader = pictures.loader(rules.decode, size, true)](
                     AwayScene& s, std::int64_t elapsed) { rules.slideRule(s, elapsed, loader); };
    }
    preparePaint(scene, height, request.now - request.elapsed);
    FrameCanvas canvas(&pictures);
    for (int i = 0; i < std::max(request.frames, 1); ++i) {
        canvas.compose(drawFrame(scene, width, height, clock, slides), i == 0);
    }
    return canvas.image();
}

}  // namespace rumo
