#include "common/dialog_font.h"

#include <QFontMetrics>

#include "common/japanese_faces.h"

namespace rumo {

QFont dialogFont(const QString& face, int pointSize) {
    installJapaneseFaceSubstitutions();
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
