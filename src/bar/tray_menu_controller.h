// The notification icon and the bar's menus: the icon's clicks, the main popup menu with its
// screen-saver submenu, and the destination menu. It only shows them; what a chosen item does is
// the command dispatcher's. The menus are kept, and updated when what they show changes, so a
// desktop that draws the icon's menu itself never reads a menu being rebuilt.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include "bar/menu_model.h"

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace rumo {

struct BarEnvironment;
class SettingsStore;

class TrayMenuController : public QObject {
    Q_OBJECT
public:
    // `bar` is the window the menus open over; the environment must outlive the controller.
    TrayMenuController(QWidget& bar, SettingsStore& store, const BarEnvironment& environment);

    // The main popup menu at `at` (screen coordinates).
    void showMainMenu(const QPoint& at);
    // The destination menu at `at`.
    void showDestinationMenu(const QPoint& at);

    // The settings may have changed: the menus show what is stored now. Changes nothing when
    // nothing they show has changed.
    void refresh();

    // The calendar's destination as the destination menu offers it first; nothing: none.
    void setCalendarEntry(std::optional<std::string> entry);

    // At exit: the icon goes, and a single click still waiting is dropped.
    void removeIcon();

    QSystemTrayIcon* trayIcon() const { return tray_; }
    // The icon's menu, exported to desktops that draw the icon's menu themselves.
    QMenu* trayMenu() const { return trayMenu_; }
    // Whether the desktop draws the icon and its menu itself (StatusNotifierItem): the icon's
    // menu then also holds the destinations and "バーを表示".
    bool menuExported() const { return exported_; }
    // The "戻り予定" quick picks, for the bar's own button.
    QMenu* returnMenu() const { return returnMenu_; }
    // The screen-saver commands of the menus as they are now.
    const bar::SaverMenu& lastSaverMenu() const { return saverMenu_; }

signals:
    // Each carries the menu just before it opens.
    void menuAboutToOpen(QMenu* menu);
    // The user chose the item of this command.
    void commandChosen(int command);
    // A double click on the icon (or its middle button, where the desktop draws it) asks for
    // the bar.
    void bringBackRequested();

private:
    void readScreenSavers();
    void chosen(const QAction& action);
    void runMenu(QMenu& menu, const QPoint& at);
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void raiseBarIfShown();
    // Where a menu of the icon opens: at the icon where the desktop says where it is, else
    // wholly inside the screen.
    QPoint iconMenuPlace(QMenu& menu) const;

    QWidget& bar_;
    SettingsStore& store_;
    const BarEnvironment& environment_;
    QSystemTrayIcon* tray_ = nullptr;
    QMenu* trayMenu_ = nullptr;
    // The bar's own main menu (right click, Shift+F10); the icon's menu where Qt draws the icon.
    QMenu* mainMenu_ = nullptr;
    QMenu* destinationMenu_ = nullptr;
    QMenu* returnMenu_ = nullptr;
    bool exported_ = false;
    std::vector<std::string> saverFiles_;
    std::optional<std::string> calendarEntry_;
    bar::SaverMenu saverMenu_;
    // The screen-saver programs are listed again when their folder changes, not at each opening.
    QFileSystemWatcher saverFolder_;
    // A single click on the icon waits for the double-click interval: a double click brings the
    // bar back instead, and an open menu would swallow its second click.
    QTimer destinationMenuDelay_;
};

}  // namespace rumo
