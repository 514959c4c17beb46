// Carries out the commands of the bar's button and menus: destination and screen-saver choices
// go to the settings, starts go to the launcher, the rest to the bar window.
#pragma once

#include <functional>

class QWidget;

namespace rumo {

struct BarEnvironment;
class SettingsStore;

namespace bar {
struct SaverMenu;
}

// What a command asks of the bar window itself.
struct BarWindowActions {
    // The destination setting changed: the list shows it.
    std::function<void()> reselectDestination;
    std::function<void()> openProperties;
    // The exit command was given (Endflg is set already).
    std::function<void()> exit;
};

class BarCommandDispatcher {
public:
    // The environment must outlive the dispatcher; messages open over `owner`.
    BarCommandDispatcher(SettingsStore& store, const BarEnvironment& environment, QWidget* owner,
                         BarWindowActions actions);

    // Carries out `command`; `savers` is the screen-saver submenu it was chosen from.
    void dispatch(int command, const bar::SaverMenu& savers);

private:
    SettingsStore& store_;
    const BarEnvironment& environment_;
    QWidget* owner_;
    BarWindowActions actions_;
};

}  // namespace rumo
