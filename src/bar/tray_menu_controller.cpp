#include "bar/tray_menu_controller.h"

#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QWidget>

#include "bar/bar_environment.h"
#include "bar/bar_placement.h"
#include "bar/menu_sync.h"
#include "common/app_icon.h"
#include "common/qt_values.h"
#include "settings/return_setting.h"
#include "settings/settings_store.h"

namespace rumo {

TrayMenuController::TrayMenuController(QWidget& bar, SettingsStore& store,
                                       const BarEnvironment& environment)
    : QObject(&bar), bar_(bar), store_(store), environment_(environment) {
    // The icon exists from the bar's creation until the exit command.
    tray_ = new QSystemTrayIcon(appIcon(), this);
    tray_->setToolTip(QStringLiteral("RUMO?"));
    trayMenu_ = new QMenu(&bar_);
    mainMenu_ = new QMenu(&bar_);
    destinationMenu_ = new QMenu(&bar_);
    returnMenu_ = new QMenu(&bar_);
    connect(returnMenu_, &QMenu::aboutToShow, this, [this] {
        refresh();  // drawn by Qt, read by no desktop
        emit menuAboutToOpen(returnMenu_);
    });
    connect(trayMenu_, &QMenu::aboutToShow, this, [this] {
        // Where Qt draws the menu no desktop reads it: it may be brought up to date here.
        if (!exported_) {
            refresh();
        }
        emit menuAboutToOpen(trayMenu_);
    });
    tray_->setContextMenu(trayMenu_);
    // Qt exports the menu (and gives it a platform counterpart) only where the desktop draws
    // the icon through StatusNotifierItem; where Qt draws the icon, the right button opens
    // this same menu as the bar's.
    exported_ = trayMenu_->platformMenu() != nullptr;

    readScreenSavers();
    connect(&saverFolder_, &QFileSystemWatcher::directoryChanged, this, [this] {
        readScreenSavers();
        refresh();
    });
    refresh();

    destinationMenuDelay_.setSingleShot(true);
    destinationMenuDelay_.setInterval(QApplication::doubleClickInterval());
    connect(&destinationMenuDelay_, &QTimer::timeout, this,
            [this] { showDestinationMenu(iconMenuPlace(*destinationMenu_)); });
    connect(tray_, &QSystemTrayIcon::activated, this, &TrayMenuController::iconActivated);
    tray_->show();
}

void TrayMenuController::readScreenSavers() {
    const std::string directory =
        environment_.screenSaverDirectory ? environment_.screenSaverDirectory() : std::string();
    saverFiles_.clear();
    if (environment_.listScreenSavers && !directory.empty()) {
        saverFiles_ = environment_.listScreenSavers(directory);
    }
    const QString folder = QString::fromStdString(directory);
    if (!folder.isEmpty() && !saverFolder_.directories().contains(folder)) {
        saverFolder_.addPath(folder);  // a folder that does not exist is simply not watched
    }
}

void TrayMenuController::refresh() {
    const SettingsSnapshot stored = store_.snapshot();
    bar::Places places;
    for (int i = 1; i <= kPlaceCount; ++i) {
        places[static_cast<std::size_t>(i - 1)] = stored.read(settings::Place(i));
    }
    const std::string where = stored.read(settings::Where);
    saverMenu_ =
        bar::saverMenu(saverFiles_, stored.read(settings::Scrfile), environment_.screenSaverSuffix);
    const bar::MenuItem returnItems =
        bar::returnSubmenu(readReturnTime(stored), localDateTime(QDateTime::currentDateTime()));
    const std::vector<bar::MenuItem> destinations = bar::destinationMenuWithReturn(
        bar::destinationMenu(places, where, calendarEntry_), returnItems);
    const std::vector<bar::MenuItem> main = bar::mainMenu(saverMenu_.items);
    auto added = [this](QAction& action) {
        connect(&action, &QAction::triggered, this, [this, &action] { chosen(action); });
    };
    syncMenu(*mainMenu_, main, added);
    syncMenu(*destinationMenu_, destinations, added);
    syncMenu(*returnMenu_, returnItems.children, added);
    syncMenu(*trayMenu_, exported_ ? bar::exportedIconMenu(saverMenu_.items, destinations) : main,
             added);
}

void TrayMenuController::setCalendarEntry(std::optional<std::string> entry) {
    if (entry != calendarEntry_) {
        calendarEntry_ = std::move(entry);
        refresh();
    }
}

void TrayMenuController::chosen(const QAction& action) {
    const int command = action.data().toInt();
    // The command runs once the menu is gone, as a command of a closed menu always has, and the
    // menu then shows the setting again, not the tick a click toggled on its own.
    QMetaObject::invokeMethod(
        this,
        [this, command] {
            if (command != 0) {
                emit commandChosen(command);
            }
            refresh();
        },
        Qt::QueuedConnection);
}

void TrayMenuController::iconActivated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            destinationMenuDelay_.start();
            break;
        case QSystemTrayIcon::DoubleClick:
            destinationMenuDelay_.stop();
            emit bringBackRequested();
            break;
        case QSystemTrayIcon::MiddleClick:
            // Desktops that draw the icon themselves may give no double click; their middle
            // click is the way back to the bar that needs no menu.
            if (exported_) {
                emit bringBackRequested();
            }
            break;
        case QSystemTrayIcon::Context:
            // One menu at a time: a left click just before does not follow.
            destinationMenuDelay_.stop();
            raiseBarIfShown();
            // Where Qt draws the icon it has opened the menu already; a desktop that asks for
            // the menu without drawing it gets it here.
            if (!trayMenu_->isVisible()) {
                trayMenu_->popup(iconMenuPlace(*trayMenu_));
            }
            break;
        default:
            break;
    }
}

QPoint TrayMenuController::iconMenuPlace(QMenu& menu) const {
    // The icon's place, where the desktop gives it, is right everywhere; Qt turns the menu to
    // fit the screen from there.
    const QRect icon = tray_->geometry();
    if (icon.isValid()) {
        return icon.bottomLeft();
    }
    // The pointer's place is all that is left; under Wayland it may be stale or made up, so
    // the menu is placed wholly inside the screen rather than trusted to be turned to fit.
    const QPoint pointer = QCursor::pos();
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return pointer;
    }
    menu.ensurePolished();
    const QSize size = menu.sizeHint();
    const QRect area = screen->availableGeometry();
    const bar::Box fitted = bar::fitInside({pointer.x(), pointer.y(), size.width(), size.height()},
                                           {area.x(), area.y(), area.width(), area.height()});
    return {fitted.x, fitted.y};
}

void TrayMenuController::raiseBarIfShown() {
    if (bar_.isVisible()) {
        bar_.raise();
        bar_.activateWindow();
    }
}

void TrayMenuController::removeIcon() {
    destinationMenuDelay_.stop();
    tray_->hide();
}

void TrayMenuController::runMenu(QMenu& menu, const QPoint& at) {
    emit menuAboutToOpen(&menu);
    // The chosen item's own signal carries its command.
    menu.exec(at);
}

void TrayMenuController::showDestinationMenu(const QPoint& at) {
    // Not exported: bringing it up to date just before it opens disturbs no desktop.
    refresh();
    raiseBarIfShown();
    runMenu(*destinationMenu_, at);
}

void TrayMenuController::showMainMenu(const QPoint& at) {
    refresh();
    runMenu(*mainMenu_, at);
}

}  // namespace rumo
