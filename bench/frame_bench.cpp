// Cost of one notice frame with every layer on: a 100x100 background tiled, a centred 800x600
// foreground, five memos, the cross pattern with shadows and the three small lines. BM_Frame is
// the program's path (frame steps, then the canvas's incremental composition);
// BM_FrameLargePicture is the same with a 6000x4000 JPEG foreground decoded for the window, which
// should cost what the 800x600 one costs; the *Whole variants compose every frame in full, as a
// paint request does; BM_FrameNaive redraws everything with QPainter for
// comparison; BM_FrameCopy is the window copy of the changed region; BM_FrameHiDpi is BM_Frame
// laid out at 1920x1080 and drawn at 2x (3840x2160 device pixels); BM_DriverFrame is a window's
// whole tick through the notice driver, with 800x600 slides in picture mode 2.
#include <benchmark/benchmark.h>
#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "bench_fixtures.h"
#include "common/qt_values.h"
#include "common/task_pool.h"
#include "screen/font_mapping.h"
#include "screen/frame_canvas.h"
#include "screen/frame_composer.h"
#include "screen/frame_scale.h"
#include "screen/notice_driver.h"
#include "screen/picture_decoder.h"
#include "screen/picture_table.h"
#include "screen/scene_loader.h"
#include "settings/memory_store.h"

namespace {

using namespace rumo;

constexpr std::int64_t kAt = 1796634303;

struct Notice {
    PictureTable pictures;
    NoticeScene scene;
    int frame = 0;

    // The 800x600 foreground by default.
    explicit Notice(int height, std::optional<PreparedPicture> foreground = std::nullopt) {
        MemoryStore store;
        store.set(settings::Screen, 2);
        store.set(settings::White, true);
        store.set(settings::Black, true);
        store.set(settings::Riseki, true);
        store.set(settings::Daytime, true);
        store.set(settings::Name, "山田 太郎");
        for (int n = 1; n <= kMemoCount; ++n) {
            store.set(settings::Memo(n), "内線" + std::to_string(1000 + n) + " 会議中");
            store.set(settings::MemoX(n), 40 + 200 * n);
            store.set(settings::MemoY(n), 60 * n);
        }
        scene = loadNoticeScene(store);
        QImage back(100, 100, QImage::Format_RGB32);
        back.fill(QColor(20, 30, 60));
        QPainter(&back).fillRect(0, 0, 50, 50, QColor(40, 40, 90));
        if (!foreground) {
            QImage fore(800, 600, QImage::Format_RGB32);
            fore.fill(QColor(90, 120, 80));
            foreground = PreparedPicture{fore, {800, 600}, {0, 0, 800, 600}};
        }
        scene.backImage = pictures.add({back, {100, 100}, {0, 0, 100, 100}});
        scene.foreImage = pictures.add(std::move(*foreground));
        scene.showBackImage = 1;
        scene.showForeImage = 1;
        preparePaint(scene, height, kAt);
    }

    Frame next(int width, int height) {
        const int second = frame++ / 20;  // 20 frames a second
        return drawFrame(scene, width, height, {kAt + second, {2026, 12, 7, 9, 5, second % 60}});
    }
};

// ratio: device pixels per layout pixel (2 for a HiDPI screen of width x height logical pixels).
void runFrames(benchmark::State& state, Notice& notice, int width, int height, bool whole,
               double ratio = 1.0) {
    FrameCanvas canvas(&notice.pictures);
    const auto next = [&] {
        return ratio == 1.0 ? notice.next(width, height)
                            : scaleFrame(notice.next(width, height), ratio);
    };
    canvas.compose(next(), true);
    qint64 pixels = 0;
    for (auto _ : state) {
        const QRegion changed = canvas.compose(next(), whole);
        for (const QRect& r : changed) {
            pixels += qint64(r.width()) * r.height();
        }
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
    state.counters["changed_px"] =
        benchmark::Counter(static_cast<double>(pixels), benchmark::Counter::kAvgIterations);
}

void frames800x600(benchmark::State& state, bool whole) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    Notice notice(height);
    runFrames(state, notice, width, height, whole);
}

void framesLargePicture(benchmark::State& state, bool whole) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    std::optional<PreparedPicture> photo = decodePicture(largeJpeg(), QSize(width, height), true);
    if (!photo) {
        state.SkipWithError("the 6000x4000 JPEG could not be written or decoded");
        return;
    }
    Notice notice(height, std::move(photo));
    runFrames(state, notice, width, height, whole);
}

