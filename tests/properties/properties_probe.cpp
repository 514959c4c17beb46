// Opens the properties dialog on the real settings file, as the bar's command does, so
// end-to-end tests can drive it before the bar exists. Ends when the dialog closes.
// Usage: rumo-properties-probe [application name]   (default "rumo")
#include <QApplication>

#include "common/japanese_faces.h"
#include "common/ui_translations.h"
#include "properties/open_properties.h"
#include "settings/file_settings_store.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The faces and the language as the program itself has them.
    rumo::installJapaneseFaceSubstitutions();
    rumo::installUiTranslations();
    const QString name = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("rumo");
    rumo::FileSettingsStore store(name);
    rumo::openProperties(store, nullptr);
    return 0;
}
