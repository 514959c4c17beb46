#include "screen/scene_loader.h"

#include <gtest/gtest.h>

#include "settings/memory_store.h"

namespace rumo {
namespace {

TEST(SceneLoader, FreshProfileGivesTheDefaultNotice) {
    MemoryStore store;
    const NoticeScene s = loadNoticeScene(store);
    EXPECT_EQ(s.where, "ＥＳＣキーを押して下さい");
    EXPECT_EQ(s.fontFace, "ＭＳ Ｐゴシック");
    EXPECT_EQ(s.fontSize, 240);
    EXPECT_EQ(s.quarterSize, 60);
    EXPECT_EQ(s.textColor, rgb(255, 0, 0));
    EXPECT_EQ(s.backColor, rgb(0, 0, 0));
    EXPECT_EQ(s.motionPattern, 0);
    for (int m = 0; m < kMemoCount; ++m) {
        EXPECT_EQ(s.memoFontFaces[m], "ＭＳ Ｐ明朝");
        EXPECT_EQ(s.memoSizes[m], 240);
        EXPECT_EQ(rgb(s.memoRed[m], s.memoGreen[m], s.memoBlue[m]), rgb(0, 255, 0));
    }
    EXPECT_FALSE(s.startTime.has_value());
}

TEST(SceneLoader, ReadsEveryGroupFromItsSection) {
    MemoryStore store;
    store.set(settings::Where, "会議室");
    store.set(settings::Name, "山田");
    store.set(settings::Place(15), "食堂");
    store.set(settings::Gazo(15), "/p/15.jpg");
    store.set(settings::Memo(3), "内線123");
    store.set(settings::MemoX(3), 600);
    store.set(settings::MemoY(3), -40);
    store.set(settings::MSize(3), 100);
    store.set(settings::MTorikeshi(3), true);
    store.set(settings::MColorB(3), 511);
    store.set(settings::ColorG, 0x1FF);
    store.set(settings::Mojicol, true);
    const NoticeScene s = loadNoticeScene(store);
    EXPECT_EQ(s.where, "会議室");
    EXPECT_EQ(s.name, "山田");
    EXPECT_EQ(s.places[14], "食堂");
    EXPECT_EQ(s.placeImages[14], "/p/15.jpg");
    EXPECT_EQ(s.memos[2], "内線123");
    EXPECT_EQ(s.memoX[2], 600);
    EXPECT_EQ(s.memoY[2], -40);
    EXPECT_EQ(s.memoSizes[2], 100);
    EXPECT_EQ(s.memoStrikeout[2], 1);
    EXPECT_EQ(s.memoBlue[2], 511);
    EXPECT_EQ(s.backColor, rgb(0, 0xFF, 0));  // only the low byte of each component
    EXPECT_EQ(s.colourfulText, 1);
}

TEST(SceneLoader, PatternOutsideTheFiveRunsAsTextFromTheLeft) {
    for (int stored : {-1, 5, 2147483647}) {
        MemoryStore store;
        store.set(settings::Screen, stored);
        EXPECT_EQ(loadNoticeScene(store).motionPattern, 0) << stored;
    }
    MemoryStore store;
    store.set(settings::Screen, 4);
    EXPECT_EQ(loadNoticeScene(store).motionPattern, 4);
}

TEST(SceneLoader, TrailingBlanksGoWhenPicturesFollowTheDestination) {
    for (int mode : {0, 1, 2}) {
        MemoryStore store;
        store.set(settings::Mtype, mode);
        store.set(settings::Where, "会議室 \t");
        store.set(settings::Place(3), "会議室  ");
        const NoticeScene s = loadNoticeScene(store);
        EXPECT_EQ(s.where, mode == 1 ? "会議室" : "会議室 \t") << mode;
        EXPECT_EQ(s.places[2], mode == 0 ? "会議室  " : "会議室") << mode;
    }
}

TEST(SceneLoader, ShownTextsAreCutAtACharacterBoundary) {
    MemoryStore store;
    std::string huge = "x";
    for (int i = 0; i < 400000; ++i) {
        huge += "あ";
    }
    store.set(settings::Where, huge);
    store.set(settings::Memo(2), huge);
    store.set(settings::Name, "山田");
    const NoticeScene s = loadNoticeScene(store);
    EXPECT_EQ(s.where.size(), 1u + 1365 * 3);  // no half of a character at the end
    EXPECT_EQ(s.where, huge.substr(0, s.where.size()));
    EXPECT_EQ(s.memos[1], s.where);
    EXPECT_EQ(s.name, "山田");
}

}  // namespace
}  // namespace rumo
