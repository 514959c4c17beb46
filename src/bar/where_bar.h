// The resident destination bar: a tiny tool window with the destination list and the start
// button, owner of the notification icon, its menus and the bar's commands.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bar/bar_placement.h"
#include "bar/menu_model.h"
#include "common/launch_commands.h"

class QMenu;
class QPushButton;
class QSystemTrayIcon;
class QWidget;

namespace rumo {

class DestinationCombo;
class Launcher;
class SettingsStore;

// What the bar asks of the desktop; tests put fakes here.
struct BarEnvironment {
    Launcher* launcher = nullptr;
    // The screen-saver programs' directory, and its programs in listing order.
    std::function<std::string()> screenSaverDirectory;
    std::function<std::vector<std::string>(const std::string&)> listScreenSavers;
    std::string screenSaverSuffix;
    // The display-settings tool, if the desktop has one.
    std::function<std::optional<bar::LaunchCommand>()> displaySettings;
    // Tells the user something in a message box over `parent`.
    std::function<void(QWidget* parent, const std::string& text)> showMessage;
    // Whether a notification area shows the icon right now. Without one the bar never hides,
    // since it would be out of reach.
    std::function<bool()> trayAvailable;
    // The running executable, started with "-s" for the notice.
    std::string executablePath;
    // The working directory recorded in Path.
    std::string currentDirectory;
};

// The environment of the running program.
BarEnvironment desktopEnvironment(Launcher& launcher);

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

    // Shows the bar and brings it to the front (double click on the icon, a second start).
    void bringBack();

    DestinationCombo* destinationCombo() const { return combo_; }
    QSystemTrayIcon* trayIcon() const { return tray_; }
    // The icon's main menu, also exported to desktops that draw the icon's menu themselves.
    QMenu* trayMenu() const { return trayMenu_; }

    // The screen-saver commands of the last submenu filling.
    const bar::SaverMenu& lastSaverMenu() const { return saverMenu_; }

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
    void buildFromTemplate();
    void placeAtStoredPosition();
    // Fits the framed window wholly into the area it was brought into; true once it lies there.
    bool keepBroughtInPlaceInside();
    void fillMainMenu(QMenu& menu);
    void refillCombo();
    void selectCurrentDestination();
    void focusCombo();
    void requestClose();
    void startNotice();
    void startScreenSaver();
    void openDisplaySettings();
    void runMenu(QMenu& menu, const QPoint& at);
    bool trayAvailable() const;

    SettingsStore& store_;
    BarEnvironment environment_;
    DestinationCombo* combo_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    QMenu* trayMenu_ = nullptr;
    bar::SaverMenu saverMenu_;
    bool skipFirstMove_ = true;
    // Where the bar placed itself: arriving there is not a move of the user's, so it is not
    // stored. Cleared by the first move elsewhere.
    std::optional<QPoint> placedAt_;
    // The screen area a stored place off every screen was brought into; the window's frame is
    // known only once shown, and then it is fitted in whole.
    std::optional<bar::Box> broughtInto_;
    QTimer frameWatch_;
    int frameWatchTicks_ = 0;
    int steadyLooks_ = 0;
    // Under Wayland the compositor places windows; a position read there means nothing.
    bool compositorPlaces_ = false;
    bool ending_ = false;
    // A single click on the icon waits for the double-click interval: a double click brings the
    // bar back instead, and an open menu would swallow its second click.
    QTimer destinationMenuDelay_;
};

}  // namespace rumo
