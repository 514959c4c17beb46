#include "bar/bar_launches.h"

#include "bar/bar_environment.h"
#include "bar/launcher.h"
#include "bar/menu_model.h"
#include "common/translate.h"
#include "platform/display_settings.h"
#include "settings/settings_store.h"

namespace rumo {

void launchNotice(const BarEnvironment& environment) {
    // Path is still written at start for the help; the notice is the running executable itself.
    environment.launcher->startDetached(noticeCommand(environment.executablePath));
}

void launchBoard(const BarEnvironment& environment) {
    environment.launcher->startDetached({environment.executablePath, {"--board"}});
}

void launchChosenScreenSaver(SettingsStore& store, const BarEnvironment& environment) {
    const std::string file = store.read(settings::Scrfile);
    if (file.empty() || !environment.screenSaverDirectory) {
        return;  // nothing chosen yet
    }
    const std::string directory = environment.screenSaverDirectory();
    if (directory.empty()) {
        return;
    }
    // File names differ in letter case here; the setting names the program the menu ticks.
    std::vector<std::string> files;
    if (environment.listScreenSavers) {
        files = environment.listScreenSavers(directory);
    }
    // A setting naming no installed screen saver starts nothing.
    if (const std::optional<std::string> listed = bar::resolveSaverFile(files, file)) {
        environment.launcher->startScreenSaver(directory, *listed);
    }
}

void launchDisplaySettings(const BarEnvironment& environment, QWidget* messageParent) {
    if (!environment.displaySettings) {
        return;
    }
    if (const std::optional<LaunchCommand> command = environment.displaySettings()) {
        environment.launcher->startDetached(*command);
        return;
    }
    if (environment.showMessage) {
        // One name a line: a message box wraps long lines at hyphens, inside the names.
        std::string tools;
        for (const ToolCandidate& tool : displaySettingsTools()) {
            tools += "\n" + tool.name;
        }
        environment.showMessage(
            messageParent,
            translate("Messages",
                      "No tool to open the display settings was found. Install one of these:") +
                tools);
    }
}

}  // namespace rumo
