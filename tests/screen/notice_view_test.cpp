// The notice window's frame loop: a paint places the text and starts the away time, a tick
// only moves on, and the timer runs at the pattern's rate.
#include "screen/notice_view.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWindow>

#include "screen/notice_driver.h"
#include "screen/scene_loader.h"
#include "settings/memory_store.h"

namespace rumo {
namespace {

constexpr std::int64_t kAt = 1796634303;

// Waits for the window system to expose the window (the offscreen platform does so at once).
bool waitExposed(QWidget& widget) {
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (widget.windowHandle() != nullptr && widget.windowHandle()->isExposed()) {
            return true;
        }
    }
    return false;
}

struct FakeClock {
    std::int64_t now = kAt;
    FrameClock operator()() const { return {now, {2026, 12, 7, 9, 5, 3}}; }
};

TEST(NoticeView, TimerRateFollowsThePattern) {
    for (const auto& [screen, interval] :
         {std::pair{0, 50}, {1, 50}, {2, 50}, {3, 1000}, {4, 1000}, {7, 50}, {-3, 50}}) {
        MemoryStore store;
        store.set(settings::Screen, screen);
        NoticeView window(store);
        EXPECT_EQ(window.timerInterval(), interval) << screen;
    }
}

// A once-a-second pattern ticks just after each whole second of the clock, whenever it started,
// so a slide or the minutes change at their moment, not up to a second late.
TEST(NoticeView, StillPatternsTickOnTheClocksSeconds) {
    MemoryStore still;
    still.set(settings::Screen, 4);
    const NoticeDriver onceASecond(loadNoticeScene(still));
    EXPECT_EQ(onceASecond.nextTickDelay(1'796'634'303'300), 705);
    EXPECT_EQ(onceASecond.nextTickDelay(1'796'634'303'999), 6);
    EXPECT_EQ(onceASecond.nextTickDelay(1'796'634'304'000), 1005);
    MemoryStore moving;
    moving.set(settings::Screen, 0);
    EXPECT_EQ(NoticeDriver(loadNoticeScene(moving)).nextTickDelay(1'796'634'303'300), 50);
}

TEST(NoticeView, PaintPlacesTheTextAndTicksMoveIt) {
    MemoryStore store;
    store.set(settings::Riseki, true);
    NoticeView window(store);
    auto clock = std::make_shared<FakeClock>();
    window.setClock([clock] { return (*clock)(); });
    window.resize(1024, 768);
    window.show();
    ASSERT_TRUE(waitExposed(window));
    window.repaint();  // a paint request from the window system
    ASSERT_TRUE(window.scene().startTime.has_value());
    EXPECT_EQ(*window.scene().startTime, kAt);
    EXPECT_EQ(window.scene().textX, 12);
    window.tick();
    window.tick();
    EXPECT_EQ(window.scene().textX, 36);
    EXPECT_EQ(window.frameImage().size(), QSize(1024, 768));

    // A later paint restarts the text but not the away time.
    clock->now = kAt + 120;
    window.repaint();
    EXPECT_EQ(window.scene().textX, 12);
    EXPECT_EQ(*window.scene().startTime, kAt);
}

TEST(NoticeView, PicturesStayOffWithoutPictureRules) {
    MemoryStore store;
    store.set(settings::Bitshow, 1);
    store.set(settings::Bitall, 1);
    store.set(settings::Bitmap, "/nowhere.bmp");
    NoticeView window(store);
    window.resize(200, 100);
    window.show();
    ASSERT_TRUE(waitExposed(window));
    window.repaint();
    EXPECT_EQ(window.scene().showForeImage, 0);
    EXPECT_EQ(window.scene().showBackImage, 0);
}

TEST(NoticeView, PictureRulesRunOnceBeforeTheFirstFrame) {
    MemoryStore store;
    store.set(settings::Bitshow, 1);
    store.set(settings::Screen, 4);
    NoticeView window(store);
    int calls = 0;
    PictureRules rules;
    rules.decode = [](const QString&, const PictureScreen&,
                      bool) -> std::optional<PreparedPicture> {
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(Qt::yellow);
        return PreparedPicture{image, {10, 10}, {0, 0, 10, 10}};
    };
    rules.atCreation = [&](NoticeScene& scene, const PictureLoader& fore, const PictureLoader&) {
        ++calls;
        scene.foreImage = fore("/fore.png");
    };
    window.setPictureRules(rules);
    window.resize(100, 100);
    window.show();
    ASSERT_TRUE(waitExposed(window));
    window.repaint();
    window.tick();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(window.frameImage().pixel(50, 50), qRgb(255, 255, 0));  // centred 10x10 picture
    EXPECT_EQ(window.frameImage().pixel(30, 50), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace rumo
