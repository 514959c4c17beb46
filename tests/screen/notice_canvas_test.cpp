// Pixels of the notice as the Qt canvas draws them, and the canvas's incremental path against a
// full redraw.
#include <gtest/gtest.h>
#include <QDateTime>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include "screen/font_mapping.h"
#include "screen/frame_canvas.h"
#include "screen/frame_composer.h"
#include "screen/notice_render.h"
#include "screen/scene_loader.h"
#include "settings/memory_store.h"

namespace rumo {
namespace {

constexpr std::int64_t kAt = 1796634303;  // 2026-12-07 09:05:03 UTC

NoticeScene scene(MemoryStore& store) {
    return loadNoticeScene(store);
}

TEST(NoticeFonts, JapaneseDefaultFacesResolveToGothicAndMincho) {
    const QFont gothic = qtFont({"ＭＳ Ｐゴシック", 120, 400, false, false, false});
    const QFont mincho = qtFont({"ＭＳ Ｐ明朝", 48, 400, false, false, false});
    EXPECT_EQ(QFontInfo(gothic).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(QFontInfo(mincho).family(), QStringLiteral("IPAPMincho"));
    EXPECT_EQ(QFontInfo(qtFont({"ＭＳ 明朝", 30, 0, false, false, false})).family(),
              QStringLiteral("IPAMincho"));
    // The cell height is the line height (ascent plus descent).
    EXPECT_NEAR(QFontMetrics(gothic).ascent() + QFontMetrics(gothic).descent(), 120, 1);
    EXPECT_NEAR(QFontMetrics(mincho).ascent() + QFontMetrics(mincho).descent(), 48, 1);
    const QFont bold = qtFont({"ＭＳ Ｐゴシック", 60, 700, true, true, true});
    EXPECT_TRUE(bold.bold());
    EXPECT_TRUE(bold.italic());
    EXPECT_TRUE(bold.underline());
    EXPECT_TRUE(bold.strikeOut());
}

TEST(NoticeFonts, BoldIsHeavierAtEverySize) {
    // The IPA faces have no bold face: it is synthesised, also far above small text's sizes
    // (the destination at Size 240 is a 120-pixel cell, a memo at MSize 2000 a 400-pixel one).
    const auto inked = [](int cell, int weight) {
        Frame frame;
        frame.width = 4 * cell;
        frame.height = 2 * cell;
        frame.steps = {
            FillStep{{0, 0, frame.width, frame.height}, 0},
            TextStep{
                {"ＭＳ Ｐゴシック", cell, weight, false, false, false}, 0xFFFFFF, 0, 0, "会議室"}};
        frame.staticSteps = 1;
        FrameCanvas canvas;
        canvas.compose(frame, true);
        qint64 sum = 0;
        for (int y = 0; y < frame.height; ++y) {
            for (int x = 0; x < frame.width; ++x) {
                sum += qGray(canvas.image().pixel(x, y));
            }
        }
        return sum;
    };
    for (int cell : {30, 120, 400}) {
        EXPECT_GT(inked(cell, 700), inked(cell, 400) * 11 / 10) << cell;
    }
}

TEST(NoticeFonts, UnusableSizesAreClampedForRendering) {
    EXPECT_EQ(qtFont({"IPAGothic", 2147483647 / 2, 400, false, false, false}).pixelSize(),
              kMaxFontPixels);
    EXPECT_EQ(qtFont({"IPAGothic", -2147483647 - 1, 400, false, false, false}).pixelSize(),
              kMaxFontPixels);
    EXPECT_GE(qtFont({"IPAGothic", 0, 400, false, false, false}).pixelSize(), 1);
}

TEST(NoticePixels, DestinationColourOnlyInsideItsBand) {
    MemoryStore store;
    store.set(settings::Mojimove, 3);  // standing still, fully on screen
    store.set(settings::ColorR, 10);
    store.set(settings::ColorG, 20);
    store.set(settings::ColorB, 200);
    store.set(settings::Where, "会議室");
    const QImage image = renderNotice(scene(store), {{1024, 768}, kAt, 0, 3});
    const QRgb background = qRgb(10, 20, 200);
    for (const QPoint corner : {QPoint(0, 0), QPoint(1023, 0), QPoint(0, 767), QPoint(1023, 767)}) {
        EXPECT_EQ(image.pixel(corner), background);
    }
    // Band of the 120-pixel cell whose top is at H/2 - 60.
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (y < 324 || y >= 444) {
                ASSERT_EQ(p, background) << x << "," << y;
            } else if (p == qRgb(255, 0, 0)) {
                ++red;
            }
        }
    }
    EXPECT_GT(red, 2000);
}

// Columns [first, last] that hold any ink of an image drawn white on black.
std::pair<int, int> inkColumns(const QImage& image) {
    int first = image.width();
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(0, 0, 0)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, last};
}

