#include "common/japanese_faces.h"

#include <QFont>
#include <QStringList>
#include <QtGlobal>

namespace rumo {

void installJapaneseFaceSubstitutions() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    // The IPA faces have no bold face, and Qt synthesises bold only below 64 pixels unless told
    // otherwise: the notice's large text would draw bold exactly as regular. Set before any
    // large bold text is laid out, as Qt reads it for each font it loads.
    if (!qEnvironmentVariableIsSet("QT_NO_SYNTHESIZED_BOLD_LIMIT")) {
        qputenv("QT_NO_SYNTHESIZED_BOLD_LIMIT", "1");
    }
    const QStringList gothic{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
    const QStringList fixedGothic{QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")};
    const QStringList mincho{QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")};
    const QStringList fixedMincho{QStringLiteral("IPAMincho"), QStringLiteral("IPAPMincho")};
    for (const char* name : {"ＭＳ Ｐゴシック", "MS PGothic", "MS UI Gothic"}) {
        QFont::insertSubstitutions(QString::fromUtf8(name), gothic);
    }
    for (const char* name : {"ＭＳ ゴシック", "MS Gothic"}) {
        QFont::insertSubstitutions(QString::fromUtf8(name), fixedGothic);
    }
    for (const char* name : {"ＭＳ Ｐ明朝", "MS PMincho"}) {
        QFont::insertSubstitutions(QString::fromUtf8(name), mincho);
    }
    for (const char* name : {"ＭＳ 明朝", "MS Mincho"}) {
        QFont::insertSubstitutions(QString::fromUtf8(name), fixedMincho);
    }
}

}  // namespace rumo
