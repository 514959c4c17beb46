#include "screen/frame_composer.h"

#include <gtest/gtest.h>

#include "frame_test_support.h"
#include "scene_test_support.h"
#include "screen/crt_random.h"

namespace rumo {
namespace {

using testing::at;
using testing::sceneWith;
using testing::textSteps;

constexpr std::int64_t kStart = 1796634303;

const FontSpec kMainDefault{"ＭＳ Ｐゴシック", 120, 400, false, false, false};
const FontSpec kMemoDefault{"ＭＳ Ｐ明朝", 48, 400, false, false, false};
const FontSpec kSmall{"ＭＳ Ｐゴシック", 30, 0, false, false, false};

TEST(FrameComposition, DefaultFrameIsBlackWithRedDestinationAndGreenMemos) {
    MemoryStore store;
    store.set(settings::Memo(1), "メモ");
    store.set(settings::Memo(5), "five");
    store.set(settings::MemoX(5), 600);
    store.set(settings::MemoY(5), 400);
    NoticeScene s = loadNoticeScene(store);
    preparePaint(s, 768, kStart);
    const Frame frame = drawFrame(s, 1024, 768, at(kStart));
    const std::vector<DrawStep> expected = {
        FillStep{{0, 0, 1024, 768}, rgb(0, 0, 0)},
        TextStep{kMemoDefault, rgb(0, 255, 0), 0, 0, "メモ"},
        TextStep{kMemoDefault, rgb(0, 255, 0), 600, 400, "five"},
        TextStep{kMainDefault, rgb(255, 0, 0), -1428, 324, "ＥＳＣキーを押して下さい"},
    };
    EXPECT_EQ(frame.steps, expected);
    EXPECT_EQ(frame.staticSteps, 3u);
    EXPECT_EQ(frame.width, 1024);
    EXPECT_EQ(frame.height, 768);
}

TEST(FrameComposition, FontsFollowTheirSettings) {
    MemoryStore store;
    store.set(settings::Font, "IPAMincho");
    store.set(settings::Size, 101);
    store.write({integerWrite(settings::Bold, 2)});
    store.set(settings::Italic, true);
    store.set(settings::ULine, true);
    store.set(settings::Torikeshi, true);
    store.set(settings::MFont(2), std::string(32, 'A'));  // too long for a face
    store.set(settings::MSize(2), 99);
    store.set(settings::MItalic(2), true);
    const NoticeScene s = loadNoticeScene(store);
    EXPECT_EQ(mainFont(s), (FontSpec{"IPAMincho", 50, 700, true, true, true}));
    EXPECT_EQ(memoFont(s, 1), (FontSpec{"ＭＳ Ｐ明朝", 19, 400, true, false, false}));
    EXPECT_EQ(memoFont(s, 0), kMemoDefault);

    MemoryStore emptyFace;
    emptyFace.set(settings::Font, "");
    EXPECT_EQ(mainFont(loadNoticeScene(emptyFace)).face, "ＭＳ Ｐゴシック");
    MemoryStore longest;
    longest.set(settings::Font, std::string(31, 'B'));
    EXPECT_EQ(mainFont(loadNoticeScene(longest)).face, std::string(31, 'B'));
}

TEST(FrameComposition, ShadowsComeFirstTenPixelsDownAndRight) {
    struct Case {
        int white, black;
        Colour shadow;
    };
    for (const Case c : {Case{1, 0, 0xFFFFFF}, Case{0, 1, 0x000000}, Case{1, 1, 0x646464}}) {
        NoticeScene s = sceneWith(
            {{settings::Screen, 2}, {settings::White, c.white}, {settings::Black, c.black}});
        preparePaint(s, 768, kStart);
        const auto texts = textSteps(drawFrame(s, 1024, 768, at(kStart)));
        ASSERT_EQ(texts.size(), 8u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(texts[i].colour, c.shadow);
            EXPECT_EQ(texts[i + 4].colour, rgb(255, 0, 0));
            EXPECT_EQ(texts[i].x, texts[i + 4].x + 10);
            EXPECT_EQ(texts[i].y, texts[i + 4].y + 10);
            EXPECT_EQ(texts[i].font, kMainDefault);
        }
    }
    NoticeScene none = sceneWith({});
    preparePaint(none, 768, kStart);
    EXPECT_EQ(textSteps(drawFrame(none, 1024, 768, at(kStart))).size(), 1u);
}

TEST(FrameComposition, ColourfulTextChangesOnlyWithTheSecond) {
    NoticeScene s = sceneWith({{settings::Mojicol, 1}, {settings::Riseki, 1}});
    s.name = "山田";
    preparePaint(s, 768, kStart);
    auto colours = [&](std::int64_t now) {
        std::vector<Colour> result;
        for (const TextStep& t : textSteps(drawFrame(s, 1024, 768, at(now)))) {
            result.push_back(t.colour);
        }
        return result;
    };
    const auto first = colours(kStart);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0], first[1]);  // destination and small lines change together
    EXPECT_EQ(first[0], first[2]);
    CrtRandom random;
    random.seedFromTime(kStart);
    const int r = random.next() % 256;
    const int g = random.next() % 256;
    const int b = random.next() % 256;
    EXPECT_EQ(first[0], rgb(r, g, b));
    EXPECT_EQ(colours(kStart), first);
    EXPECT_NE(colours(kStart + 1), first);
}

