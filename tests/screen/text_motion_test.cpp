#include "screen/text_motion.h"

#include <gtest/gtest.h>

#include "frame_test_support.h"
#include "scene_test_support.h"

namespace rumo {
namespace {

using testing::at;
using testing::sceneWith;
using testing::textSteps;

constexpr std::int64_t kStart = 1796634303;

TEST(TextMotion, FromTheLeftEntersWrapsAndRestartsOnAWide1024Screen) {
    NoticeScene s = sceneWith({});
    preparePaint(s, 768, kStart);
    EXPECT_EQ(estimatedTextWidth(s), 1440);
    Frame first = drawFrame(s, 1024, 768, at(kStart));
    ASSERT_EQ(textSteps(first).size(), 1u);
    EXPECT_EQ(textSteps(first)[0].x, -1428);
    EXPECT_EQ(textSteps(first)[0].y, 384 - 60);
    EXPECT_EQ(s.textX, 12);
    std::int32_t expected = 12;
    while (expected < 2472) {
        drawFrame(s, 1024, 768, at(kStart));
        expected += 12;
        ASSERT_EQ(s.textX, expected);
    }
    drawFrame(s, 1024, 768, at(kStart));
    EXPECT_EQ(s.textX, 0);  // 2472 > 1024 + 1440: restart just out of sight
    drawFrame(s, 1024, 768, at(kStart));
    EXPECT_EQ(s.textX, 12);
}

TEST(TextMotion, VerticalPositionsFollowThePositionSetting) {
    struct Case {
        int pattern, position, y;
    };
    // H = 768, q = 60.
    for (const Case c :
         {Case{0, 0, 324}, Case{0, 1, 93}, Case{0, 2, 554}, Case{0, 3, 324}, Case{1, 0, 324},
          Case{1, 1, 93}, Case{1, 2, 554}, Case{1, 3, 0}, Case{2, 1, 334}, Case{4, 2, 100}}) {
        NoticeScene s =
            sceneWith({{settings::Screen, c.pattern}, {settings::Mojimove, c.position}});
        preparePaint(s, 768, kStart);
        EXPECT_EQ(s.textY, c.y) << c.pattern << "/" << c.position;
        EXPECT_EQ(s.textX, 0);
    }
}

TEST(TextMotion, FixedPositionStandsBesideTheCentre) {
    NoticeScene left = sceneWith({{settings::Screen, 0}, {settings::Mojimove, 3}});
    preparePaint(left, 768, kStart);
    for (int i = 0; i < 3; ++i) {
        const auto texts = textSteps(drawFrame(left, 1024, 768, at(kStart)));
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].x, 1024 / 2 + 720 + 10 - 1440);  // centred, then 10 to the right
        EXPECT_EQ(texts[0].y, 324);
    }
    NoticeScene right = sceneWith({{settings::Screen, 1}, {settings::Mojimove, 3}});
    preparePaint(right, 768, kStart);
    const auto texts = textSteps(drawFrame(right, 1024, 768, at(kStart)));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].x, 1024 - (512 + 720 + 10));  // centred, then 10 to the left
    EXPECT_EQ(texts[0].y, 0);
}

TEST(TextMotion, FromTheRightEntersAtTheRightEdge) {
    NoticeScene s = sceneWith({{settings::Screen, 1}});
    preparePaint(s, 768, kStart);
    EXPECT_EQ(textSteps(drawFrame(s, 1024, 768, at(kStart)))[0].x, 1024 - 12);
    EXPECT_EQ(textSteps(drawFrame(s, 1024, 768, at(kStart)))[0].x, 1024 - 24);
}

TEST(TextMotion, CrossRowsOnA768HighScreen) {
    NoticeScene s = sceneWith({{settings::Screen, 2}, {settings::Mojimove, 2}});
    preparePaint(s, 768, kStart);
    const auto texts = textSteps(drawFrame(s, 1024, 768, at(kStart)));
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].y, 584);
    EXPECT_EQ(texts[1].y, 434);
    EXPECT_EQ(texts[2].y, 234);
    EXPECT_EQ(texts[3].y, 84);
    EXPECT_EQ(texts[0].x, 12 - 1440);  // moving right
    EXPECT_EQ(texts[1].x, 1024 - 12);  // moving left
    EXPECT_EQ(texts[2].x, 12 - 1440);
    EXPECT_EQ(texts[3].x, 1024 - 12);
}