void BM_Frame(benchmark::State& state) {
    frames800x600(state, false);
}
// The same notice laid out for width x height logical pixels, drawn at twice the resolution.
void BM_FrameHiDpi(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    Notice notice(height);
    runFrames(state, notice, width, height, false, 2.0);
}
void BM_FrameWhole(benchmark::State& state) {
    frames800x600(state, true);
}
void BM_FrameLargePicture(benchmark::State& state) {
    framesLargePicture(state, false);
}
void BM_FrameLargePictureWhole(benchmark::State& state) {
    framesLargePicture(state, true);
}

void BM_FrameNaive(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    Notice notice(height);
    QImage image(width, height, QImage::Format_RGB32);
    const QRect canvasRect(0, 0, width, height);
    for (auto _ : state) {
        const Frame frame = notice.next(width, height);
        QPainter painter(&image);
        for (const DrawStep& step : frame.steps) {
            if (const auto* fill = std::get_if<FillStep>(&step)) {
                painter.fillRect(
                    QRect(fill->rect.x, fill->rect.y, fill->rect.width, fill->rect.height),
                    qtColour(fill->colour));
            } else if (const auto* tile = std::get_if<TileStep>(&step)) {
                notice.pictures.tile(painter, tile->picture.id, canvasRect);
            } else if (const auto* picture = std::get_if<PictureStep>(&step)) {
                const Rect& t = picture->target;
                notice.pictures.draw(painter, picture->picture.id,
                                     QRect(t.x, t.y, t.width, t.height), canvasRect);
            } else if (const auto* text = std::get_if<TextStep>(&step)) {
                const QFont font = qtFont(text->font);
                painter.setFont(font);
                painter.setPen(qtColour(text->colour));
                painter.drawText(QPointF(text->x, text->y + QFontMetricsF(font).ascent()),
                                 QString::fromStdString(text->text));
            }
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The window's share of a frame: copying the changed region of the composed image.
void BM_FrameCopy(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    Notice notice(height);
    FrameCanvas canvas(&notice.pictures);
    canvas.compose(notice.next(width, height), true);
    QImage window(width, height, QImage::Format_RGB32);
    for (auto _ : state) {
        state.PauseTiming();
        const QRegion changed = canvas.compose(notice.next(width, height));
        state.ResumeTiming();
        QPainter painter(&window);
        for (const QRect& r : changed) {
            painter.drawImage(r, canvas.image(), r);
        }
        painter.end();
        benchmark::DoNotOptimize(window.constBits());
    }
}

void BM_DriverFrame(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    MemoryStore store;
    store.set(settings::Screen, 2);
    store.set(settings::White, true);
    store.set(settings::Black, true);
    store.set(settings::Riseki, true);
    store.set(settings::Daytime, true);
    store.set(settings::Bitshow, 1);
    store.set(settings::Mtype, 2);
    for (int n = 1; n <= 3; ++n) {
        store.set(settings::Place(n), "会議室" + std::to_string(n));
        store.set(settings::Gazo(n), std::to_string(n));
    }
    TaskPool loads(3);
    PictureRules rules = standardPictureRules(&loads);
    rules.probe = [](const QString&) { return std::optional<QSize>(QSize(800, 600)); };
    rules.decode = [](const QString& path, const PictureScreen&,
                      bool) -> std::optional<PreparedPicture> {
        QImage image(800, 600, QImage::Format_RGB32);
        image.fill(QColor(40 * path.toInt(), 120, 80));
        return PreparedPicture{image, {800, 600}, {0, 0, 800, 600}};
    };
    NoticeDriver driver(loadNoticeScene(store), false);
    driver.setPictureRules(std::move(rules));
    long long frame = 0;
    // A minute of notice per second of frames: slides change every few hundred frames.
    driver.setClock([&frame] {
        const int second = static_cast<int>(frame * 3);
        return FrameClock{kAt + second, {2026, 12, 7, 9, 5, second % 60}};
    });
    driver.resize({width, height});
    driver.paint();
    for (auto _ : state) {
        ++frame;
        benchmark::DoNotOptimize(driver.tick());
        QCoreApplication::processEvents();
    }
}

// Five runs each; the median is the figure to read.
BENCHMARK(BM_Frame)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FrameHiDpi)
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FrameLargePicture)
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FrameWhole)
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FrameLargePictureWhole)
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_DriverFrame)
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FrameNaive)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameCopy)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
