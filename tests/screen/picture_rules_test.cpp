#include "screen/picture_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace rumo {
namespace {

// Stands in for the decoder: knows a few paths, hands out fresh ids and records every load.
class FakeLoader {
public:
    void add(const std::string& path, int width = 640, int height = 480) {
        sizes_[path] = {width, height};
    }
    PictureLoader loader() {
        return [this](const std::string& path) -> std::optional<PictureHandle> {
            loaded.push_back(path);
            const auto found = sizes_.find(path);
            if (found == sizes_.end()) {
                return std::nullopt;
            }
            return PictureHandle{nextId_++, found->second.first, found->second.second};
        };
    }
    std::vector<std::string> loaded;

private:
    std::map<std::string, std::pair<int, int>> sizes_;
    int nextId_ = 1;
};

NoticeScene sceneWithSwitchesOn(int pictureMode) {
    NoticeScene scene;
    scene.showForeImage = 1;
    scene.showBackImage = 1;
    scene.pictureMode = pictureMode;
    scene.foreImagePath = "/pictures/fore.jpg";
    scene.backImagePath = "/pictures/back.bmp";
    for (int i = 0; i < kPlaceCount; ++i) {
        scene.placeImages[static_cast<std::size_t>(i)] = "/pictures/gazo" + std::to_string(i + 1);
    }
    return scene;
}

TEST(PictureLoaders, LoadOnlyWhileTheirSwitchIsExactlyOne) {
    FakeLoader files;
    files.add("/a.jpg");
    for (int value : {0, 2, -1}) {
        NoticeScene scene;
        scene.showForeImage = value;
        scene.showBackImage = value;
        loadForeImage(scene, "/a.jpg", files.loader());
        loadBackImage(scene, "/a.jpg", files.loader());
        loadSlideImage(scene, 0, "/a.jpg", files.loader());
        EXPECT_EQ(scene.showForeImage, 0) << value;
        EXPECT_EQ(scene.showBackImage, 0) << value;
        EXPECT_FALSE(scene.foreImage || scene.backImage || scene.slideImages[0]);
    }
    EXPECT_TRUE(files.loaded.empty());
}

TEST(PictureLoaders, FailureSwitchesOffForGoodAndKeepsTheTarget) {
    FakeLoader files;
    files.add("/good.jpg", 300, 200);
    files.add("/empty.gif", 0, 0);
    NoticeScene scene;
    scene.showBackImage = 1;
    loadBackImage(scene, "/good.jpg", files.loader());
    ASSERT_TRUE(scene.backImage);
    const PictureHandle first = *scene.backImage;
    EXPECT_EQ(first.width, 300);
    EXPECT_EQ(scene.showBackImage, 1);

    loadBackImage(scene, "/missing.jpg", files.loader());
    EXPECT_EQ(scene.showBackImage, 0);
    EXPECT_EQ(scene.backImage, first);

    // Off stays off: a good file afterwards is not even tried.
    files.loaded.clear();
    loadBackImage(scene, "/good.jpg", files.loader());
    EXPECT_EQ(scene.showBackImage, 0);
    EXPECT_TRUE(files.loaded.empty());

    NoticeScene empty;
    empty.showForeImage = 1;
    loadForeImage(empty, "", files.loader());
    EXPECT_EQ(empty.showForeImage, 0);
    empty.showForeImage = 1;
    loadForeImage(empty, "/empty.gif", files.loader());  // a picture without pixels
    EXPECT_EQ(empty.showForeImage, 0);
    EXPECT_FALSE(empty.foreImage);

    NoticeScene slides;
    slides.showForeImage = 1;
    loadSlideImage(slides, 15, "/good.jpg", files.loader());
    EXPECT_EQ(slides.showForeImage, 0);
}

TEST(PictureSelection, ModeZeroLoadsBitmapThenTheBackground) {
    FakeLoader files;
    NoticeScene scene = sceneWithSwitchesOn(0);
    files.add(scene.foreImagePath);
    files.add(scene.backImagePath);
    choosePicturesAtCreation(scene, files.loader());
    EXPECT_EQ(files.loaded, (std::vector<std::string>{"/pictures/fore.jpg", "/pictures/back.bmp"}));
    EXPECT_TRUE(scene.foreImage && scene.backImage);
    runSlideRule(scene, 0, files.loader());
    EXPECT_EQ(scene.framePicture, scene.foreImage);
}

TEST(PictureSelection, EmptyBitmapSwitchesTheForegroundOffOnly) {
    FakeLoader files;
    NoticeScene scene = sceneWithSwitchesOn(0);
    scene.foreImagePath.clear();
    files.add(scene.backImagePath);
    choosePicturesAtCreation(scene, files.loader());
    EXPECT_EQ(scene.showForeImage, 0);
    EXPECT_EQ(scene.showBackImage, 1);
}

TEST(PictureSelection, MissingBackgroundLeavesTheForegroundAlone) {
    FakeLoader files;
    NoticeScene scene = sceneWithSwitchesOn(0);
    files.add(scene.foreImagePath);
    choosePicturesAtCreation(scene, files.loader());
    EXPECT_EQ(scene.showBackImage, 0);
    EXPECT_EQ(scene.showForeImage, 1);
    EXPECT_TRUE(scene.foreImage);
}

TEST(PictureSelection, SeparateLoadersForForegroundAndBackground) {
    FakeLoader fore;
    FakeLoader back;
    NoticeScene scene = sceneWithSwitchesOn(0);
    fore.add(scene.foreImagePath);
    back.add(scene.backImagePath);
    choosePicturesAtCreation(scene, fore.loader(), back.loader());
    EXPECT_EQ(fore.loaded, std::vector<std::string>{"/pictures/fore.jpg"});
    EXPECT_EQ(back.loaded, std::vector<std::string>{"/pictures/back.bmp"});
}

TEST(PictureSelection, ModeOneMatchesWhereDespiteTrailingBlanks) {
    FakeLoader files;
    NoticeScene scene = sceneWithSwitchesOn(1);
    scene.places[0] = "会議室";
    scene.places[2] = "食堂 \t";
    scene.where = "食堂  ";
    files.add("/pictures/gazo3");
    choosePicturesAtCreation(scene, files.loader());
    EXPECT_EQ(files.loaded.front(), "/pictures/gazo3");
    EXPECT_TRUE(scene.foreImage);
    EXPECT_EQ(scene.where, "食堂");
    EXPECT_EQ(scene.places[2], "食堂");
}

TEST(PictureSelection, ModeOneKeepsIdeographicSpaceAndCase) {
    FakeLoader files;
    NoticeScene scene = sceneWithSwitchesOn(1);
    scene.places[0] = "Lab";
    scene.places[1] = "食堂\u3000";  // a double-byte space is part of the name
    scene.where = "食堂";
    scene.places[2] = "食堂";
    choosePicturesAtCreation(scene, files.loader());
    EXPECT_EQ(files.loaded.front(), "/pictures/gazo3");

    NoticeScene other = sceneWithSwitchesOn(1);
    other.places[0] = "Lab";
    other.where = "lab";
    choosePicturesAtCreation(other, files.loader());
    EXPECT_EQ(files.loaded[2], "/pictures/fore.jpg");  // no match: falls back to Bitmap
}

TEST(PictureSelection, ModeOneEmptyWhereMatchesAnEmptyFirstPlace) {
    FakeLoader files;
    NoticeScene scene = sceneWithSwitchesOn(1);
    scene.where = " ";
    files.add("/pictures/gazo1");
    choosePicturesAtCreation(scene, files.loader());
    EXPECT_EQ(files.loaded.front(), "/pictures/gazo1");
    EXPECT_EQ(scene.showForeImage, 1);
}

TEST(PictureSelection, ModeOneMatchWithoutPictureHasNoFallback) {
    FakeLoader files;
    NoticeScene scene = sceneWithSwitchesOn(1);
    scene.places[0] = "外出";
    scene.where = "外出";
    scene.placeImages[0].clear();
    files.add(scene.foreImagePath);
    files.add(scene.backImagePath);
    choosePicturesAtCreation(scene, files.loader());
    EXPECT_EQ(scene.showForeImage, 0);
    EXPECT_FALSE(scene.foreImage);
    EXPECT_EQ(files.loaded, std::vector<std::string>{"/pictures/back.bmp"});
}

TEST(PictureSelection, OtherModesLoadNoForeground) {
    FakeLoader files;
    NoticeScene scene = sceneWithSwitchesOn(3);
    files.add(scene.foreImagePath);
    files.add(scene.backImagePath);
    choosePicturesAtCreation(scene, files.loader());
    EXPECT_EQ(files.loaded, std::vector<std::string>{"/pictures/back.bmp"});
    EXPECT_FALSE(scene.foreImage);
}

// Mode 2 with destinations 2, 5 and 9 set and a fake clock of elapsed seconds.
class Slides : public ::testing::Test {
protected:
    void SetUp() override {
        scene = sceneWithSwitchesOn(2);
        scene.places[1] = "会議室";
        scene.places[4] = "食堂  ";
        scene.places[8] = "外出";
        scene.places[10] = " \t";  // blank: not a destination
        for (const char* path : {"/pictures/gazo2", "/pictures/gazo5", "/pictures/gazo9"}) {
            files.add(path);
        }
        files.add(scene.backImagePath);
        choosePicturesAtCreation(scene, files.loader());
        files.loaded.clear();
    }
    // Runs one frame at `second` and names the picture it would draw.
    std::string frameAt(std::int64_t second) {
        runSlideRule(scene, second, files.loader());
        if (!scene.framePicture) {
            return "none";
        }
        return std::to_string(scene.framePicture->id);
    }
    NoticeScene scene;
    FakeLoader files;
};

TEST_F(Slides, CreationCompactsTheDestinationsAndLoadsNothing) {
    EXPECT_EQ(scene.slideCount, 3);
    EXPECT_EQ(scene.placeImages[0], "/pictures/gazo2");
    EXPECT_EQ(scene.placeImages[1], "/pictures/gazo5");
    EXPECT_EQ(scene.placeImages[2], "/pictures/gazo9");
    EXPECT_EQ(scene.placeImages[3], "/pictures/gazo4");  // entries behind keep their contents
    EXPECT_EQ(scene.places[4], "食堂");
    EXPECT_EQ(scene.showBackImage, 1);  // the background loads in every mode
    EXPECT_FALSE(scene.foreImage);
}

TEST_F(Slides, EachSlideComesUpEveryThreeMinutesAndLoadsOnce) {
    const std::string first = frameAt(0);
    EXPECT_EQ(files.loaded, std::vector<std::string>{"/pictures/gazo2"});
    EXPECT_EQ(frameAt(1), first);
    EXPECT_EQ(frameAt(179), first);
    const std::string second = frameAt(180);
    EXPECT_NE(second, first);
    EXPECT_EQ(frameAt(180), second);  // two frames in the same second change nothing
    EXPECT_EQ(frameAt(359), second);
    const std::string third = frameAt(360);
    EXPECT_EQ(files.loaded,
              (std::vector<std::string>{"/pictures/gazo2", "/pictures/gazo5", "/pictures/gazo9"}));
    EXPECT_EQ(frameAt(540), first);
    EXPECT_EQ(frameAt(720), second);
    EXPECT_EQ(frameAt(900), third);
    EXPECT_EQ(files.loaded.size(), 3u);  // after the first pass nothing is loaded again
    EXPECT_EQ(scene.showForeImage, 1);
}

TEST_F(Slides, ALateTickStillChangesTheSlide) {
    const std::string first = frameAt(0);
    EXPECT_EQ(frameAt(179), first);
    const std::string second = frameAt(181);  // the tick of second 180 never came
    EXPECT_NE(second, first);
    EXPECT_EQ(scene.slideLastSecond, 181);
    EXPECT_EQ(frameAt(359), second);  // the schedule stays on multiples of three minutes
    EXPECT_NE(frameAt(362), second);
}

TEST_F(Slides, ARepaintRestartsTheClockWithAChange) {
    const std::string first = frameAt(0);
    const std::string second = frameAt(180);
    EXPECT_EQ(frameAt(200), second);
    const std::string third = frameAt(0);  // the clock went back to 0 at a repaint
    EXPECT_NE(third, second);
    EXPECT_NE(third, first);
    EXPECT_EQ(frameAt(100), third);
    EXPECT_EQ(frameAt(180), first);
}

TEST_F(Slides, AMissingSlideSwitchesTheForegroundOffWhileTheCycleGoesOn) {
    scene.placeImages[2] = "/pictures/missing";
    frameAt(0);
    frameAt(180);
    EXPECT_EQ(scene.showForeImage, 1);
    frameAt(360);
    EXPECT_EQ(scene.showForeImage, 0);
    EXPECT_EQ(scene.showBackImage, 1);
    EXPECT_EQ(scene.slideShown, 2);
    frameAt(540);
    EXPECT_EQ(scene.slideShown, 0);
    EXPECT_EQ(scene.showForeImage, 0);
}

TEST(SlidesWithoutDestinations, ShowTheFirstPictureForever) {
    FakeLoader files;
    NoticeScene scene = sceneWithSwitchesOn(2);
    files.add("/pictures/gazo1");
    choosePicturesAtCreation(scene, files.loader());
    EXPECT_EQ(scene.slideCount, 0);
    runSlideRule(scene, 0, files.loader());
    ASSERT_TRUE(scene.framePicture);
    const PictureHandle shown = *scene.framePicture;
    for (std::int64_t second : {1, 180, 181, 360, 3600}) {
        runSlideRule(scene, second, files.loader());
        EXPECT_EQ(scene.framePicture, shown) << second;
    }
    EXPECT_EQ(files.loaded, (std::vector<std::string>{"/pictures/back.bmp", "/pictures/gazo1"}));
}

}  // namespace
}  // namespace rumo
