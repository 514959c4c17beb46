// The notice driver shared by the windows and the rendering tool: the slide on show at any
// elapsed time, pictures decoded off the window's thread, frames at a device pixel ratio.
#include "screen/notice_driver.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPainter>
#include <algorithm>
#include <future>
#include <mutex>
#include <thread>

#include "common/task_pool.h"
#include "screen/notice_render.h"
#include "screen/scene_loader.h"
#include "settings/memory_store.h"

namespace rumo {
namespace {

constexpr std::int64_t kAt = 1796634303;
const QColor kSlideColours[] = {Qt::red, Qt::green, Qt::blue};

PreparedPicture solid(QColor colour) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(colour);
    return {image, {20, 20}, {0, 0, 20, 20}};
}

// Picture mode 2 with three destinations whose pictures are red, green and blue; no text.
NoticeScene slideScene() {
    MemoryStore store;
    store.set(settings::Screen, 4);
    store.set(settings::Bitshow, 1);
    store.set(settings::Mtype, 2);
    for (int n = 1; n <= 3; ++n) {
        store.set(settings::Place(n), "場所" + std::to_string(n));
        store.set(settings::Gazo(n), std::to_string(n - 1));
    }
    return loadNoticeScene(store);
}

PictureRules slideRules() {
    PictureRules rules = standardPictureRules();
    rules.probe = nullptr;
    rules.decode = [](const QString& path, const PictureScreen&,
                      bool) -> std::optional<PreparedPicture> {
        return solid(kSlideColours[path.toInt()]);
    };
    return rules;
}

TEST(NoticeDriver, RenderedSlideIsTheOneTheRunningNoticeShows) {
    ASSERT_EQ(slideScene().pictureMode, 2);
    for (const auto& [elapsed, slide] : {std::pair{0, 0},
                                         {179, 0},
                                         {180, 1},
                                         {359, 1},
                                         {360, 2},
                                         {540, 0},
                                         {180 * 3000 + 200, 1}}) {
        RenderRequest request;
        request.size = {200, 100};
        request.now = kAt;
        request.elapsed = elapsed;
        request.frames = 2;
        request.pictures = slideRules();
        const QImage image = renderNotice(slideScene(), request);
        EXPECT_EQ(image.pixelColor(100, 50), kSlideColours[slide]) << elapsed;
    }
    // The window's driver, ticking through the same three minutes, agrees.
    std::int64_t now = kAt;
    NoticeDriver driver(slideScene());
    driver.setPictureRules(slideRules());
    driver.setClock([&now] { return FrameClock{now, {}}; });
    driver.resize({200, 100});
    driver.paint();
    for (now = kAt + 1; now <= kAt + 180; ++now) {
        driver.tick();
    }
    EXPECT_EQ(driver.image().pixelColor(100, 50), kSlideColours[1]);
}

TEST(NoticeDriver, FramesGoOnWhileAPictureDecodesAndItAppearsWhenReady) {
    MemoryStore store;
    store.set(settings::Screen, 4);
    store.set(settings::Bitshow, 1);
    store.set(settings::Bitmap, "/slow.jpg");
    TaskPool loads(3);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    PictureRules rules = standardPictureRules(&loads);
    rules.probe = [](const QString&) { return std::optional<QSize>(QSize(20, 20)); };
    rules.decode = [released](const QString&, const PictureScreen&,
                              bool) -> std::optional<PreparedPicture> {
        released.wait();
        return solid(Qt::yellow);
    };
    NoticeDriver driver(loadNoticeScene(store));
    driver.setPictureRules(rules);
    driver.setClock([] { return FrameClock{kAt, {}}; });
    driver.resize({200, 100});
    driver.paint();  // returns although the decode is held
    driver.tick();
    EXPECT_EQ(driver.image().pixelColor(100, 50), QColor(Qt::black));
    EXPECT_EQ(driver.scene().showForeImage, 1);

    bool arrived = false;
    QObject::connect(&driver, &NoticeDriver::pictureArrived, [&arrived] { arrived = true; });
    release.set_value();
    const QDeadlineTimer deadline(10000);
    while (!arrived && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_TRUE(arrived);
    EXPECT_EQ(driver.tick(), QRegion(0, 0, 200, 100));
    EXPECT_EQ(driver.image().pixelColor(100, 50), QColor(Qt::yellow));
}

// Delivers what the picture loads have sent until only `held` of them still run. A load posts
// its results before it counts itself done, and a result may start another load.
void settleLoads(const TaskPool& loads, int held = 0) {
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (loads.pending() <= held) {
            QCoreApplication::processEvents();
            if (loads.pending() <= held) {
                return;
            }
        }
    }
}

// A file system that stops answering must not stop the window: the header is read on another
// thread too, and the layer waits for it; a header that says no turns its layer off. Pixels
// decoded for a screen the window left meanwhile are decoded again for the new one.
TEST(NoticeDriver, HeadersAreReadOffTheWindowThreadAndTheLayerWaitsForThem) {
    MemoryStore store;
    store.set(settings::Screen, 4);
    store.set(settings::Bitshow, 1);
    store.set(settings::Bitmap, "/slow.jpg");
    store.set(settings::Bitall, 1);
    store.set(settings::Bitmap2, "/not-a-picture.bmp");
    TaskPool loads(3);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    const std::thread::id windowThread = std::this_thread::get_id();
    auto probedOnWindowThread = std::make_shared<std::atomic<int>>(0);
    PictureRules rules = standardPictureRules(&loads);
    rules.probe = [=](const QString& path) -> std::optional<QSize> {
        if (std::this_thread::get_id() == windowThread) {
            ++*probedOnWindowThread;
        } else {
            released.wait();
        }
        return path == "/slow.jpg" ? std::optional<QSize>(QSize(20, 20)) : std::nullopt;
    };
    auto screens = std::make_shared<std::vector<QSize>>();
    auto screensLock = std::make_shared<std::mutex>();
    rules.decode = [=](const QString&, const PictureScreen& screen, bool) {
        const std::lock_guard lock(*screensLock);
        screens->push_back(screen.size);
        return std::optional<PreparedPicture>(solid(Qt::yellow));
    };
    NoticeDriver driver(loadNoticeScene(store));
    driver.setPictureRules(rules);
    driver.setClock([] { return FrameClock{kAt, {}}; });
    driver.resize({200, 100});
    driver.paint();
    driver.tick();
    EXPECT_EQ(driver.image().pixelColor(100, 50), QColor(Qt::black));
    EXPECT_EQ(driver.image().pixelColor(5, 5), QColor(Qt::black));
    driver.resize({300, 150});
    driver.paint();
    release.set_value();
    settleLoads(loads);
    driver.tick();
    EXPECT_EQ(driver.image().pixelColor(150, 75), QColor(Qt::yellow));
    EXPECT_EQ(driver.scene().showBackImage, 0);
    EXPECT_EQ(*probedOnWindowThread, 0);
    std::sort(screens->begin(), screens->end(),
              [](QSize a, QSize b) { return a.width() < b.width(); });
    EXPECT_EQ(*screens, (std::vector<QSize>{{200, 100}, {300, 150}}));
}

// Under a clock a hundred times too fast (a tick a second of the scattered pattern is 100 s of
// notice), every slide shows at its moment: never the bare background between two slides, none
// skipped, and one whose pixels are late leaves the one before it up.
TEST(NoticeDriver, SlidesChangeAtTheirMomentWithoutABackgroundFrame) {
    TaskPool loads(3);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    PictureRules rules = slideRules();
    rules.loads = &loads;
    rules.probe = [](const QString&) { return std::optional<QSize>(QSize(20, 20)); };
    rules.decode = [released](const QString& path, const PictureScreen&, bool) {
        if (path == "2") {
            released.wait();
        }
        return std::optional<PreparedPicture>(solid(kSlideColours[path.toInt()]));
    };
    std::int64_t elapsed = 0;
    NoticeDriver driver(slideScene());
    driver.setPictureRules(rules);
    driver.setClock([&elapsed] { return FrameClock{kAt + elapsed, {}}; });
    driver.resize({200, 100});
    driver.paint();
    settleLoads(loads);
    std::vector<int> shown;
    for (elapsed = 100; elapsed <= 1100; elapsed += 100) {
        driver.tick();
        const QColor colour = driver.image().pixelColor(100, 50);
        const auto slide = std::find(std::begin(kSlideColours), std::end(kSlideColours), colour);
        shown.push_back(slide == std::end(kSlideColours)
                            ? -1
                            : static_cast<int>(slide - std::begin(kSlideColours)));
        if (elapsed == 400) {
            release.set_value();  // the blue slide, due at 360 s, was held until now
        }
        settleLoads(loads, elapsed < 400 && elapsed >= 200 ? 1 : 0);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 1, 1, 2, 0, 0, 1, 2, 2, 0}));
}

