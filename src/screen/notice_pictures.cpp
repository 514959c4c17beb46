#include "screen/notice_pictures.h"

#include "screen/picture_decoder.h"
#include "screen/picture_rules.h"

namespace rumo {

PictureRules standardPictureRules() {
    PictureRules rules;
    rules.decode = [](const QString& path, QSize screen, bool foreground) {
        return decodePicture(path, screen, foreground);
    };
    rules.atCreation = [](AwayScene& scene, const PictureLoader& foreground,
                          const PictureLoader& background) {
        choosePicturesAtCreation(scene, foreground, background);
    };
    rules.slideRule = [](AwayScene& scene, std::int64_t elapsedSeconds,
                         const PictureLoader& foreground) {
        runSlideRule(scene, elapsedSeconds, foreground);
    };
    return rules;
}

}  // namespace rumo
