// The resident destination bar: a tiny tool window with the destination list and the start
// button. It keeps the list filled, decides what closing means, and hides when only the icon is
// to stay; its icon and menus, its commands and its position each have their own class.
#pragma once

#include <QDialog>
#include <QPoint>

#include "bar/bar_command_dispatcher.h"
#include "bar/bar_environment.h"
#include "bar/menu_model.h"
#include "common/launch_commands.h"

class QMenu;
class QPushButton;
class QToolButton;
class QSystemTrayIcon;

namespace rumo {

class BarPosition;
class CalendarPickWatch;
class DestinationCombo;
class SettingsStore;
class TrayMenuController;
struct LaunchActivation;

class WhereBar : public QDialog {
    Q_OBJECT
public:
    WhereBar(SettingsStore& store, BarEnvironment environment);
    ~WhereBar() override;

    // Shows the bar and runs until the exit command; returns 0.
    int run();

    // Carries out a command of the bar's menus or button.
    void handleCommand(int command);

    // The main popup menu at `at` (screen coordinates); what tests and the icon call.
    void showMainMenu(const QPoint& at);
    void showDestinationMenu(const QPoint& at);

    // Shows the bar and brings it to the front (double click on the icon, the menus).
    void bringBack();
    // The same for a second start of the program, with what its launcher gave it.
    void bringBackForLaunch(const rumo::LaunchActivation& activation);

    DestinationCombo* destinationCombo() const { return combo_; }
    QToolButton* returnButton() const { return returnButton_; }
    QSystemTrayIcon* trayIcon() const;
    // The icon's main menu, also exported to desktops that draw the icon's menu themselves.
    QMenu* trayMenu() const;

    // The screen-saver commands of the last submenu filling.
    const bar::SaverMenu& lastSaverMenu() const;

public slots:
    // The calendar's sources were read anew: the list and the menus show its destination now.
    void refreshCalendar();

signals:
    // Tests watch the menus through these; each carries the menu just before it opens.
    void menuAboutToOpen(QMenu* menu);

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void reject() override;

private:
    // What the commands ask of this window.
    BarWindowActions windowActions();
    void addControls();
    void refillCombo();
    void selectCurrentDestination();
    void focusCombo();
    void requestClose();
    // Shows the bar, restored, unrolled and raised.
    void showInFront();
    // Shows the bar as a tool window: no taskbar entry.
    void showAsToolWindow();
    bool trayAvailable() const;
    // Reads the Desktop setting where it can have changed: at start, on showing, and after the
    // properties dialog, instead of at every paint.
    void readDesktopRule();
    // The settings file changed: the list, the menus and the Desktop rule follow it.
    void settingsChanged();
    // The calendar's destination changed: the list and the menus follow.
    void calendarChanged();
    // The destination chosen in the list or a menu; `fromCalendar` when it is the calendar's entry.
    void chooseDestination(const std::string& where, bool fromCalendar);
    // Tells the user, once per run, that a setting could not be written; empty: written.
    void reportWriteFailure(const std::string& error);

    SettingsStore& store_;
    BarEnvironment environment_;
    DestinationCombo* combo_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QToolButton* returnButton_ = nullptr;
    TrayMenuController* menus_ = nullptr;
    CalendarPickWatch* calendar_ = nullptr;
    BarPosition* position_ = nullptr;
    BarCommandDispatcher commands_;
    // Desktop = 0: only the icon stays while a notification area shows it.
    bool onlyIcon_ = false;
    bool ending_ = false;
    // The exit command was given: the bar ends even where Endflg could not be written.
    bool exitRequested_ = false;
    bool writeFailureTold_ = false;
};

}  // namespace rumo
