// Entry point: reads the command line and runs the resident bar, the notice or its preview.
#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/run_modes.h"
#include "common/japanese_faces.h"
#include "settings/file_settings_store.h"

namespace {

// A client cannot keep itself in front of a Wayland session, so the notice goes through XWayland
// when it is there.
void preferX11ForNotice() {
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}

// The interface is Japanese whatever the desktop's locale: Qt's own dialogs (colour, font, file)
// and buttons follow the program's texts.
void installJapaneseTranslations(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    rumo::PreviewEnvironment environment;
    if (const char* saverWindow = std::getenv("XSCREENSAVER_WINDOW")) {
        environment.saverWindow = saverWindow;
    }
    const rumo::Launch launch = rumo::parseCommandLine(arguments, environment);
    if (launch.mode == rumo::RunMode::Nothing) {
        return 0;
    }
    if (launch.mode == rumo::RunMode::Preview && !launch.previewWindow) {
        std::fprintf(stderr,
                     "rumo: the preview needs the id of a window: rumo -p <window id>, or"
                     " XSCREENSAVER_WINDOW set\n");
        return 2;
    }
    if (launch.mode != rumo::RunMode::Resident) {
        preferX11ForNotice();
    }

    QApplication app(argc, argv);
    // The stored faces are the Japanese system's names; they resolve to the installed IPA faces.
    rumo::installJapaneseFaceSubstitutions();
    installJapaneseTranslations(app);
    // Settings live under the executable's own name, so a renamed copy keeps its own.
    const QString applicationName =
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    QCoreApplication::setApplicationName(applicationName);
    QCoreApplication::setOrganizationName(QStringLiteral("Zelkar"));
    rumo::FileSettingsStore store(applicationName);

    switch (launch.mode) {
        case rumo::RunMode::Resident:
            return rumo::runResident(store);
        case rumo::RunMode::Saver:
            return rumo::runSaver(store);
        case rumo::RunMode::Preview:
            return rumo::runPreview(store, *launch.previewWindow);
        case rumo::RunMode::Nothing:
            break;
    }
    return 0;
}
