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
    // A failed start shows nothing of ours, as with any launcher of the desktop.
    QProcess::startDetached(qtText(command.program), arguments);
}

void ProcessLauncher::startScreenSaver(const std::string& directory, const std::string& file) {
    ScreenSaverHost::start(directory, file);
}

}  // namespace rumo
