#include "screen/away_screen.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <cstdio>
#include <ctime>

#include "platform/process_age.h"
#include "screen/scene_loader.h"
#include "settings/settings_store.h"

namespace rumo {

namespace {

constexpr int kMovingInterval = 50;
constexpr int kStillInterval = 1000;

// With RUMO_TRACE_FIRST_FRAME=1 the notice says how long after its start the first frame was
// drawn, to measure start-up on a given machine.
void traceFirstFrame() {
    if (qEnvironmentVariableIntValue("RUMO_TRACE_FIRST_FRAME") != 1) {
        return;
    }
    if (const std::optional<long long> age = processAgeMilliseconds()) {
        const long long cpu = static_cast<long long>(std::clock()) * 1000 / CLOCKS_PER_SEC;
        std::fprintf(stderr, "rumo: first frame drawn %lld ms after start (%lld ms of CPU)\n", *age,
                     cpu);
    }
}

}  // namespace

FrameClock systemClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {now.toSecsSinceEpoch(),
            {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()}};
}

AwayScreen::AwayScreen(SettingsStore& store, QWidget* parent)
    : QWidget(parent), scene_(loadAwayScene(store)) {
    // Every paint covers the whole window, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::BlankCursor);
    // Moving text 20 times a second; the scattered and text-free patterns once a second.
    timer_.setInterval(scene_.screen <= 2 ? kMovingInterval : kStillInterval);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &AwayScreen::tick);
    timer_.start();
}

void AwayScreen::setPictureRules(PictureRules rules) {
    rules_ = std::move(rules);
    picturesChosen_ = false;
}

void AwayScreen::choosePictures() {
    if (picturesChosen_) {
        return;
    }
    picturesChosen_ = true;
    // Until picture rules are given, no picture layer is drawn.
    if (!rules_.atCreation) {
        scene_.showForeImage = 0;
        scene_.showBackImage = 0;
        return;
    }
    rules_.atCreation(scene_, pictures_.loader(rules_.decode, size(), true),
                      pictures_.loader(rules_.decode, size(), false));
}

Frame AwayScreen::nextFrame() {
    choosePictures();
    const FrameClock clock = clock_();
    SlideRule slides;
    if (rules_.slideRule) {
        const PictureLoader loader = pictures_.loader(rules_.decode, size(), true);
        slides = [this, loader](AwayScene& scene, std::int64_t elapsed) {
            rules_.slideRule(scene, elapsed, loader);
        };
    }
    return drawFrame(scene_, width(), height(), clock, slides);
}

void AwayScreen::tick() {
    if (!isVisible() || !scene_.startTime) {
        return;  // the first paint starts the notice
    }
    // The notice keeps itself in front (a platform without window stacking has nothing to raise).
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        raise();
    }
    const QRegion changed = canvas_.compose(nextFrame());
    if (!changed.isEmpty()) {
        copyingTick_ = true;
        // One rectangle, one transfer: the window system copies a single shared-memory block
        // faster than it takes the few small pieces the moving texts leave behind.
        repaint(changed.boundingRect());
        copyingTick_ = false;
    }
}

void AwayScreen::paintEvent(QPaintEvent* event) {
    if (!copyingTick_ || canvas_.image().size() != size()) {
        // A paint request from the window system: the text starts again from its entry.
        choosePictures();
        preparePaint(scene_, height(), clock_().now);
        canvas_.compose(nextFrame(), true);
    }
    QPainter painter(this);
    for (const QRect& rect : event->region()) {
        painter.drawImage(rect, canvas_.image(), rect);
    }
    if (!firstFrameDrawn_) {
        firstFrameDrawn_ = true;
        traceFirstFrame();
    }
}

}  // namespace rumo
