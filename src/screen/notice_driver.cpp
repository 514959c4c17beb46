#include "screen/notice_driver.h"

#include <QDateTime>
#include <QPainter>
#include <QRectF>

#include "common/qt_values.h"
#include "screen/frame_scale.h"
#include "screen/picture_rules.h"
#include "screen/picture_worker.h"

namespace rumo {

namespace {

constexpr int kMovingInterval = 50;
constexpr int kStillInterval = 1000;
// How long a window's size must stay put before its pictures are decoded for it again.
constexpr int kResizeRestMs = 300;

QRegion toLogical(const QRegion& device, qreal ratio) {
    if (ratio == 1.0) {
        return device;
    }
    QRegion logical;
    for (const QRect& r : device) {
        logical += QRectF(r.x() / ratio, r.y() / ratio, r.width() / ratio, r.height() / ratio)
                       .toAlignedRect();
    }
    return logical;
}

}  // namespace

FrameClock systemClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {now.toSecsSinceEpoch(),
            {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()}};
}

NoticeDriver::NoticeDriver(AwayScene scene, bool keepImage, QObject* parent)
    : QObject(parent), scene_(std::move(scene)), canvas_(&pictures_, keepImage) {
    decodeAgainTimer_.setSingleShot(true);
    decodeAgainTimer_.setInterval(kResizeRestMs);
    connect(&decodeAgainTimer_, &QTimer::timeout, this, &NoticeDriver::decodeAgain);
}

NoticeDriver::~NoticeDriver() = default;

void NoticeDriver::setPictureRules(PictureRules rules) {
    rules_ = std::move(rules);
    picturesChosen_ = false;
}

void NoticeDriver::resize(QSize logicalSize, qreal devicePixelRatio) {
    const PictureScreen before = pictureScreen();
    size_ = logicalSize.expandedTo(QSize(1, 1));
    ratio_ = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    // Pictures were cut and scaled for the screen they were decoded for.
    if (!picturesChosen_ || pictureScreen() == before) {
        return;
    }
    if (rules_.probe) {
        // Off the window's thread, once a window being resized has come to rest.
        decodeAgainTimer_.start();
    } else {
        decodeAgain();
    }
}

PictureScreen NoticeDriver::pictureScreen() const {
    return {size_, ratio_};
}

void NoticeDriver::decodeAgain() {
    // Results still on their way were decoded for the old screen: a new worker drops them.
    worker_.reset();
    for (const auto& [id, source] : pictures_.sources()) {
        if (rules_.probe) {
            decodeLater(id, source.path, source.foreground);
        } else if (rules_.decode) {
            std::optional<PreparedPicture> picture =
                rules_.decode(source.path, pictureScreen(), source.foreground);
            if (picture && !picture->image.isNull()) {
                pictures_.fulfil(id, std::move(*picture));
            }
        }
    }
    canvas_.invalidate();
}

void NoticeDriver::decodeLater(int id, const QString& path, bool foreground) {
    if (!worker_) {
        worker_ = std::make_unique<PictureWorker>(
            [this](int decoded, std::optional<PreparedPicture> picture) {
                pictureDecoded(decoded, std::move(picture));
            });
    }
    worker_->decode(id, rules_.decode, path, pictureScreen(), foreground);
}

int NoticeDriver::frameInterval() const {
    // Moving text 20 times a second; the scattered and text-free patterns once a second.
    return scene_.motionPattern <= 2 ? kMovingInterval : kStillInterval;
}

QRegion NoticeDriver::paint() {
    choosePictures();
    preparePaint(scene_, size_.height(), clock_().now);
    return compose(true);
}

void NoticeDriver::paintInto(QPainter& painter, const QRegion& region) {
    if (ratio_ == 1.0) {
        canvas_.paint(painter, region);
        return;
    }
    // The canvas is in device pixels: undo the painter's scaling so its pixels land one to one.
    QRegion device;
    for (const QRect& r : region) {
        device += QRectF(r.x() * ratio_, r.y() * ratio_, r.width() * ratio_, r.height() * ratio_)
                      .toAlignedRect();
    }
    painter.save();
    painter.scale(1.0 / ratio_, 1.0 / ratio_);
    canvas_.paint(painter, device);
    painter.restore();
}

