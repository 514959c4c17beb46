#include "common/dialog_font.h"

#include <QFontMetrics>
#include <QStringList>

namespace rumo {

namespace {

// The faces the templates and the settings name are not installed here; fontconfig alone maps
// them to a Latin face, so name the Japanese faces that stand in for them.
void substituteJapaneseFaces() {
    static const bool done = [] {
        QFont::insertSubstitutions(
            QStringLiteral("ＭＳ Ｐゴシック"),
            QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                        QStringLiteral("VL PGothic"), QStringLiteral("Noto Sans CJK JP")});
        QFont::insertSubstitutions(
            QStringLiteral("ＭＳ Ｐ明朝"),
            QStringList{QStringLiteral("IPAPMincho"), QStringLiteral("IPA P明朝"),
                        QStringLiteral("Noto Serif CJK JP")});
        return true;
    }();
    (void)done;
}

}  // namespace

QFont dialogFont(const QString& face, int pointSize) {
    substituteJapaneseFaces();
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
