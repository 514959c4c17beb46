// Loading rules for the notice's pictures and the slide timing of picture mode 2.
#include "screen/picture_rules.h"

#include <cstddef>
#include <optional>

#include "common/text.h"

namespace rumo {
namespace {

void loadInto(int& layerSwitch, std::optional<PictureHandle>& target, const std::string& path,
              const PictureLoader& loader) {
    if (layerSwitch != 1 || path.empty() || !loader) {
        layerSwitch = 0;
        return;
    }
    const std::optional<PictureHandle> picture = loader(path);
    if (!picture || picture->width <= 0 || picture->height <= 0) {
        layerSwitch = 0;
        return;
    }
    target = *picture;
}

void chooseForDestination(NoticeScene& scene, const PictureLoader& loader) {
    scene.where = trimRight(scene.where);
    for (std::size_t i = 0; i < scene.places.size(); ++i) {
        scene.places[i] = trimRight(scene.places[i]);
        if (scene.places[i] == scene.where) {
            // The matching destination decides, even when it names no usable picture.
            loadForeImage(scene, scene.placeImages[i], loader);
            return;
        }
    }
    loadForeImage(scene, scene.foreImagePath, loader);
}

void prepareSlides(NoticeScene& scene) {
    scene.slideLastSecond = 0;
    scene.slideNext = 0;
    scene.slideCount = 0;
    scene.slidesAllLoaded = 0;
    for (std::size_t i = 0; i < scene.places.size(); ++i) {
        scene.places[i] = trimRight(scene.places[i]);
        if (!scene.places[i].empty()) {
            scene.placeImages[static_cast<std::size_t>(scene.slideCount)] = scene.placeImages[i];
            ++scene.slideCount;
        }
    }
}

// The next multiple of the slide period after `second` (for negative seconds too).
std::int64_t nextSlideSecond(std::int64_t second) {
    std::int64_t quotient = second / kSlideSeconds;
    if (second < 0 && second % kSlideSeconds != 0) {
        --quotient;
    }
    return (quotient + 1) * kSlideSeconds;
}

bool slideChangeDue(const NoticeScene& scene, std::int64_t elapsed) {
    if (scene.slidesAllLoaded == 0 && scene.slideNext == 0) {
        return true;  // nothing shown yet
    }
    if (elapsed == scene.slideLastSecond) {
        return false;
    }
    // A repaint restarts the clock at 0, which is itself a change; otherwise a change is due
    // once the next multiple of the period has been reached, even if the tick of that exact
    // second came late and was skipped.
    return elapsed % kSlideSeconds == 0 || elapsed >= nextSlideSecond(scene.slideLastSecond);
}

}  // namespace

void loadForeImage(NoticeScene& scene, const std::string& path, const PictureLoader& loader) {
    loadInto(scene.showForeImage, scene.foreImage, path, loader);
}

void loadBackImage(NoticeScene& scene, const std::string& path, const PictureLoader& loader) {
    loadInto(scene.showBackImage, scene.backImage, path, loader);
}

void loadSlideImage(NoticeScene& scene, int n, const std::string& path,
                    const PictureLoader& loader) {
    if (n < 0 || n >= static_cast<int>(scene.slideImages.size())) {
        scene.showForeImage = 0;
        return;
    }
    loadInto(scene.showForeImage, scene.slideImages[static_cast<std::size_t>(n)], path, loader);
}

void choosePicturesAtCreation(NoticeScene& scene, const PictureLoader& foreLoader,
                              const PictureLoader& backLoader) {
    switch (scene.pictureMode) {
        case 0:
            loadForeImage(scene, scene.foreImagePath, foreLoader);
            break;
        case 1:
            chooseForDestination(scene, foreLoader);
            break;
        case 2:
            prepareSlides(scene);
            break;
        default:
            break;  // no foreground picture in other modes
    }
    loadBackImage(scene, scene.backImagePath, backLoader);
}

void choosePicturesAtCreation(NoticeScene& scene, const PictureLoader& loader) {
    choosePicturesAtCreation(scene, loader, loader);
}

void runSlideRule(NoticeScene& scene, std::int64_t elapsedSeconds, const PictureLoader& loader) {
    if (scene.pictureMode != 2) {
        scene.framePicture = scene.foreImage;
        return;
    }
    if (slideChangeDue(scene, elapsedSeconds)) {
        if (scene.slidesAllLoaded == 0) {
            loadSlideImage(scene, scene.slideNext,
                           scene.placeImages[static_cast<std::size_t>(scene.slideNext)], loader);
        }
        scene.slideShown = scene.slideNext;
        ++scene.slideNext;
        scene.slideLastSecond = elapsedSeconds;
        if (scene.slideNext >= scene.slideCount) {
            scene.slideNext = 0;
            scene.slidesAllLoaded = 1;
        }
    }
    scene.framePicture = scene.slideImages[static_cast<std::size_t>(scene.slideShown)];
}

}  // namespace rumo
