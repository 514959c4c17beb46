// What the bar asks of the desktop: launching, the screen-saver programs, the display-settings
// tool, messages and the notification area. Tests put fakes here.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/launch_commands.h"

class QWidget;

namespace rumo {

class Launcher;

struct BarEnvironment {
    Launcher* launcher = nullptr;
    // The screen-saver programs' directory, and its programs in listing order.
    std::function<std::string()> screenSaverDirectory;
    std::function<std::vector<std::string>(const std::string&)> listScreenSavers;
    std::string screenSaverSuffix;
    // The display-settings tool, if the desktop has one.
    std::function<std::optional<LaunchCommand>()> displaySettings;
    // Tells the user something in a message box over `parent`.
    std::function<void(QWidget* parent, const std::string& text)> showMessage;
    // Whether a notification area shows the icon right now. Without one the bar never hides,
    // since it would be out of reach.
    std::function<bool()> trayAvailable;
    // The running executable, started with "-s" for the notice.
    std::string executablePath;
    // The working directory recorded in Path.
    std::string currentDirectory;
    // The settings file the store keeps, watched for changes made by other processes; empty
    // where there is none to watch.
    std::string settingsFile;
};

// The environment of the running program.
BarEnvironment desktopEnvironment(Launcher& launcher);

}  // namespace rumo
