// Which pictures the notice loads and when: the three loaders with their on/off switches, the
// choice of foreground picture at creation, and the three-minute slide rule run before each frame.
#pragma once

#include <cstdint>
#include <string>

#include "screen/notice_scene.h"
#include "screen/picture_handle.h"

namespace rumo {

// Seconds between two slides in picture mode 2.
inline constexpr std::int64_t kSlideSeconds = 180;

// Each loader runs only while its switch is exactly 1. An empty path, a file the loader cannot
// turn into a picture, or a picture without pixels switches the layer off for good and leaves
// the target as it was.
void loadForeImage(NoticeScene& scene, const std::string& path, const PictureLoader& loader);
void loadBackImage(NoticeScene& scene, const std::string& path, const PictureLoader& loader);
// Slide n (0..14) obeys and clears the foreground switch.
void loadSlideImage(NoticeScene& scene, int n, const std::string& path,
                    const PictureLoader& loader);

// At window creation: the foreground by pictureMode (0 Bitmap, 1 the current destination's
// picture, 2 prepares the slides), then the background in every mode. The two loaders let the
// shell prepare each layer for the way it is drawn (centred or tiled).
void choosePicturesAtCreation(NoticeScene& scene, const PictureLoader& foreLoader,
                              const PictureLoader& backLoader);
void choosePicturesAtCreation(NoticeScene& scene, const PictureLoader& loader);

// Start of every frame: in mode 2 advances the slides (loading each the first time it comes up)
// and sets framePicture to the slide on show; in every other mode framePicture = foreImage.
void runSlideRule(NoticeScene& scene, std::int64_t elapsedSeconds, const PictureLoader& loader);

}  // namespace rumo
