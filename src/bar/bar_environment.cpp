#include "bar/bar_environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QSystemTrayIcon>

#include "common/qt_values.h"
#include "platform/display_settings.h"
#include "platform/screen_savers.h"

namespace rumo {

BarEnvironment desktopEnvironment(Launcher& launcher) {
    BarEnvironment environment;
    environment.launcher = &launcher;
    environment.screenSaverDirectory = [] { return screenSaverDirectory().toStdString(); };
    environment.listScreenSavers = [](const std::string& directory) {
        return listScreenSavers(qtText(directory));
    };
    environment.screenSaverSuffix = kScreenSaverSuffix;
    environment.displaySettings = [] { return displaySettingsCommand(); };
    environment.showMessage = [](QWidget* parent, const std::string& text) {
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("RUMO?"), qtText(text),
                                    QMessageBox::Ok, parent);
        // Not modal: the bar and the icon's menus stay usable while it shows.
        box->setWindowModality(Qt::NonModal);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
    };
    environment.trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    environment.executablePath = QCoreApplication::applicationFilePath().toStdString();
    environment.currentDirectory = QDir::currentPath().toStdString();
    return environment;
}

}  // namespace rumo
