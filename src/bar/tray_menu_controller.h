// The notification icon and the bar's menus: the icon's clicks, the main popup menu with its
// screen-saver submenu, and the destination menu. It only shows them; what a chosen item does is
// the command dispatcher's.
#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include "bar/menu_model.h"

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

    // At exit: the icon goes, and a single click still waiting is dropped.
    void removeIcon();

    QSystemTrayIcon* trayIcon() const { return tray_; }
    // The icon's main menu, also exported to desktops that draw the icon's menu themselves.
    QMenu* trayMenu() const { return trayMenu_; }
    // The screen-saver commands of the last submenu filling.
    const bar::SaverMenu& lastSaverMenu() const { return saverMenu_; }

signals:
    // Each carries the menu just before it opens.
    void menuAboutToOpen(QMenu* menu);
    // The user chose the item of this command.
    void commandChosen(int command);
    // A double click on the icon asks for the bar.
    void bringBackRequested();

private:
    void fillMainMenu(QMenu& menu);
    void runMenu(QMenu& menu, const QPoint& at);
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void raiseBarIfShown();

    QWidget& bar_;
    SettingsStore& store_;
    const BarEnvironment& environment_;
    QSystemTrayIcon* tray_ = nullptr;
    QMenu* trayMenu_ = nullptr;
    bar::SaverMenu saverMenu_;
    // A single click on the icon waits for the double-click interval: a double click brings the
    // bar back instead, and an open menu would swallow its second click.
    QTimer destinationMenuDelay_;
};

}  // namespace rumo
