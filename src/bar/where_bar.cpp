#include "bar/where_bar.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QDateTime>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "bar/bar_commands.h"
#include "bar/bar_controls.h"
#include "bar/bar_position.h"
#include "bar/calendar_pick_watch.h"
#include "bar/destination_combo.h"
#include "bar/display_text.h"
#include "bar/settings_file_watcher.h"
#include "bar/tray_menu_controller.h"
#include "calendar/hand_pick.h"
#include "common/app_icon.h"
#include "common/qt_values.h"
#include "common/text.h"
#include "common/translate.h"
#include "platform/activation_channel.h"
#include "platform/native_window.h"
#include "properties/open_properties.h"
#include "settings/settings_store.h"

namespace rumo {

namespace {

// The combo box keeps each item's text as stored, byte for byte: showing it goes through QString,
// which would turn bytes that are not UTF-8 into replacement characters.
constexpr int kStoredTextRole = Qt::UserRole;
// Set on the entry the calendar gives, the list's first.
constexpr int kFromCalendarRole = Qt::UserRole + 1;

std::string storedTextOf(const QComboBox& combo, int index) {
    const QByteArray bytes = combo.itemData(index, kStoredTextRole).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

WhereBar::WhereBar(SettingsStore& store, BarEnvironment environment)
    : store_(store),
      environment_(std::move(environment)),
      commands_(store_, environment_, this, windowActions()) {
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // The caption stays blank; an empty title would make Qt show the application's name.
    setWindowTitle(QStringLiteral(" "));
    setWindowIcon(appIcon());
    setModal(false);

    calendar_ = new CalendarPickWatch(store_, this);
    addControls();

    menus_ = new TrayMenuController(*this, store_, environment_);
    connect(calendar_, &CalendarPickWatch::changed, this, &WhereBar::calendarChanged);
    calendarChanged();
    connect(menus_, &TrayMenuController::menuAboutToOpen, this, &WhereBar::menuAboutToOpen);
    connect(menus_, &TrayMenuController::commandChosen, this, &WhereBar::handleCommand);
    connect(menus_, &TrayMenuController::bringBackRequested, this, &WhereBar::bringBack);
    connect(returnButton_, &QToolButton::clicked, this, [this] {
        // Opened under the button, as a drop-down list would be.
        menus_->returnMenu()->exec(returnButton_->mapToGlobal(returnButton_->rect().bottomLeft()));
        returnButton_->setDown(false);
    });

    position_ = new BarPosition(*this, store_,
                                [this](const std::string& error) { reportWriteFailure(error); });
    position_->placeAtStoredPosition();
    readDesktopRule();
    // The full directory, however long.
    reportWriteFailure(store_
                           .write({integerWrite(settings::Endflg, 0),
                                   textWrite(settings::Path, environment_.currentDirectory)})
                           .error);

    if (!environment_.settingsFile.empty()) {
        // Another process (the properties dialog, rumo --where, rumo-settings) may change what
        // the bar shows; it shows the change at once, not at its next opening.
        auto* watcher = new SettingsFileWatcher(qtText(environment_.settingsFile), this);
        connect(watcher, &SettingsFileWatcher::changed, this, &WhereBar::settingsChanged);
    }
}

WhereBar::~WhereBar() = default;

BarWindowActions WhereBar::windowActions() {
    BarWindowActions actions;
    // A refill only where the list differs: the entry of a destination typed elsewhere goes.
    actions.reselectDestination = [this] { refillCombo(); };
    actions.openProperties = [this] {
        openProperties(store_, this);
        readDesktopRule();
    };
    actions.exit = [this] {
        exitRequested_ = true;
        QMetaObject::invokeMethod(this, &WhereBar::requestClose, Qt::QueuedConnection);
    };
    actions.showBar = [this] { bringBack(); };
    actions.returnChanged = [this] { menus_->refresh(); };
    actions.writeFailed = [this](const std::string& error) { reportWriteFailure(error); };
    actions.calendarDestination = [this]() -> std::optional<std::string> {
        if (const std::optional<CalendarPick>& pick = calendar_->pick()) {
            return pick->destination;
        }
        return std::nullopt;
    };
    return actions;
}

void WhereBar::addControls() {
    const BarControls controls = buildBarControls(*this);
    combo_ = controls.combo;
    startButton_ = controls.startButton;
    connect(combo_, &DestinationCombo::refillRequested, this, &WhereBar::refillCombo);
    connect(combo_, &QComboBox::activated, this, [this](int index) {
        // Only the user's choices write: the refill and the reselection change the index too.
        chooseDestination(storedTextOf(*combo_, index),
                          combo_->itemData(index, kFromCalendarRole).toBool());
        menus_->refresh();
    });
    connect(startButton_, &QPushButton::clicked, this,
            [this] { handleCommand(bar::kStartButton); });
    setTabOrder(combo_, startButton_);
    returnButton_ = controls.returnButton;
    setTabOrder(startButton_, returnButton_);
}

void WhereBar::chooseDestination(const std::string& where, bool fromCalendar) {
    std::vector<SettingWrite> writes{textWrite(settings::Where, where)};
    // The calendar's own entry hands the choice back to the calendar; any other is the user's,
    // which the calendar leaves alone for a while.
    if (!fromCalendar) {
        writes.push_back(handPickWrite(QDateTime::currentSecsSinceEpoch()));
    } else if (std::optional<SettingWrite> forget = handPickForgotten(store_.snapshot())) {
        writes.push_back(std::move(*forget));
    }
    reportWriteFailure(store_.write(writes).error);
}

void WhereBar::refreshCalendar() {
    calendar_->refresh();
}

void WhereBar::calendarChanged() {
    std::optional<std::string> entry;
    if (const std::optional<CalendarPick>& pick = calendar_->pick()) {
        entry = calendarEntryText(pick->destination).toStdString();
    }
    menus_->setCalendarEntry(std::move(entry));
    // The open list is the user's: it is brought up to date when it closes.
    if (!combo_->view()->isVisible()) {
        refillCombo();
    }
}

QSystemTrayIcon* WhereBar::trayIcon() const {
    return menus_->trayIcon();
}

QMenu* WhereBar::trayMenu() const {
    return menus_->trayMenu();
}

const bar::SaverMenu& WhereBar::lastSaverMenu() const {
    return menus_->lastSaverMenu();
}

void WhereBar::showMainMenu(const QPoint& at) {
    menus_->showMainMenu(at);
}

void WhereBar::showDestinationMenu(const QPoint& at) {
    menus_->showDestinationMenu(at);
}

void WhereBar::handleCommand(int command) {
    commands_.dispatch(command, menus_->lastSaverMenu());
}

void WhereBar::showAsToolWindow() {
    if (!isVisible()) {
        keepOffTaskbar(static_cast<std::uint64_t>(winId()));
        // Without a notification area the bar keeps its minimise button: iconified is where
        // its close box puts it.
        if (trayAvailable()) {
            keepToTheCloseBox(static_cast<std::uint64_t>(winId()));
        }
    }
    show();
}

int WhereBar::run() {
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    showAsToolWindow();
    if (ending_) {
        return 0;
    }
    loop.exec();
    return 0;
}

bool WhereBar::trayAvailable() const {
    return environment_.trayAvailable && environment_.trayAvailable();
}

void WhereBar::readDesktopRule() {
    onlyIcon_ = !store_.read(settings::Desktop);
}

void WhereBar::refillCombo() {
    const bar::Places places = bar::readPlaces(store_);
    std::vector<std::string> items = bar::destinationComboItems(places);
    // A destination typed elsewhere is in force all the same: the list shows it, selected.
    if (std::optional<std::string> other =
            bar::otherDestination(places, store_.read(settings::Where))) {
        items.push_back(std::move(*other));
    }
    const std::optional<CalendarPick>& fromCalendar = calendar_->pick();
    if (fromCalendar) {
        items.insert(items.begin(), fromCalendar->destination);
    }
    std::vector<std::string> shown;
    for (int i = 0; i < combo_->count(); ++i) {
        shown.push_back(storedTextOf(*combo_, i));
    }
    const bool calendarShown =
        combo_->count() > 0 && combo_->itemData(0, kFromCalendarRole).toBool();
    if (shown != items || calendarShown != fromCalendar.has_value()) {
        QSignalBlocker quiet(combo_);
        combo_->clear();
        for (const std::string& item : items) {
            const bool calendarEntry = fromCalendar && combo_->count() == 0;
            combo_->addItem(calendarEntry
                                ? shortenedForDisplay(calendarEntryText(item).toStdString())
                                : shortenedForDisplay(trimRight(item)),
                            QByteArray(item.data(), static_cast<qsizetype>(item.size())));
            if (calendarEntry) {
                combo_->setItemData(0, true, kFromCalendarRole);
            }
        }
    }
    selectCurrentDestination();
}

void WhereBar::settingsChanged() {
    readDesktopRule();
    calendar_->settingsChanged();
    // The open list is the user's: it is brought up to date when it closes.
    if (!combo_->view()->isVisible()) {
        refillCombo();
    }
    menus_->refresh();
    if (onlyIcon_ && isVisible()) {
        update();  // the rule is applied at the next paint
    }
}

void WhereBar::reportWriteFailure(const std::string& error) {
    // Told once: a bar being dragged would otherwise raise a message at every step.
    if (error.empty() || writeFailureTold_) {
        return;
    }
    writeFailureTold_ = true;
    if (environment_.showMessage) {
        environment_.showMessage(
            this, withArgument(translate("Messages", "Cannot save the settings: %1"), error));
    }
}

void WhereBar::selectCurrentDestination() {
    // The calendar's entry is an offer, never the destination in force: a destination equal to
    // its place selects the user's own entry.
    const int first =
        combo_->count() > 0 && combo_->itemData(0, kFromCalendarRole).toBool() ? 1 : 0;
    std::vector<std::string> items;
    for (int i = first; i < combo_->count(); ++i) {
        items.push_back(storedTextOf(*combo_, i));
    }
    const int found = bar::findDestination(items, store_.read(settings::Where));
    const int index = found < 0 ? -1 : found + first;
    QSignalBlocker quiet(combo_);
    combo_->setCurrentIndex(index);
}

void WhereBar::focusCombo() {
    // The focus arriving later (when the window is activated) refills again; a refill here
    // makes the list right even where no activation comes.
    if (!combo_->hasFocus()) {
        refillCombo();
    }
    combo_->setFocus(Qt::OtherFocusReason);
    selectCurrentDestination();
}

void WhereBar::showEvent(QShowEvent* event) {
    readDesktopRule();
    QDialog::showEvent(event);
    position_->windowShown();
    focusCombo();
}

void WhereBar::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    selectCurrentDestination();
}

void WhereBar::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    position_->windowMoved();
}

void WhereBar::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (onlyIcon_ && trayAvailable()) {
        // Only the icon stays; hiding inside the paint itself would disturb the backing store.
        QMetaObject::invokeMethod(this, &QWidget::hide, Qt::QueuedConnection);
    }
}

