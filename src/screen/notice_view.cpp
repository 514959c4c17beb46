#include "screen/notice_view.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <cstdio>
#include <ctime>

#include "platform/process_age.h"
#include "screen/scene_loader.h"
#include "screen/starting_scene.h"
#include "settings/settings_store.h"

namespace rumo {

namespace {

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

NoticeView::NoticeView(SettingsStore& store, QWidget* parent)
    : NoticeView(loadStartingScene(store, QDateTime::currentSecsSinceEpoch()), parent) {}

NoticeView::NoticeView(NoticeScene scene, QWidget* parent)
    : QWidget(parent), driver_(std::move(scene), false) {
    // Every paint covers the whole window, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::BlankCursor);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &NoticeView::tick);
    timer_.start(driver_.nextTickDelay(QDateTime::currentMSecsSinceEpoch()));
}

void NoticeView::tick() {
    timer_.start(driver_.nextTickDelay(QDateTime::currentMSecsSinceEpoch()));
    if (!isVisible() || !driver_.painted()) {
        return;  // the first paint starts the notice
    }
    // The notice keeps itself in front (a platform without window stacking has nothing to raise).
    if (keptInFront_ && QGuiApplication::platformName() != QLatin1String("offscreen")) {
        raise();
    }
    const QRegion changed = driver_.tick();
    if (!changed.isEmpty()) {
        copyingTick_ = true;
        // One rectangle, one transfer: the window system copies a single shared-memory block
        // faster than it takes the few small pieces the moving texts leave behind.
        repaint(changed.boundingRect());
        copyingTick_ = false;
    }
}

void NoticeView::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    if (!copyingTick_ || driver_.size() != size() || driver_.devicePixelRatio() != ratio) {
        // A paint request from the window system: the text starts again from its entry.
        driver_.resize(size(), ratio);
        driver_.paint();
    }
    QPainter painter(this);
    driver_.paintInto(painter, event->region());
    if (!firstFrameDrawn_) {
        firstFrameDrawn_ = true;
        traceFirstFrame();
    }
}

}  // namespace rumo