TEST(NoticeDriver, PicturesAreDecodedAgainForANewScreen) {
    MemoryStore store;
    store.set(settings::Screen, 4);
    store.set(settings::Bitall, 1);
    store.set(settings::Bitmap2, "/back.bmp");
    std::vector<PictureScreen> asked;
    PictureRules rules = standardPictureRules();
    rules.probe = nullptr;
    rules.decode = [&asked](const QString&, const PictureScreen& screen,
                            bool) -> std::optional<PreparedPicture> {
        asked.push_back(screen);
        return solid(asked.size() == 1 ? Qt::yellow : Qt::blue);
    };
    NoticeDriver driver(loadNoticeScene(store));
    driver.setPictureRules(rules);
    driver.setClock([] { return FrameClock{kAt, {}}; });
    driver.resize({200, 100});
    driver.paint();
    EXPECT_EQ(driver.image().pixelColor(150, 50), QColor(Qt::yellow));
    driver.resize({200, 100});  // the same screen: nothing to decode
    driver.resize({300, 150}, 2.0);
    driver.paint();
    EXPECT_EQ(asked, (std::vector<PictureScreen>{{{200, 100}, 1.0}, {{300, 150}, 2.0}}));
    // The background tiled from the new pixels, not from a copy of the old ones.
    EXPECT_EQ(driver.image().pixelColor(550, 250), QColor(Qt::blue));
}

