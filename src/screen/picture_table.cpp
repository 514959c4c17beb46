// Keeps every decoded picture of the notice and hands the core its handles.
#include "screen/picture_table.h"

#include <QString>

namespace rumo {

PictureLoader PictureTable::foregroundLoader() {
    return [this](const std::string& path) { return load(path, true); };
}

PictureLoader PictureTable::backgroundLoader() {
    return [this](const std::string& path) { return load(path, false); };
}

const PreparedPicture* PictureTable::find(int id) const {
    if (id < 0 || id >= size()) {
        return nullptr;
    }
    return &pictures_[static_cast<std::size_t>(id)];
}

std::optional<PictureHandle> PictureTable::load(const std::string& path, bool foreground) {
    std::optional<PreparedPicture> picture =
        decodePicture(QString::fromStdString(path), screenSize_, foreground);
    if (!picture) {
        return std::nullopt;
    }
    const PictureHandle handle{size(), picture->originalSize.width(),
                               picture->originalSize.height()};
    pictures_.push_back(std::move(*picture));
    return handle;
}

}  // namespace rumo