TEST(FrameComposition, AwayMinutesCountWholeMinutesFromTheFirstPaint) {
    NoticeScene s = sceneWith({{settings::Riseki, 1}});
    preparePaint(s, 768, kStart);
    auto minutesLine = [&](std::int64_t now) {
        const auto texts = textSteps(drawFrame(s, 1024, 768, at(now)));
        return texts.back();
    };
    EXPECT_EQ(minutesLine(kStart + 59).text, "離席してから約0分");
    EXPECT_EQ(minutesLine(kStart + 59).x, 0);
    EXPECT_EQ(minutesLine(kStart + 59).y, 768 - 30);
    EXPECT_EQ(minutesLine(kStart + 59).font, kSmall);
    EXPECT_EQ(minutesLine(kStart + 90 * 60).text, "離席してから約90分");
    EXPECT_EQ(minutesLine(kStart + 86400 + 300).text, "離席してから約1445分");
    // A repaint restarts the text but not the away time.
    preparePaint(s, 768, kStart + 600);
    EXPECT_EQ(s.textX, 0);
    EXPECT_EQ(minutesLine(kStart + 600).text, "離席してから約10分");
}

TEST(FrameComposition, NameAndDateLinesEndNearTheRightEdge) {
    NoticeScene s = sceneWith({{settings::Daytime, 1}, {settings::Screen, 4}});
    s.name = "山田 太郎";  // 9 bytes in code page 932
    preparePaint(s, 768, kStart);
    FrameClock clock{kStart, {2026, 12, 7, 9, 5, 3}};
    const auto texts = textSteps(drawFrame(s, 1024, 768, clock));
    ASSERT_EQ(texts.size(), 2u);
    // Both kept inside the right edge by the canvas, when the face draws them wider.
    EXPECT_EQ(texts[0], (TextStep{kSmall, rgb(255, 0, 0), 1024 - 9 * 15, 0, "山田 太郎", true}));
    EXPECT_EQ(texts[1],
              (TextStep{kSmall, rgb(255, 0, 0), 1024 - 15 * 15, 738, "2026/12/7 9:5:3", true}));
}

