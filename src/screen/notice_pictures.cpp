#include "screen/notice_pictures.h"

#include <QFile>
#include <QImageReader>
#include <QThread>

#include "platform/regular_file.h"
#include "screen/picture_decoder.h"
#include "screen/picture_rules.h"

namespace rumo {

namespace {

// RUMO_TEST_PICTURE_DELAY_MS makes every decode that long, so tests can show that the notice
// draws and answers input while a picture loads.
int testDecodeDelay() {
    return qEnvironmentVariableIntValue("RUMO_TEST_PICTURE_DELAY_MS");
}

}  // namespace

std::optional<QSize> probePicture(const QString& path) {
    QFile file;
    if (!openRegularFile(file, path)) {
        return std::nullopt;
    }
    const QByteArray format = pictureFormatOf(file.peek(6));
    if (format.isEmpty()) {
        return std::nullopt;
    }
    QImageReader reader(&file, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    const QSize raw = reader.size();
    if (!raw.isValid() || raw.isEmpty()) {
        return std::nullopt;
    }
    const bool quarterTurn =
        format == "jpeg" && (reader.transformation() & QImageIOHandler::TransformationRotate90);
    return quarterTurn ? raw.transposed() : raw;
}

PictureRules standardPictureRules() {
    PictureRules rules;
    rules.decode = [delay = testDecodeDelay()](const QString& path, const PictureScreen& screen,
                                               bool foreground) {
        if (delay > 0) {
            QThread::msleep(static_cast<unsigned long>(delay));
        }
        return decodePicture(path, screen, foreground);
    };
    rules.probe = probePicture;
    rules.atCreation = [](NoticeScene& scene, const PictureLoader& foreground,
                          const PictureLoader& background) {
        choosePicturesAtCreation(scene, foreground, background);
    };
    rules.slideRule = [](NoticeScene& scene, std::int64_t elapsedSeconds,
                         const PictureLoader& foreground) {
        runSlideRule(scene, elapsedSeconds, foreground);
    };
    return rules;
}

}  // namespace rumo
