// Picture decoding through QImageReader with the format fixed by the file's magic bytes, our own
// size limits checked before any pixel is decoded, and truncated files refused.
#include "screen/picture_decoder.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QIODevice>
#include <QImageIOHandler>
#include <QImageReader>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/regular_file.h"

namespace rumo {
namespace {

// Passes reads through to the real device and remembers whether the decoder asked for bytes
// past the end: Qt's readers fill a truncated picture with grey instead of failing.
// It also ends a decode that runs past its time budget, or that is told to stop, by reporting
// the end of the file.
class EndWatch final : public QIODevice {
public:
    EndWatch(QIODevice& inner, std::stop_token stop) : inner_(inner), stop_(std::move(stop)) {}
    bool isSequential() const override { return false; }
    qint64 size() const override { return inner_.size(); }
    bool seek(qint64 pos) override { return QIODevice::seek(pos) && inner_.seek(pos); }
    void arm() {
        shortRead_ = emptyRead_ = false;
        deadline_.setRemainingTime(kDecodeTimeBudgetMs);
    }
    bool shortRead() const { return shortRead_; }
    bool emptyRead() const { return emptyRead_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 got =
            deadline_.hasExpired() || stop_.stop_requested() ? 0 : inner_.read(data, maxSize);
        if (got < maxSize) {
            shortRead_ = true;
            emptyRead_ = emptyRead_ || got <= 0;
        }
        return got;
    }
    qint64 writeData(const char* /*data*/, qint64 /*maxSize*/) override { return -1; }

private:
    QIODevice& inner_;
    std::stop_token stop_;
    bool shortRead_ = false;
    bool emptyRead_ = false;
    QDeadlineTimer deadline_{QDeadlineTimer::Forever};
};

// The part of the oriented picture to keep and the size it is decoded to.
struct Plan {
    QRect source;
    QSize target;
};

Plan planForeground(QSize picture, QSize screen) {
    const qint64 w = picture.width();
    const qint64 h = picture.height();
    const qint64 W = screen.width();
    const qint64 H = screen.height();
    if (w <= W) {
        // Centred one to one; only the rows inside the screen show.
        const qint64 top = -(H / 2 - h / 2);
        const qint64 y0 = std::clamp<qint64>(top, 0, h);
        const qint64 y1 = std::clamp<qint64>(top + H, 0, h);
        const QRect rows(0, int(y0), int(w), int(y1 - y0));
        return {rows, rows.size()};
    }
    // Scaled to the screen's height, centred horizontally, cut at the sides.
    const qint64 wide = H * w / h;
    if (wide <= 0) {
        return {};
    }
    const qint64 left = W / 2 - wide / 2;
    const qint64 c0 = std::max<qint64>(0, -left);
    const qint64 c1 = std::min<qint64>(wide, W - left);
    if (c1 <= c0) {
        return {};
    }
    const qint64 x0 = c0 * w / wide;                            // rounded down
    const qint64 x1 = std::min(w, (c1 * w + wide - 1) / wide);  // rounded up
    const qint64 shownWidth = x1 * wide / w - x0 * wide / w;
    return {QRect(int(x0), 0, int(x1 - x0), int(h)), QSize(int(shownWidth), int(H))};
}

// A picture reduced for the screen is decoded at the screen's device pixels, up to the pixels the
// file has for that part; a picture shown at its own size or larger keeps its own pixels.
QSize atDeviceResolution(const Plan& plan, qreal ratio) {
    if (!(ratio > 1.0) || plan.target.width() >= plan.source.width()) {
        return plan.target;
    }
    const QSize device(
        int(std::min<qint64>(std::llround(plan.target.width() * ratio), plan.source.width())),
        int(std::min<qint64>(std::llround(plan.target.height() * ratio), plan.source.height())));
    return device.expandedTo(plan.target);
}

Plan planBackground(QSize picture, QSize screen) {
    const QRect kept(0, 0, std::min(picture.width(), screen.width()),
                     std::min(picture.height(), screen.height()));
    return {kept, kept.size()};
}

// Maps a rectangle of the oriented picture back to the stored (raw) picture of size `raw`,
// undoing what QImageReader's automatic transformation does: mirror, flip, then a quarter turn
// clockwise.
QRect toRaw(const QRect& oriented, QSize raw, QImageIOHandler::Transformations t) {
    int x0 = oriented.left();
    int x1 = oriented.left() + oriented.width();
    int y0 = oriented.top();
    int y1 = oriented.top() + oriented.height();
    if (t & QImageIOHandler::TransformationRotate90) {
        const int rx0 = y0;
        const int rx1 = y1;
        const int ry0 = raw.height() - x1;
        const int ry1 = raw.height() - x0;
        x0 = rx0, x1 = rx1, y0 = ry0, y1 = ry1;
    }
    if (t & QImageIOHandler::TransformationFlip) {
        const int fy0 = raw.height() - y1;
        y1 = raw.height() - y0;
        y0 = fy0;
    }
    if (t & QImageIOHandler::TransformationMirror) {
        const int mx0 = raw.width() - x1;
        x1 = raw.width() - x0;
        x0 = mx0;
    }
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

// What a JPEG's headers say about the memory libjpeg will need. A progressive JPEG, or one
// whose first scan leaves components out, is decoded through coefficient buffers for the whole
// picture, however small the output, and Qt gives no way to cap them: so they are counted here.
struct JpegLayout {
    bool valid = false;
    bool wholePictureBuffers = false;
    qint64 coefficientBytes = 0;
};

JpegLayout readJpegLayout(QIODevice& device) {
    JpegLayout layout;
    auto byteAt = [](const QByteArray& bytes, int i) { return int(quint8(bytes.at(i))); };
    if (!device.seek(2)) {
        return layout;
    }
    int components = 0;
    bool progressive = false;
    for (int segments = 0; segments < 4096; ++segments) {
        QByteArray marker = device.read(2);
        while (marker.size() == 2 && byteAt(marker, 0) == 0xFF && byteAt(marker, 1) == 0xFF) {
            marker = marker.right(1) + device.read(1);  // fill bytes before a marker
        }
        if (marker.size() != 2 || byteAt(marker, 0) != 0xFF) {
            return layout;
        }
        const int type = byteAt(marker, 1);
        if (type == 0xD9 || (type >= 0xD0 && type <= 0xD7) || type == 0x01) {
            return layout;  // end of image, or a marker that has no business before the scans
        }
        const QByteArray lengthBytes = device.read(2);
        if (lengthBytes.size() != 2) {
            return layout;
        }
        const int length = byteAt(lengthBytes, 0) * 256 + byteAt(lengthBytes, 1);
        if (length < 2) {
            return layout;
        }
        const bool frame =
            type >= 0xC0 && type <= 0xCF && type != 0xC4 && type != 0xC8 && type != 0xCC;
        if (frame || type == 0xDA) {
            const QByteArray body = device.read(length - 2);
            if (body.size() != length - 2) {
                return layout;
            }
            if (type == 0xDA) {
                if (components == 0 || body.isEmpty()) {
                    return layout;
                }
                layout.valid = true;
                layout.wholePictureBuffers = progressive || byteAt(body, 0) < components;
                return layout;
            }
            if (body.size() < 6) {
                return layout;
            }
            progressive = type == 0xC2 || type == 0xC6 || type == 0xCA || type == 0xCE;
            const qint64 height = byteAt(body, 1) * 256 + byteAt(body, 2);
            const qint64 width = byteAt(body, 3) * 256 + byteAt(body, 4);
            components = byteAt(body, 5);
            if (components == 0 || body.size() < 6 + 3 * components) {
                return layout;
            }
            int maxH = 1;
            int maxV = 1;
            for (int c = 0; c < components; ++c) {
                maxH = std::max(maxH, byteAt(body, 7 + 3 * c) >> 4);
                maxV = std::max(maxV, byteAt(body, 7 + 3 * c) & 0x0F);
            }
            // Each component keeps one 16-bit coefficient per sample of its own resolution.
            for (int c = 0; c < components; ++c) {
                const int sampling = byteAt(body, 7 + 3 * c);
                const qint64 h = std::max(1, sampling >> 4);
                const qint64 v = std::max(1, sampling & 0x0F);
                layout.coefficientBytes += (width * h / maxH + 16) * (height * v / maxV + 16) * 2;
            }
        } else if (!device.seek(device.pos() + length - 2)) {
            return layout;
        }
    }
    return layout;
}

// libjpeg decodes every scan of a progressive JPEG, however little each adds, and a crafted file
// packs tens of thousands of empty scans into a megabyte: seconds of work per thousand. Like
// libjpeg-turbo's own tools, we refuse a file with more scans than any real encoder writes,
// counting the start-of-scan markers before decoding (a marker byte pair cannot occur inside
// the entropy-coded data, which stuffs every 0xFF with a zero).
// A decode told to stop counts as refused.
bool hasTooManyJpegScans(QIODevice& device, const std::stop_token& stop) {
    if (!device.seek(0)) {
        return true;
    }
    int scans = 0;
    bool afterFF = false;
    for (QByteArray chunk = device.read(1 << 16); !chunk.isEmpty(); chunk = device.read(1 << 16)) {
        if (stop.stop_requested()) {
            return true;
        }
        for (const char c : chunk) {
            if (afterFF && quint8(c) == 0xDA && ++scans > kMaxJpegScans) {
                return true;
            }
            afterFF = quint8(c) == 0xFF;
        }
    }
    return false;
}

bool fitsDecodeLimit(QSize size) {
    return qint64(size.width()) * size.height() * 4 <= kMaxDecodeBytes;
}

}  // namespace

QByteArray pictureFormatOf(const QByteArray& head) {
    if (head.startsWith("BM")) {
        return QByteArrayLiteral("bmp");
    }
    if (head.startsWith("\xFF\xD8\xFF")) {
        return QByteArrayLiteral("jpeg");
    }
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a")) {
        return QByteArrayLiteral("gif");
    }
    return {};
}

std::optional<PreparedPicture> decodePicture(const QString& path, const PictureScreen& screen,
                                             bool foreground, std::stop_token stop) {
    QFile file;
    if (!openRegularFile(file, path)) {
        return std::nullopt;
    }
    return decodePicture(file, screen, foreground, std::move(stop));
}

namespace {

// The file's format when it is one the notice shows and its headers promise a decode within the
// limits; empty otherwise. Leaves the device at its start.
QByteArray acceptedFormat(QIODevice& device, const std::stop_token& stop) {
    if (!device.isOpen() || device.isSequential() || !device.seek(0)) {
        return {};
    }
    const QByteArray format = pictureFormatOf(device.peek(6));
    if (format == "jpeg") {
        const JpegLayout layout = readJpegLayout(device);
        if (!layout.valid ||
            (layout.wholePictureBuffers && layout.coefficientBytes > kMaxJpegCoefficientBytes) ||
            hasTooManyJpegScans(device, stop)) {
            return {};
        }
    }
    return device.seek(0) ? format : QByteArray();
}

// The picture's size as stored, when it has pixels and decoding it stays within the limits.
std::optional<QSize> storedSize(QImageReader& reader, const QByteArray& format) {
    QSize raw = reader.size();
    if (format == "bmp" && raw.height() < 0 && raw.height() > std::numeric_limits<int>::min()) {
        // Rows stored from the top are marked by a negative height, which Qt passes on as it
        // stands; it decodes such a file correctly.
        raw.setHeight(-raw.height());
    }
    if (!raw.isValid() || raw.isEmpty()) {
        return std::nullopt;
    }
    // BMP and GIF readers decode the whole picture whatever part is asked for.
    const bool fits = format == "jpeg" ? qint64(raw.width()) * raw.height() <= kMaxJpegPixels
                                       : fitsDecodeLimit(raw);
    return fits ? std::optional<QSize>(raw) : std::nullopt;
}

// The decoded pixels at the planned size, in the format a frame copies.
QImage inScreenFormat(QImage image, QSize target, const QByteArray& format) {
    if (image.size() != target) {
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    // A GIF's transparent pixels let the background show; a BMP's alpha channel is ignored, as
    // most writers leave it empty.
    const bool keepAlpha = format == "gif" && image.hasAlphaChannel();
    image.convertTo(keepAlpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    return image;
}

}  // namespace

std::optional<PreparedPicture> decodePicture(QIODevice& device, const PictureScreen& screen,
                                             bool foreground, std::stop_token stop) {
    const QByteArray format = acceptedFormat(device, stop);
    if (format.isEmpty()) {
        return std::nullopt;
    }
    EndWatch watch(device, std::move(stop));
    if (!watch.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return std::nullopt;
    }
    QImageReader reader(&watch, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(int(kMaxDecodeBytes / (1024 * 1024)));
    reader.setAutoTransform(true);
    const std::optional<QSize> raw = storedSize(reader, format);
    if (!raw) {
        return std::nullopt;
    }
    const QImageIOHandler::Transformations transformation =
        format == "jpeg" ? reader.transformation() : QImageIOHandler::TransformationNone;
    const bool quarterTurn = transformation & QImageIOHandler::TransformationRotate90;
    const QSize oriented = quarterTurn ? raw->transposed() : *raw;

    Plan plan{QRect(QPoint(0, 0), oriented), oriented};
    if (!screen.size.isEmpty()) {
        plan = foreground ? planForeground(oriented, screen.size)
                          : planBackground(oriented, screen.size);
        plan.target = atDeviceResolution(plan, screen.ratio);
    }
    if (plan.source.isEmpty() || plan.target.isEmpty() || !fitsDecodeLimit(plan.target)) {
        return std::nullopt;
    }
    const QRect rawClip = toRaw(plan.source, *raw, transformation);
    if (rawClip != QRect(QPoint(0, 0), *raw)) {
        reader.setClipRect(rawClip);
    }
    const QSize rawTarget = quarterTurn ? plan.target.transposed() : plan.target;
    if (rawTarget != rawClip.size()) {
        reader.setScaledSize(rawTarget);
    }

    watch.arm();
    const QImage decoded = reader.read();
    // A BMP's rows are read exactly, so any short read means missing pixels; JPEG and GIF
    // readers read in blocks and only ask again past the end when data is missing.
    const bool truncated = format == "bmp" ? watch.shortRead() : watch.emptyRead();
    if (decoded.isNull() || truncated) {
        return std::nullopt;
    }
    QImage image = inScreenFormat(decoded, plan.target, format);
    if (image.isNull()) {
        return std::nullopt;
    }
    return PreparedPicture{std::move(image), oriented, plan.source};
}

QRect preparedTarget(const PreparedPicture& picture, const QRect& whole) {
    const qint64 w = picture.originalSize.width();
    const qint64 h = picture.originalSize.height();
    if (w <= 0 || h <= 0) {
        return {};
    }
    const QRect& s = picture.sourceRect;
    const qint64 x0 = qint64(s.left()) * whole.width() / w;
    const qint64 x1 = qint64(s.left() + s.width()) * whole.width() / w;
    const qint64 y0 = qint64(s.top()) * whole.height() / h;
    const qint64 y1 = qint64(s.top() + s.height()) * whole.height() / h;
    return QRect(whole.left() + int(x0), whole.top() + int(y0), int(x1 - x0), int(y1 - y0));
}

}  // namespace rumo
