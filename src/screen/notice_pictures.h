// How the notice gets its pictures: the decoder, the choice at creation and the three-minute
// slides. The program uses the standard rules; tests may give their own or none.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include <QSize>
#include <QString>

#include "screen/notice_scene.h"
#include "screen/picture_table.h"

namespace rumo {

class TaskPool;

// How the notice gets its pictures; the run modes set it before the window is shown. Without
// it the picture layers stay off.
struct PictureRules {
    PictureDecodeHook decode;
    // The picture's size from its file's header, read quickly. With it and `loads`, decode runs
    // on those threads and the picture is drawn once it is ready; otherwise decode runs at once.
    std::function<std::optional<QSize>(const QString& path)> probe;
    // The program's loading threads; it outlives every notice that uses it.
    TaskPool* loads = nullptr;
    // Foreground choice and background load, once, before the first frame.
    std::function<void(NoticeScene&, const PictureLoader& foreground,
                       const PictureLoader& background)>
        atCreation;
    // Picture mode 2's slides, at the start of every frame.
    std::function<void(NoticeScene&, std::int64_t elapsedSeconds, const PictureLoader& foreground)>
        slideRule;
};

// Files decoded for the window (on `loads`, when given), the foreground chosen by the picture
// mode, slides every three minutes.
PictureRules standardPictureRules(TaskPool* loads = nullptr);

// The size a picture file will be decoded at before any cut or scaling (after its EXIF
// orientation), from its header; nothing when it is not a regular BMP, JPEG or GIF file.
std::optional<QSize> probePicture(const QString& path);

}  // namespace rumo
