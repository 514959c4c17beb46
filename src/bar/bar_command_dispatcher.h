// Carries out the commands of the bar's button and menus: destination and screen-saver choices
// go to the settings, starts go to the launcher, the rest to the bar window.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "common/return_time.h"

class QWidget;

namespace rumo {

struct BarEnvironment;
class SettingsStore;
struct WriteStatus;

namespace bar {
struct SaverMenu;
}

// What a command asks of the bar window itself.
struct BarWindowActions {
    // The destination setting changed: the list shows it.
    std::function<void()> reselectDestination;
    std::function<void()> openProperties;
    // The exit command was given (Endflg is written already, or could not be: the program
    // ends all the same).
    std::function<void()> exit;
    // "バーを表示": the bar shows and comes to the front.
    std::function<void()> showBar;
    // The return time was chosen: the menus show it.
    std::function<void()> returnChanged;
    // A setting could not be written; `error` says why.
    std::function<void(const std::string& error)> writeFailed;
    // The destination the calendar gives now, as the menus offer it; nothing when none.
    std::function<std::optional<std::string>()> calendarDestination;
};

class BarCommandDispatcher {
public:
    // The environment must outlive the dispatcher; messages open over `owner`.
    BarCommandDispatcher(SettingsStore& store, const BarEnvironment& environment, QWidget* owner,
                         BarWindowActions actions);

    // Carries out `command`; `savers` is the screen-saver submenu it was chosen from.
    void dispatch(int command, const bar::SaverMenu& savers);

private:
    void chooseReturn(ReturnPick pick);
    void checked(const WriteStatus& status);

    SettingsStore& store_;
    const BarEnvironment& environment_;
    QWidget* owner_;
    BarWindowActions actions_;
};

}  // namespace rumo