QRegion NoticeDriver::tick() {
    if (!painted()) {
        return {};  // the first paint starts the notice
    }
    return compose(false);
}

void NoticeDriver::choosePictures() {
    if (picturesChosen_) {
        return;
    }
    picturesChosen_ = true;
    if (!rules_.atCreation) {
        scene_.showForeImage = 0;
        scene_.showBackImage = 0;
        return;
    }
    rules_.atCreation(scene_, loaderFor(true), loaderFor(false));
}

PictureLoader NoticeDriver::loaderFor(bool foreground) {
    if (!rules_.probe) {
        return pictures_.loader(rules_.decode, pictureScreen(), foreground);
    }
    // The header decides at once whether the layer is on and where the picture goes; its pixels
    // come later, decoded on another thread.
    return [this, foreground](const std::string& path) -> std::optional<PictureHandle> {
        if (!rules_.decode || path.empty()) {
            return std::nullopt;
        }
        const QString file = qtText(path);
        const std::optional<QSize> size = rules_.probe(file);
        if (!size || size->isEmpty()) {
            return std::nullopt;
        }
        const PictureHandle handle = pictures_.addPending(*size, {file, foreground});
        decodeLater(handle.id, file, foreground);
        return handle;
    };
}

void NoticeDriver::pictureDecoded(int id, std::optional<PreparedPicture> picture) {
    // A file that passed its header but cannot be decoded stays drawn as nothing.
    if (!picture || picture->image.isNull()) {
        return;
    }
    pictures_.fulfil(id, std::move(*picture));
    canvas_.invalidate();
    redrawPending_ = true;
    emit pictureArrived();
}

// The slide rule runs at the start of every frame; a frame drawn after a gap (the rendering
// tool's first frame, or a machine that slept) first runs it for each slide period the notice
// passed without a frame, so the slide on show is the one continuous ticks would show.
void NoticeDriver::catchUpSlides(std::int64_t elapsed) {
    if (scene_.pictureMode != 2 || !rules_.slideRule) {
        return;
    }
    // The first period boundary no frame has seen yet (0 before the first frame).
    const std::int64_t next = lastElapsed_ && *lastElapsed_ >= 0
                                  ? (*lastElapsed_ / kSlideSeconds + 1) * kSlideSeconds
                                  : 0;
    if (next >= elapsed) {
        return;
    }
    const std::int64_t missed = (elapsed - 1 - next) / kSlideSeconds + 1;
    const std::int64_t cycle = std::max(scene_.slideCount, 1);
    const PictureLoader loader = loaderFor(true);
    // Once every slide has come up once, whole rounds change nothing: only the last part of the
    // missed periods is run.
    const std::int64_t firstRound = std::min(missed, cycle);
    for (std::int64_t i = 0; i < firstRound; ++i) {
        rules_.slideRule(scene_, next + i * kSlideSeconds, loader);
    }
    if (missed > firstRound) {
        const std::int64_t rest = (missed - firstRound - 1) % cycle + 1;
        const std::int64_t last = next + (missed - 1) * kSlideSeconds;
        for (std::int64_t i = rest - 1; i >= 0; --i) {
            rules_.slideRule(scene_, last - i * kSlideSeconds, loader);
        }
    }
}

QRegion NoticeDriver::compose(bool redrawAll) {
    const FrameClock clock = clock_();
    const std::int64_t elapsed = scene_.startTime ? clock.now - *scene_.startTime : 0;
    catchUpSlides(elapsed);
    SlideRule slides;
    if (rules_.slideRule) {
        slides = [this, loader = loaderFor(true)](AwayScene& scene, std::int64_t seconds) {
            rules_.slideRule(scene, seconds, loader);
        };
    }
    const Frame frame = drawFrame(scene_, size_.width(), size_.height(), clock, slides);
    lastElapsed_ = elapsed;
    ++framesDrawn_;
    const bool whole = redrawAll || redrawPending_;
    const QRegion changed = ratio_ == 1.0 ? canvas_.compose(frame, whole)
                                          : canvas_.compose(scaleFrame(frame, ratio_), whole);
    redrawPending_ = false;
    return toLogical(changed, ratio_);
}

}  // namespace rumo
