// The notice's decoded pictures, owned for the life of its window. The core refers to them by
// the ids in PictureHandle; the canvas looks them up here to copy them.
#pragma once

#include <QSize>
#include <deque>
#include <optional>
#include <string>

#include "screen/picture_decoder.h"
#include "screen/picture_handle.h"

namespace rumo {

class PictureTable {
public:
    // Pictures are prepared for a window of this size (the screen, or the preview window).
    explicit PictureTable(QSize screenSize) : screenSize_(screenSize) {}

    // Loaders for the core's picture rules: the foreground one prepares centred pictures and
    // slides, the background one tiles. Both must not outlive the table.
    PictureLoader foregroundLoader();
    PictureLoader backgroundLoader();

    // The picture behind a handle's id, or null for an id this table never handed out.
    const PreparedPicture* find(int id) const;
    int size() const { return static_cast<int>(pictures_.size()); }

private:
    std::optional<PictureHandle> load(const std::string& path, bool foreground);

    QSize screenSize_;
    std::deque<PreparedPicture> pictures_;
};

}  // namespace rumo
