#include "common/dialog_font.h"

#include <QFontMetrics>

namespace rumo {

QFont dialogFont(const QString& face, int pointSize) {
    QFont font(face);
    font.setPointSize(pointSize);
    return font;
}

DialogBaseUnits baseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int total = metrics.horizontalAdvance(letters);
    return {(total / 26 + 1) / 2, metrics.height()};
}

}  // namespace rumo