TEST(NoticePixels, SmallLinesPlacedPastTheRightEdgeEndAtIt) {
    const auto draw = [](const std::string& text, int x, bool keepIn) {
        Frame frame;
        frame.width = 1024;
        frame.height = 40;
        frame.steps = {FillStep{{0, 0, 1024, 40}, 0},
                       TextStep{smallFont(), 0xFFFFFF, x, 5, text, keepIn}};
        frame.staticSteps = 1;
        FrameCanvas canvas;
        canvas.compose(frame, true);
        return canvas.image();
    };
    // The date's estimate (15 pixels a byte) is narrower than the face draws it.
    const std::string date = "2026/12/29 23:58:58";
    const auto [left, right] = inkColumns(draw(date, 0, true));
    const auto [edgeLeft, edgeRight] = inkColumns(draw(date, 1024 - 19 * 15, true));
    EXPECT_EQ(edgeRight - edgeLeft, right - left);  // nothing cut
    EXPECT_GE(edgeRight, 1024 - 4);
    // A line that fits stays where it was placed.
    EXPECT_EQ(draw("山田", 1024 - 4 * 15, true), draw("山田", 1024 - 4 * 15, false));
}

TEST(NoticePixels, ReturnTimeLineInkOnlyAboveTheBottomLine) {
    MemoryStore store;
    store.set(settings::Screen, 4);  // no destination text in the way
    const auto redIn = [](const QImage& image, int top, int bottom) {
        int red = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                red += image.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
            }
        }
        return red;
    };
    const QImage without = renderNotice(scene(store), {{1024, 768}, kAt, 0, 1});
    EXPECT_EQ(redIn(without, 0, 768), 0);
    // An hour after the frame's moment, in the local calendar the window shows.
    const QDateTime back = QDateTime::fromSecsSinceEpoch(kAt + 3600);
    store.set(settings::Modori, back.toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString());
    const QImage with = renderNotice(scene(store), {{1024, 768}, kAt, 0, 1});
    EXPECT_GT(redIn(with, 768 - 90, 768 - 30), 1000);  // 60-pixel glyphs
    EXPECT_EQ(redIn(with, 0, 768 - 90) + redIn(with, 768 - 30, 768), 0);
}

TEST(NoticePixels, IncrementalFramesEqualFullRedraws) {
    MemoryStore store;
    store.set(settings::Screen, 2);
    store.set(settings::White, true);
    store.set(settings::Black, true);
    store.set(settings::Riseki, true);
    store.set(settings::Daytime, true);
    store.set(settings::Mojicol, true);
    store.set(settings::Size, 120);
    store.set(settings::Name, "山田");
    store.set(settings::Memo(2), "メモ");
    store.set(settings::MemoY(2), 300);  // crossed by the moving rows
    NoticeScene moving = scene(store);
    preparePaint(moving, 300, kAt);
    FrameCanvas incremental;
    for (int i = 0; i < 60; ++i) {
        const FrameClock clock{kAt + i / 20, {2026, 12, 7, 9, 5, 3 + i / 20}};
        Frame frame = drawFrame(moving, 400, 300, clock);
        incremental.compose(frame, i == 0);
        FrameCanvas full;
        full.compose(frame, true);
        ASSERT_EQ(incremental.image(), full.image()) << "frame " << i;
    }
}

TEST(NoticePixels, HostileSettingsStillDraw) {
    MemoryStore store;
    store.set(settings::Size, 2147483647);
    store.set(settings::MSize(1), -2147483647 - 1);
    store.set(settings::Memo(1), std::string(1 << 20, 'M'));
    store.set(settings::Where, std::string("\xff\xfe\xc3(broken", 10) + std::string(5000, 'w'));
    store.set(settings::Font, std::string(100, 'F'));
    store.set(settings::Screen, 99);
    store.set(settings::Riseki, true);
    store.set(settings::MemoX(2), 2147483647);
    store.set(settings::MemoY(2), -2147483647 - 1);
    store.set(settings::Memo(2), "端");
    store.set(settings::Memo(3), "見える");
    store.set(settings::MColorB(3), 255);
    store.set(settings::MColorG(3), 0);
    store.set(settings::MSize(3), 250);
    store.set(settings::MemoY(3), 100);
    const QImage image = renderNotice(scene(store), {{320, 200}, kAt, 0, 30});
    ASSERT_EQ(image.size(), QSize(320, 200));
    int blue = 0;  // the sane memo still shows, whatever the others hold
    for (int y = 100; y < 150; ++y) {
        for (int x = 0; x < 150; ++x) {
            blue += image.pixel(x, y) == qRgb(0, 0, 255) ? 1 : 0;
        }
    }
    EXPECT_GT(blue, 100);
}

TEST(RenderTool, WritesThePictureOfTheStoredNotice) {
    QTemporaryDir home;
    const QString tool = QStringLiteral(RUMO_BINARY_DIR "/rumo-render");
    const QString settings = QStringLiteral(RUMO_BINARY_DIR "/rumo-settings");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    auto run = [&](const QString& program, const QStringList& args) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(program, args);
        EXPECT_TRUE(process.waitForFinished(30000));
        return process.exitCode();
    };
    ASSERT_EQ(run(settings, {"--app", "rumo", "set-int", "Config", "ColorG", "128"}), 0);
    const QString png = home.filePath(QStringLiteral("notice.png"));
    ASSERT_EQ(run(tool, {"--size", "200x100", "--at", QString::number(kAt), png}), 0);
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(200, 100));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 128, 0));
    EXPECT_EQ(image.pixel(199, 99), qRgb(0, 128, 0));
    EXPECT_NE(run(tool, {"--size", "0x5", png}), 0);
}

}  // namespace
}  // namespace rumo