TEST(FrameComposition, ReturnTimeLineSitsAboveTheBottomLineAndCountsOverdueMinutes) {
    const auto frameAt = [](MemoryStore& store, const LocalDateTime& local) {
        NoticeScene s = loadNoticeScene(store);
        preparePaint(s, 768, kStart);
        return drawFrame(s, 1024, 768, FrameClock{kStart, local});
    };
    MemoryStore store;
    store.set(settings::Riseki, true);
    store.set(settings::Daytime, true);
    store.set(settings::Name, "山田");
    const LocalDateTime before{2026, 12, 7, 14, 0, 0};
    const LocalDateTime overdue{2026, 12, 7, 14, 35, 20};
    const Frame without = frameAt(store, before);

    store.set(settings::Modori, "2026-12-07 14:30");
    const Frame with = frameAt(store, before);
    // Everything else as without a return time; the line comes last, in the small lines' colour.
    ASSERT_EQ(with.steps.size(), without.steps.size() + 1);
    EXPECT_TRUE(std::equal(without.steps.begin(), without.steps.end(), with.steps.begin()));
    EXPECT_EQ(with.staticSteps, without.staticSteps);
    const FontSpec returnFont{"ＭＳ Ｐゴシック", 60, 0, false, false, false};
    EXPECT_EQ(textSteps(with).back(),
              (TextStep{returnFont, rgb(255, 0, 0), 0, 768 - 90, "14:30 戻り予定"}));
    EXPECT_EQ(textSteps(frameAt(store, overdue)).back().text, "14:30 戻り予定（5分超過）");

    // A day and more after it, or nothing a return time could be read from: no line at all.
    const LocalDateTime dayLater{2026, 12, 8, 14, 30, 1};
    const Frame stale = frameAt(store, dayLater);
    store.set(settings::Modori, "14:30");
    const Frame unreadable = frameAt(store, before);
    store.set(settings::Modori, "");
    EXPECT_EQ(stale.steps, frameAt(store, dayLater).steps);
    EXPECT_EQ(unreadable.steps, without.steps);
}

TEST(FrameComposition, PictureLayersTileAndCentre) {
    NoticeScene s = sceneWith({{settings::Screen, 4}});
    s.showBackImage = 1;
    s.backImage = PictureHandle{7, 100, 100};
    s.showForeImage = 1;
    s.foreImage = PictureHandle{8, 2048, 1536};
    preparePaint(s, 768, kStart);
    Frame frame = drawFrame(s, 1024, 768, at(kStart));
    ASSERT_GE(frame.steps.size(), 3u);
    EXPECT_EQ(frame.steps[1], DrawStep(TileStep{{7, 100, 100}, 1024, 768}));
    EXPECT_EQ(tileCount(1024, 100), 11);
    EXPECT_EQ(tileCount(768, 100), 8);
    EXPECT_EQ(frame.steps[2], DrawStep(PictureStep{{8, 2048, 1536}, {0, 0, 1024, 768}}));
    EXPECT_TRUE(std::get<PictureStep>(frame.steps[2]).scaled());
    EXPECT_EQ(frame.staticSteps, 3u);

    s.foreImage = PictureHandle{9, 800, 1200};
    frame = drawFrame(s, 1024, 768, at(kStart));
    EXPECT_EQ(frame.steps[2], DrawStep(PictureStep{{9, 800, 1200}, {112, -216, 800, 1200}}));
    EXPECT_FALSE(std::get<PictureStep>(frame.steps[2]).scaled());

    s.foreImage = PictureHandle{10, 2000, 100};  // wide, not tall: enlarged to the height
    frame = drawFrame(s, 1024, 768, at(kStart));
    EXPECT_EQ(frame.steps[2], DrawStep(PictureStep{{10, 2000, 100}, {512 - 7680, 0, 15360, 768}}));

    s.showForeImage = 0;
    s.showBackImage = 0;
    EXPECT_EQ(drawFrame(s, 1024, 768, at(kStart)).steps.size(), 1u);
}

TEST(FrameComposition, SlideRuleChoosesThePictureInModeTwo) {
    NoticeScene s = sceneWith({{settings::Mtype, 2}, {settings::Screen, 4}});
    s.showForeImage = 1;
    s.foreImage = PictureHandle{1, 10, 10};
    preparePaint(s, 768, kStart);
    std::int64_t seen = -1;
    const SlideRule rule = [&](NoticeScene& scene, std::int64_t elapsed) {
        seen = elapsed;
        scene.framePicture = PictureHandle{2, 20, 20};
    };
    const Frame frame = drawFrame(s, 1024, 768, at(kStart + 181), rule);
    EXPECT_EQ(seen, 181);
    EXPECT_EQ(frame.steps[1], DrawStep(PictureStep{{2, 20, 20}, {502, 374, 20, 20}}));
}

}  // namespace
}  // namespace rumo
