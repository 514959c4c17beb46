#include "bar/tray_menu_controller.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

#include "bar/bar_environment.h"
#include "bar/display_text.h"
#include "common/app_icon.h"
#include "settings/settings_store.h"

namespace rumo {

namespace {

// Menus carry their command ids in the actions' data.
void addItems(QMenu& menu, const std::vector<bar::MenuItem>& items) {
    for (const bar::MenuItem& item : items) {
        switch (item.kind) {
            case bar::MenuItem::Kind::Separator:
                menu.addSeparator();
                break;
            case bar::MenuItem::Kind::Submenu:
                addItems(*menu.addMenu(shortenedForDisplay(item.text)), item.children);
                break;
            case bar::MenuItem::Kind::Command: {
                QAction* action = menu.addAction(shortenedForDisplay(item.text));
                action->setData(item.command);
                action->setCheckable(item.checked);
                action->setChecked(item.checked);
                action->setEnabled(item.enabled);
                break;
            }
        }
    }
}

// A submenu built by addItems belongs to its menu; refilling drops the old ones.
void clearMenu(QMenu& menu) {
    for (QMenu* submenu : menu.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
        submenu->deleteLater();
    }
    menu.clear();
}

}  // namespace

TrayMenuController::TrayMenuController(QWidget& bar, SettingsStore& store,
                                       const BarEnvironment& environment)
    : QObject(&bar), bar_(bar), store_(store), environment_(environment) {
    // The icon exists from the bar's creation until the exit command.
    tray_ = new QSystemTrayIcon(appIcon(), this);
    tray_->setToolTip(QStringLiteral("RUMO?"));
    // Desktops that show the icon through StatusNotifierItem draw its menu themselves and have
    // no double click: the menu must be the icon's own, filled anew whenever it opens. Where Qt
    // draws the icon, the right button opens this same menu.
    trayMenu_ = new QMenu(&bar_);
    fillMainMenu(*trayMenu_);
    connect(trayMenu_, &QMenu::aboutToShow, this, [this] {
        fillMainMenu(*trayMenu_);
        emit menuAboutToOpen(trayMenu_);
    });
    connect(trayMenu_, &QMenu::triggered, this, [this](QAction* action) {
        if (action->data().isValid()) {
            emit commandChosen(action->data().toInt());
        }
    });
    tray_->setContextMenu(trayMenu_);
    destinationMenuDelay_.setSingleShot(true);
    destinationMenuDelay_.setInterval(QApplication::doubleClickInterval());
    connect(&destinationMenuDelay_, &QTimer::timeout, this,
            [this] { showDestinationMenu(QCursor::pos()); });
    connect(tray_, &QSystemTrayIcon::activated, this, &TrayMenuController::iconActivated);
    tray_->show();
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
        case QSystemTrayIcon::Context:
            // One menu at a time: a left click just before does not follow.
            destinationMenuDelay_.stop();
            raiseBarIfShown();
            // Where Qt draws the icon it has opened the menu already; a desktop that asks for
            // the menu without drawing it gets it here.
            if (!trayMenu_->isVisible()) {
                trayMenu_->popup(QCursor::pos());
            }
            break;
        default:
            break;
    }
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
    const QAction* chosen = menu.exec(at);
    if (chosen != nullptr && chosen->data().isValid()) {
        emit commandChosen(chosen->data().toInt());
    }
}

void TrayMenuController::showDestinationMenu(const QPoint& at) {
    const bar::Places places = bar::readPlaces(store_);
    const std::string where = store_.read(settings::Where);
    raiseBarIfShown();
    QMenu menu(&bar_);
    addItems(menu, bar::destinationMenu(places, where));
    runMenu(menu, at);
}

void TrayMenuController::fillMainMenu(QMenu& menu) {
    const std::string directory =
        environment_.screenSaverDirectory ? environment_.screenSaverDirectory() : std::string();
    std::vector<std::string> files;
    if (environment_.listScreenSavers && !directory.empty()) {
        files = environment_.listScreenSavers(directory);
    }
    saverMenu_ =
        bar::saverMenu(files, store_.read(settings::Scrfile), environment_.screenSaverSuffix);
    clearMenu(menu);
    addItems(menu, bar::mainMenu(saverMenu_.items));
}

void TrayMenuController::showMainMenu(const QPoint& at) {
    QMenu menu(&bar_);
    fillMainMenu(menu);
    runMenu(menu, at);
}

}  // namespace rumo
