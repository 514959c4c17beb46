#include "bar/bar_command_dispatcher.h"

#include <QDateTime>

#include "bar/bar_commands.h"
#include "bar/bar_launches.h"
#include "bar/menu_model.h"
#include "bar/return_time_dialog.h"
#include "calendar/hand_pick.h"
#include "common/qt_values.h"
#include "settings/return_setting.h"
#include "settings/settings_store.h"

namespace rumo {

BarCommandDispatcher::BarCommandDispatcher(SettingsStore& store, const BarEnvironment& environment,
                                           QWidget* owner, BarWindowActions actions)
    : store_(store), environment_(environment), owner_(owner), actions_(std::move(actions)) {}

void BarCommandDispatcher::dispatch(int command, const bar::SaverMenu& savers) {
    if (const int place = bar::placeOfCommand(command); place != 0) {
        // A pick by hand, which the calendar leaves alone for a while.
        checked(store_.write({textWrite(settings::Where, store_.read(settings::Place(place))),
                              handPickWrite(QDateTime::currentSecsSinceEpoch())}));
        actions_.reselectDestination();
        return;
    }
    if (command == bar::kOtherDestination) {
        // The destination in force, kept: picked by hand all the same.
        checked(recordHandPick(store_, QDateTime::currentSecsSinceEpoch()));
        return;
    }
    if (command == bar::kCalendarDestination) {
        const std::optional<std::string> where =
            actions_.calendarDestination ? actions_.calendarDestination() : std::nullopt;
        if (where) {
            // The calendar's own entry: the calendar decides again, at the notice's start too.
            std::vector<SettingWrite> writes{textWrite(settings::Where, *where)};
            if (std::optional<SettingWrite> forget = handPickForgotten(store_.snapshot())) {
                writes.push_back(std::move(*forget));
            }
            checked(store_.write(writes));
            actions_.reselectDestination();
        }
        return;
    }
    if (const std::optional<ReturnPick> pick = bar::returnPickOfCommand(command)) {
        chooseReturn(*pick);
        return;
    }
    if (command > bar::kSaverBase && command <= bar::kLastSaverCommand) {
        // The entry for a vanished setting has no file behind it and keeps the setting.
        const std::string file = savers.fileOf(command);
        if (!file.empty()) {
            checked(store_.write({textWrite(settings::Scrfile, file)}));
        }
        return;
    }
    switch (command) {
        case bar::kStartButton:
        case bar::kStartNotice:
            launchNotice(environment_);
            break;
        case bar::kStartScreenSaver:
            launchChosenScreenSaver(store_, environment_);
            break;
        case bar::kProperties:
            actions_.openProperties();
            break;
        case bar::kBoard:
            launchBoard(environment_);
            break;
        case bar::kDisplaySettings:
            launchDisplaySettings(environment_, owner_);
            break;
        case bar::kExit:
            // Written for whoever reads it; the program ends whether or not it could be.
            (void)store_.set(settings::Endflg, true);
            actions_.exit();
            break;
        case bar::kShowBar:
            if (actions_.showBar) {
                actions_.showBar();
            }
            break;
        default:
            break;
    }
}

void BarCommandDispatcher::chooseReturn(ReturnPick pick) {
    const LocalDateTime now = localDateTime(QDateTime::currentDateTime());
    if (pick != ReturnPick::Choose) {
        checked(storeReturnPick(store_, pick, now));
    } else {
        // The picker starts at the return time in force, else at the next whole half hour.
        const std::optional<LocalMinute> current =
            currentReturn(readReturnTime(store_.snapshot()), now);
        const LocalMinute start =
            current ? *current : minuteAtCalendar((calendarMinutes(minuteOf(now)) / 30 + 1) * 30);
        const std::optional<DayTime> time = askReturnTime(owner_, {start.hour, start.minute});
        if (!time) {
            return;
        }
        // The clock has moved on while the picker was open.
        checked(storeReturnTime(
            store_, nextOccurrence(*time, localDateTime(QDateTime::currentDateTime()))));
    }
    checked(recordHandPick(store_, QDateTime::currentSecsSinceEpoch()));
    if (actions_.returnChanged) {
        actions_.returnChanged();
    }
}

void BarCommandDispatcher::checked(const WriteStatus& status) {
    if (!status.ok() && actions_.writeFailed) {
        actions_.writeFailed(status.error);
    }
}

}  // namespace rumo
