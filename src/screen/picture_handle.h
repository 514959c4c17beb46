// A decoded picture as the core sees it: an id the shell's picture table knows, and the size of
// the picture as stored in its file (every layout rule works in those pixels).
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace rumo {

struct PictureHandle {
    int id = -1;
    int width = 0;
    int height = 0;
    friend bool operator==(const PictureHandle&, const PictureHandle&) = default;
};

// Decodes the file at a path once and hands back its handle, or nothing when the file is empty,
// missing, unreadable, not a supported picture, or too large.
using PictureLoader = std::function<std::optional<PictureHandle>(const std::string& path)>;

}  // namespace rumo
