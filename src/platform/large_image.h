// Full-screen images backed by huge pages where the system offers them: a fresh frame buffer is
// touched in one go on the first frame, and faulting it in 4 KB pages costs more than drawing it.
#pragma once

#include <QImage>
#include <QSize>

namespace rumo {

// An uninitialised image of the given size and format; a plain QImage when huge pages cannot
// be asked for. Null when the memory cannot be had.
QImage allocateLargeImage(QSize size, QImage::Format format);

}  // namespace rumo