void WhereBar::closeEvent(QCloseEvent* event) {
    event->ignore();
    requestClose();
}

void WhereBar::requestClose() {
    if (!exitRequested_ && !store_.read(settings::Endflg)) {
        if (trayAvailable()) {
            hide();
        } else {
            // Hidden without an icon it would be out of reach; a second start restores it.
            showMinimized();
        }
        return;
    }
    ending_ = true;
    menus_->removeIcon();
    done(0);
}

void WhereBar::reject() {
    // Escape never closes the bar; QDialog routes it here.
}

void WhereBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers().testFlag(Qt::ShiftModifier)) {
        showMainMenu(mapToGlobal(QPoint(5, 5)));
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        return;
    }
    QDialog::keyPressEvent(event);
}

void WhereBar::contextMenuEvent(QContextMenuEvent* event) {
    showMainMenu(event->globalPos());
}

void WhereBar::bringBack() {
    showInFront();
    activateWindow();
}

void WhereBar::bringBackForLaunch(const LaunchActivation& activation) {
    showInFront();
    // The start that asked carries the desktop's permission to come forward; the bar uses it.
    activateForLaunch(*windowHandle(), activation);
}

void WhereBar::showInFront() {
    if (isMinimized()) {
        // Not every window manager restores an iconified window on request (openbox does not);
        // withdrawing it and mapping it anew in the normal state always brings it back.
        hide();
        setWindowState(Qt::WindowNoState);
    }
    showAsToolWindow();
    // Rolled up by the user earlier, it would come back as a bare title bar.
    unshade(static_cast<std::uint64_t>(winId()));
    raise();
}

}  // namespace rumo
