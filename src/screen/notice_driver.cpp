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

NoticeDriver::NoticeDriver(NoticeScene scene, bool keepImage, QObject* parent)
    : QObject(parent), scene_(std::move(scene)), canvas_(&pictures_, keepImage) {
    decodeAgainTimer_.setSingleShot(true);
    decodeAgainTimer_.setInterval(kResizeRestMs);
    connect(&decodeAgainTimer_, &QTimer::timeout, this, &NoticeDriver::decodeAgain);
}

NoticeDriver::~NoticeDriver() = default;

void NoticeDriver::setPictureRules(PictureRules rules) {
    rules_ = std::move(rules);
    if (rules_.loads == nullptr) {
        rules_.probe = nullptr;  // no threads to load on: every picture is decoded at once
    }
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
    if (rules_.probe) {
        // The pixels in hand stay drawn until the new ones come. A load whose header is still
        // on its way decodes for the old screen; that result asks again when it comes.
        for (const auto& [id, load] : loads_) {
            if (load.headerKnown && load.requested != pictureScreen()) {
                startLoad(id, false);
            }
        }
        return;
    }
    for (const auto& [id, source] : pictures_.sources()) {
        if (rules_.decode) {
            std::optional<PreparedPicture> picture =
                rules_.decode(source.path, pictureScreen(), source.foreground);
            if (picture && !picture->image.isNull()) {
                pictures_.fulfil(id, std::move(*picture));
            }
        }
    }
    canvas_.invalidate();
}

int NoticeDriver::requestLoad(const QString& path, bool foreground) {
    const auto [found, added] = loadIds_.try_emplace({path, foreground}, -1);
    if (added) {
        found->second = pictures_.addPending(QSize(), {path, foreground}).id;
        Load& load = loads_[found->second];
        load.path = path;
        load.foreground = foreground;
        startLoad(found->second, true);
    }
    return found->second;
}

void NoticeDriver::startLoad(int id, bool withHeader) {
    if (!worker_) {
        worker_ = std::make_unique<PictureWorker>(*rules_.loads, [this](auto result) {
            if (result.header) {
                headerArrived(result.id, result.size);
            } else {
                pixelsArrived(result.id, result.screen, std::move(result.picture));
            }
        });
    }
    Load& load = loads_.at(id);
    load.requested = pictureScreen();
    worker_->load(id, withHeader ? rules_.probe : PictureProbeHook(), rules_.decode, load.path,
                  load.requested, load.foreground);
}

int NoticeDriver::frameInterval() const {
    // Moving text 20 times a second; the scattered and text-free patterns once a second.
    return scene_.motionPattern <= 2 ? kMovingInterval : kStillInterval;
}

int NoticeDriver::nextTickDelay(std::int64_t epochMilliseconds) const {
    const int interval = frameInterval();
    if (interval != kStillInterval) {
        return interval;
    }
    constexpr int kPastTheSecond = 5;  // timers may fire a little early
    const auto intoSecond = static_cast<int>(((epochMilliseconds % 1000) + 1000) % 1000);
    return kStillInterval - intoSecond + kPastTheSecond;
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
    // Nothing here touches the file: the header and the pixels are read on another thread, and
    // the rules get what is known so far. A header still on its way is given as one pixel, which
    // keeps the layer on while nothing is drawn for it; its real size replaces that when it
    // comes, or the layer goes off as the rules would have turned it off.
    return [this, foreground](const std::string& path) -> std::optional<PictureHandle> {
        if (!rules_.decode || path.empty()) {
            return std::nullopt;
        }
        const int id = requestLoad(qtText(path), foreground);
        const Load& load = loads_.at(id);
        if (load.unusable) {
            return std::nullopt;
        }
        if (!load.headerKnown) {
            return PictureHandle{id, 1, 1};
        }
        const QSize size = pictures_.find(id)->originalSize;
        return PictureHandle{id, size.width(), size.height()};
    };
}

void NoticeDriver::headerArrived(int id, std::optional<QSize> size) {
    const auto found = loads_.find(id);
    if (found == loads_.end()) {
        return;
    }
    Load& load = found->second;
    if (!size || size->isEmpty()) {
        load.unusable = true;
        load.settled = true;
        const auto drop = [id](std::optional<PictureHandle>& slot, int& layerSwitch) {
            if (slot && slot->id == id) {
                slot.reset();
                layerSwitch = 0;
            }
        };
        drop(scene_.foreImage, scene_.showForeImage);
        drop(scene_.backImage, scene_.showBackImage);
        for (std::optional<PictureHandle>& slide : scene_.slideImages) {
            drop(slide, scene_.showForeImage);
        }
        return;
    }
    load.headerKnown = true;
    pictures_.setSize(id, *size);
    const auto place = [id, size](std::optional<PictureHandle>& slot) {
        if (slot && slot->id == id) {
            slot->width = size->width();
            slot->height = size->height();
        }
    };
    place(scene_.foreImage);
    place(scene_.backImage);
    place(scene_.framePicture);
    for (std::optional<PictureHandle>& slide : scene_.slideImages) {
        place(slide);
    }
}

void NoticeDriver::pixelsArrived(int id, const PictureScreen& screen,
                                 std::optional<PreparedPicture> picture) {
    const auto found = loads_.find(id);
    if (found == loads_.end()) {
        return;
    }
    Load& load = found->second;
    if (screen != pictureScreen()) {
        // Decoded for a screen the window no longer has.
        if (load.requested != pictureScreen()) {
            startLoad(id, false);
        }
        return;
    }
    load.settled = true;
    // A file that passed its header but cannot be decoded stays drawn as nothing.
    if (!picture || picture->image.isNull()) {
        return;
    }
    pictures_.fulfil(id, std::move(*picture));
    canvas_.invalidate();
    redrawPending_ = true;
    emit pictureArrived();
}

// The schedule of the first round of slides is known: the next one is read while the current
// one shows, so its pixels are in hand at its moment.
void NoticeDriver::loadNextSlideAhead(const NoticeScene& scene) {
    if (!rules_.probe || !rules_.decode || scene.pictureMode != 2 || scene.showForeImage != 1 ||
        scene.slidesAllLoaded != 0 || scene.slideNext == slideAhead_) {
        return;
    }
    slideAhead_ = scene.slideNext;
    const std::string& path = scene.placeImages[static_cast<std::size_t>(scene.slideNext)];
    if (!path.empty()) {
        requestLoad(qtText(path), true);
    }
}

// A slide whose pixels are late leaves the one before it up rather than the bare background.
void NoticeDriver::holdSlideUntilReady(NoticeScene& scene) {
    if (!scene.framePicture) {
        return;
    }
    const auto found = loads_.find(scene.framePicture->id);
    if (found == loads_.end() || found->second.settled) {
        slideOnShow_ = scene.framePicture;
    } else if (slideOnShow_) {
        scene.framePicture = slideOnShow_;
    }
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
        slides = [this, loader = loaderFor(true)](NoticeScene& scene, std::int64_t seconds) {
            rules_.slideRule(scene, seconds, loader);
            loadNextSlideAhead(scene);
            holdSlideUntilReady(scene);
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
