// The properties dialog: five tabs over one flat set of controls built from template 130. It
// reads its 45 settings and the return time's two times of day when created and writes them back
// on OK (the times only when changed), and the calendar's sources and switches; a calendar's
// password goes to the keyring as its source is added, never to the settings; its choosers write
// their own settings the moment each is confirmed.
#pragma once

#include <QDialog>
#include <map>
#include <optional>

#include "common/return_time.h"
#include "properties/chooser_values.h"
#include "properties/property_bindings.h"

class QButtonGroup;
class QLineEdit;
class QTabBar;

namespace rumo {

class DialogServices;
class SettingsStore;

class PropertiesDialog : public QDialog {
    Q_OBJECT

public:
    PropertiesDialog(SettingsStore& store, DialogServices& services, QWidget* owner = nullptr);

    // A control by its number, or nullptr.
    QWidget* control(int id) const;
    QTabBar* tabBar() const;

    // The members: what was read at creation, replaced by the controls' values when OK succeeds.
    const PropertyValues& values() const { return values_; }

    // OK: takes the values from the controls and stores them; a memo position that is not an
    // integer, a time that is no time of day, or a save that fails, is reported and keeps the
    // dialog open with what was typed.
    void accept() override;

private:
    void showValues();
    // Tells the user, with the system's reason, when a save failed; true when it succeeded.
    bool reportedSave(const WriteStatus& status);
    // Reads every control into values; returns the first refused control, if any.
    std::optional<int> readControls(PropertyValues& values) const;
    // The times of day typed on the return tab, as writes of those that changed; the refused
    // edit when one is no time of day.
    std::optional<int> readReturnDefaults(std::vector<SettingWrite>& writes) const;
    void switchTab(int index);
    void focusRefusedEdit();
    void connectButtons();

    // The calendar tab: its sources as listed, and what OK writes of it.
    void showCalendar();
    void addCalendarSource(const QString& given);
    void removeCalendarSource();
    void showCalendarSources();
    void readCalendar(std::vector<SettingWrite>& writes) const;
    // The team tab: publishing to the board and the chat statuses' switches and addresses.
    void showTeam();
    void readTeam(std::vector<SettingWrite>& writes) const;

    void chooseBackgroundColour();
    void chooseFont(int button);
    void choosePicture(int button);
    void openHelp();

    SettingsStore& store_;
    DialogServices& services_;
    std::map<int, QWidget*> controls_;
    std::map<int, QButtonGroup*> radioGroups_;  // by the group's first button
    PropertyValues values_;
    // Values too long to show whole, by control: the part shown. Saved whole unless edited.
    std::map<int, QString> cutTexts_;
    ReturnDefaults returnDefaults_;
    struct CalendarSource {
        QString source;
        QString user;  // empty: none
        friend bool operator==(const CalendarSource&, const CalendarSource&) = default;
    };
    std::vector<CalendarSource> storedCalendar_;  // as the settings held them when opened
    std::vector<CalendarSource> calendar_;        // as the list shows them
    QLineEdit* refusedEdit_ = nullptr;            // a refused memo position waiting for its tab
};

// Runs the dialog modally (OK writes its 45 settings). Returns whether it ended with OK.
bool runPropertiesDialog(PropertiesDialog& dialog);

}  // namespace rumo
