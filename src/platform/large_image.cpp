#include "platform/large_image.h"

#include <cstdlib>
#include <limits>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace rumo {

namespace {

constexpr std::size_t kHugePage = 2u << 20;
constexpr qsizetype kWorthIt = 4 << 20;  // smaller images gain nothing from huge pages

void releaseBuffer(void* buffer) {
    std::free(buffer);
}

}  // namespace

QImage allocateLargeImage(QSize size, QImage::Format format) {
#ifdef __linux__
    const QImage probe(1, 1, format);
    const int depth = probe.depth();
    if (size.isEmpty() || depth <= 0) {
        return QImage(size, format);
    }
    const qsizetype bytesPerLine = ((qsizetype(size.width()) * depth + 31) / 32) * 4;
    const qsizetype bytes = bytesPerLine * size.height();
    if (bytes < kWorthIt || bytesPerLine > std::numeric_limits<int>::max()) {
        return QImage(size, format);
    }
    const std::size_t rounded =
        (static_cast<std::size_t>(bytes) + kHugePage - 1) / kHugePage * kHugePage;
    void* buffer = std::aligned_alloc(kHugePage, rounded);
    if (buffer == nullptr) {
        return QImage(size, format);
    }
    madvise(buffer, rounded, MADV_HUGEPAGE);
    return QImage(static_cast<uchar*>(buffer), size.width(), size.height(),
                  static_cast<int>(bytesPerLine), format, releaseBuffer, buffer);
#else
    return QImage(size, format);
#endif
}

}  // namespace rumo
