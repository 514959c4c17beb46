#include "screen/notice_pictures.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QImageReader>
#include <QThread>

#include "common/task_pool.h"
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

PictureRules standardPictureRules(TaskPool* loads) {
    PictureRules rules;
    rules.decode = [delay = testDecodeDelay()](const QString& path, const PictureScreen& screen,
                                               bool foreground) {
        // On a loading thread, the load's own stop; on the window's thread, none.
        const std::stop_token stop = TaskPool::currentStop();
        for (const QDeadlineTimer slow(delay); !slow.hasExpired() && !stop.stop_requested();) {
            QThread::msleep(10);
        }
        return decodePicture(path, screen, foreground, stop);
    };
    if (loads != nullptr) {
        rules.probe = probePicture;
        rules.loads = loads;
    }
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
