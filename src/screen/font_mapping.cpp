#include "screen/font_mapping.h"
#include "common/qt_values.h"

#include <QFontMetricsF>
#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace rumo {

namespace {

// A cell height of 0 asks for the face's default size.
constexpr int kDefaultCellHeight = 16;
constexpr qreal kProbePixels = 1000;

struct FaceKey {
    QString family;
    int weight;
    bool italic;
    friend bool operator==(const FaceKey&, const FaceKey&) = default;
};

size_t qHash(const FaceKey& key, size_t seed = 0) {
    return qHashMulti(seed, key.family, key.weight, key.italic);
}

QFont baseFont(const FontSpec& description) {
    QFont font(qtText(description.face));
    font.setWeight(description.weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(description.italic);
    font.setUnderline(description.underline);
    font.setStrikeOut(description.strikeout);
    font.setKerning(false);
    return font;
}

// Pixel size per pixel of line height, measured once per face at a large size.
qreal pixelsPerCellPixel(const QFont& font) {
    static QHash<FaceKey, qreal> ratios;
    const FaceKey key{font.family(), font.weight(), font.italic()};
    const auto found = ratios.constFind(key);
    if (found != ratios.constEnd()) {
        return *found;
    }
    QFont probe = font;
    probe.setPixelSize(static_cast<int>(kProbePixels));
    const qreal height = QFontMetricsF(probe).ascent() + QFontMetricsF(probe).descent();
    const qreal ratio = height > 0 ? kProbePixels / height : 1.0;
    ratios.insert(key, ratio);
    return ratio;
}

}  // namespace

QFont qtFont(const FontSpec& description) {
    installJapaneseFaceSubstitutions();
    QFont font = baseFont(description);
    // A negative height asks for the character height instead of the cell height.
    qreal pixels = 0;
    if (description.cellHeight > 0) {
        pixels = description.cellHeight * pixelsPerCellPixel(font);
    } else if (description.cellHeight < 0) {
        pixels = -static_cast<qreal>(description.cellHeight);
    } else {
        pixels = kDefaultCellHeight * pixelsPerCellPixel(font);
    }
    font.setPixelSize(
        std::clamp(static_cast<int>(std::lround(std::min<qreal>(pixels, 1e6))), 1, kMaxFontPixels));
    return font;
}

}  // namespace rumo
