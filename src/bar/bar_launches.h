// The programs the bar's commands start: the notice, the chosen screen saver and the desktop's
// display settings.
#pragma once

class QWidget;

namespace rumo {

struct BarEnvironment;
class SettingsStore;

// The notice: the running executable with "-s".
void launchNotice(const BarEnvironment& environment);

// The team's board: the running executable with "--board".
void launchBoard(const BarEnvironment& environment);

// The screen saver Scrfile names, when it is one of the installed programs.
void launchChosenScreenSaver(SettingsStore& store, const BarEnvironment& environment);

// The desktop's display-settings tool; without one the user is told, over `messageParent`,
// which tools would do.
void launchDisplaySettings(const BarEnvironment& environment, QWidget* messageParent);

}  // namespace rumo
