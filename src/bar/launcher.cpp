#include "bar/launcher.h"

#include <QProcess>
#include <QStringList>

#include "bar/screen_saver_host.h"
#include "common/qt_values.h"

namespace rumo {

void ProcessLauncher::startDetached(const LaunchCommand& command) {
    QStringList arguments;
    for (const std::string& argument : command.arguments) {
        arguments << qtText(argument);
    }
    QProcess process;
    process.setProgram(qtText(command.program));
    process.setArguments(arguments);
    if (!sessionBus_.empty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), qtText(sessionBus_));
        process.setProcessEnvironment(environment);
    }
    // A failed start shows nothing of ours, as with any launcher of the desktop.
    process.startDetached();
}

void ProcessLauncher::startScreenSaver(const std::string& directory, const std::string& file) {
    ScreenSaverHost::start(directory, file);
}

}  // namespace rumo