TEST(NoticeDriver, DrawsAtTheDevicePixelRatio) {
    MemoryStore store;
    store.set(settings::Mojimove, 3);  // standing still
    store.set(settings::Where, "会議室");
    RenderRequest request;
    request.size = {400, 300};
    request.now = kAt;
    const QImage plain = renderNotice(loadNoticeScene(store), request);
    request.devicePixelRatio = 2.0;
    const QImage sharp = renderNotice(loadNoticeScene(store), request);
    ASSERT_EQ(sharp.size(), QSize(800, 600));
    // The same notice, but its edges fall on single device pixels: not every 2x2 block of the
    // sharp frame is one colour, as in the plain frame enlarged.
    int blocks = 0;
    int mixed = 0;
    int inked = 0;
    for (int y = 0; y < 600; y += 2) {
        for (int x = 0; x < 800; x += 2) {
            const QRgb a = sharp.pixel(x, y);
            ++blocks;
            inked += a != sharp.pixel(0, 0) ? 1 : 0;
            mixed += (a != sharp.pixel(x + 1, y) || a != sharp.pixel(x, y + 1) ||
                      a != sharp.pixel(x + 1, y + 1))
                         ? 1
                         : 0;
        }
    }
    EXPECT_GT(mixed, 200) << blocks;
    // Ink covers about the same share of the screen at both ratios.
    int plainInked = 0;
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) {
            plainInked += plain.pixel(x, y) != plain.pixel(0, 0) ? 1 : 0;
        }
    }
    EXPECT_NEAR(inked, plainInked, plainInked / 10 + 20);
}

// A window keeps no frame of its own: it paints the changed region into its buffer. That buffer
// must hold exactly the frame the rendering tool's kept image holds, at 1x and at 2x.
TEST(NoticeDriver, WindowBufferPaintedByRegionsEqualsTheKeptFrame) {
    MemoryStore store;
    store.set(settings::Screen, 2);  // cross pattern: many moving copies
    store.set(settings::White, true);
    store.set(settings::Riseki, true);
    store.set(settings::Where, "会議室");
    // With a memo the static layer is kept as a picture; without, it is the colour alone.
    for (const auto& [memo, ratio] : {std::pair{"内線1234", 1.0}, {"内線1234", 2.0}, {"", 1.0}}) {
        store.set(settings::Memo(1), memo);
        std::int64_t now = kAt;
        const auto clock = [&now] { return FrameClock{now, {2026, 12, 7, 9, 5, 3}}; };
        // Qt rasterises a large glyph slightly differently the first time; both drivers below
        // must draw with warm glyph caches to be comparable.
        RenderRequest warm;
        warm.size = {320, 240};
        warm.devicePixelRatio = ratio;
        renderNotice(loadNoticeScene(store), warm);
        NoticeDriver kept(loadNoticeScene(store));
        NoticeDriver window(loadNoticeScene(store), false);
        QImage buffer(QSize(320, 240) * ratio, QImage::Format_RGB32);
        buffer.setDevicePixelRatio(ratio);
        for (NoticeDriver* driver : {&kept, &window}) {
            driver->setClock(clock);
            driver->resize({320, 240}, ratio);
            driver->paint();
        }
        {
            QPainter painter(&buffer);
            window.paintInto(painter, QRegion(0, 0, 320, 240));
        }
        for (int frame = 0; frame < 30; ++frame) {
            now = kAt + frame / 20;
            kept.tick();
            QPainter painter(&buffer);
            window.paintInto(painter, window.tick());
        }
        QImage expected = kept.image();
        QImage actual = buffer;
        actual.setDevicePixelRatio(1.0);
        EXPECT_EQ(actual, expected) << ratio;
        EXPECT_EQ(window.image(), expected) << ratio;
    }
}

}  // namespace
}  // namespace rumo
