#include "bar/launcher.h"

#include <QProcess>
#include <QStringList>

#include "bar/screen_saver_host.h"

namespace rumo {

void ProcessLauncher::startDetached(const LaunchCommand& command) {
    QStringList arguments;
    for (const std::string& argument : command.arguments) {
        arguments << QString::fromStdString(argument);
    }
    // A failed start shows nothing of ours, as with any launcher of the desktop.
    QProcess::startDetached(QString::fromStdString(command.program), arguments);
}

void ProcessLauncher::startScreenSaver(const std::string& directory, const std::string& file) {
    ScreenSaverHost::start(directory, file);
}

}  // namespace rumo