TEST(TextMotion, ScatteredStaysInsideAPreviewAndRepeatsWithinASecond) {
    NoticeScene s = sceneWith({{settings::Screen, 3}});
    preparePaint(s, 112, kStart);
    bool sawNonZero = false;
    for (std::int64_t t = kStart; t < kStart + 400; ++t) {
        const auto texts = textSteps(drawFrame(s, 152, 112, at(t)));
        ASSERT_EQ(texts.size(), 1u);
        ASSERT_GE(texts[0].x, 0);
        ASSERT_LE(texts[0].x, 147);
        ASSERT_GE(texts[0].y, 0);
        ASSERT_LE(texts[0].y, 61);
        sawNonZero = sawNonZero || texts[0].x > 100 || texts[0].y > 40;
        const auto again = textSteps(drawFrame(s, 152, 112, at(t)));
        ASSERT_EQ(again[0].x, texts[0].x);
        ASSERT_EQ(again[0].y, texts[0].y);
    }
    EXPECT_TRUE(sawNonZero);
    CrtRandom random;
    random.seedFromTime(kStart);
    const int r1 = random.next();
    const int r2 = random.next();
    const auto texts = textSteps(drawFrame(s, 1024, 768, at(kStart)));
    EXPECT_EQ(texts[0].x, r1 % 724);
    EXPECT_EQ(texts[0].y, r2 % 718);
}

TEST(TextMotion, ScatteredWithAZeroRangePlacesTheTextAtZero) {
    NoticeScene s = sceneWith({{settings::Screen, 3}});
    preparePaint(s, 50, kStart);
    for (std::int64_t t = kStart; t < kStart + 20; ++t) {
        const auto texts = textSteps(drawFrame(s, 300, 50, at(t)));
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].x, 0);
        EXPECT_EQ(texts[0].y, 0);
    }
}

TEST(TextMotion, SmallSizesStandStillAndEmptyTextDrawsNothing) {
    NoticeScene small = sceneWith({{settings::Size, 19}});
    preparePaint(small, 768, kStart);
    drawFrame(small, 1024, 768, at(kStart));
    drawFrame(small, 1024, 768, at(kStart));
    EXPECT_EQ(small.textX, 0);

    MemoryStore store;
    store.set(settings::Where, "");
    NoticeScene empty = loadNoticeScene(store);
    preparePaint(empty, 768, kStart);
    EXPECT_TRUE(textSteps(drawFrame(empty, 1024, 768, at(kStart))).empty());
    for (int i = 0; i < 85; ++i) {
        drawFrame(empty, 1024, 768, at(kStart));
    }
    EXPECT_EQ(empty.textX, 1032);
    drawFrame(empty, 1024, 768, at(kStart));
    EXPECT_EQ(empty.textX, 0);  // L = 0: the wrap comes once the text is past W
}

TEST(TextMotion, PatternFourDrawsNoDestination) {
    NoticeScene s = sceneWith({{settings::Screen, 4}, {settings::White, 1}, {settings::Riseki, 1}});
    preparePaint(s, 768, kStart);
    const auto texts = textSteps(drawFrame(s, 1024, 768, at(kStart)));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "離席してから約0分");
}

TEST(TextMotion, HugeValuesWrapInsteadOfOverflowing) {
    MemoryStore store;
    store.set(settings::Size, 2147483647);
    store.set(settings::Where, std::string(1 << 20, 'x'));
    for (int screen = 0; screen <= 4; ++screen) {
        store.set(settings::Screen, screen);
        NoticeScene s = loadNoticeScene(store);
        preparePaint(s, 768, kStart);
        for (int i = 0; i < 50; ++i) {
            const Frame frame = drawFrame(s, 1024, 768, at(kStart + i));
            ASSERT_TRUE(std::holds_alternative<FillStep>(frame.steps.at(0)));
        }
    }
    store.set(settings::Size, -2147483647 - 1);
    NoticeScene negative = loadNoticeScene(store);
    preparePaint(negative, 768, kStart);
    drawFrame(negative, 1024, 768, at(kStart));
    EXPECT_EQ(negative.quarterSize, (-2147483647 - 1) / 4);
}

}  // namespace
}  // namespace rumo
