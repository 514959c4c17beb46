#include "screen/notice_render.h"

#include <QDateTime>
#include <algorithm>

#include "screen/notice_driver.h"

namespace rumo {

QImage renderNotice(NoticeScene scene, const RenderRequest& request) {
    const QDateTime local = QDateTime::fromSecsSinceEpoch(request.now);
    const FrameClock clock{request.now,
                           {local.date().year(), local.date().month(), local.date().day(),
                            local.time().hour(), local.time().minute(), local.time().second()}};
    NoticeDriver driver(std::move(scene));
    PictureRules rules = request.pictures;
    rules.probe = nullptr;  // every picture decoded before its frame is drawn
    driver.setPictureRules(std::move(rules));
    driver.setClock([clock] { return clock; });
    driver.resize(QSize(std::max(request.size.width(), 1), std::max(request.size.height(), 1)),
                  request.devicePixelRatio);
    driver.setStartTime(request.now - request.elapsed);
    driver.paint();
    for (int i = 1; i < request.frames; ++i) {
        driver.tick();
    }
    return driver.image();
}

}  // namespace rumo
