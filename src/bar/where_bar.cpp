#include "bar/where_bar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <algorithm>

#include "bar/bar_commands.h"
#include "bar/bar_template.h"
#include "bar/destination_combo.h"
#include "bar/launcher.h"
#include "common/app_icon.h"
#include "common/dialog_font.h"
#include "platform/display_settings.h"
#include "platform/screen_savers.h"
#include "properties/open_properties.h"
#include "settings/settings_store.h"

namespace rumo {

namespace {

QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}

std::string toUtf8(const QString& text) {
    return text.toStdString();
}

// The combo box keeps each item's text as stored, byte for byte: showing it goes through QString,
// which would turn bytes that are not UTF-8 into replacement characters.
constexpr int kStoredTextRole = Qt::UserRole;

std::string storedTextOf(const QComboBox& combo, int index) {
    const QByteArray bytes = combo.itemData(index, kStoredTextRole).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Longest text an item of the list or the menus shows. Laying out and drawing a text costs time
// with its length; beyond this, nothing more of it would fit on a screen anyway.
constexpr qsizetype kMaxShownChars = 256;

// An item's text as shown: cut short, with an ellipsis, when it is longer than that. Choosing
// the item still uses the whole text.
QString shortenedForDisplay(const std::string& text) {
    QString shown = toQt(text);
    if (shown.size() > kMaxShownChars) {
        qsizetype cut = kMaxShownChars;
        if (shown.at(cut - 1).isHighSurrogate()) {
            --cut;  // never split a character
        }
        shown.truncate(cut);
        shown += QChar(0x2026);
    }
    return shown;
}

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

// Window positions X11 can express (16-bit signed).
constexpr int kMinCoordinate = -32768;
constexpr int kMaxCoordinate = 32767;

// How often, and how long, a bar brought onto the screen looks for its frame.
constexpr int kFrameWatchInterval = 50;  // ms
constexpr int kFrameWatchTicks = 60;
constexpr int kSteadyLooks = 6;

bar::Box toBox(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

std::vector<bar::Box> availableScreenAreas() {
    std::vector<bar::Box> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.push_back(toBox(screen->availableGeometry()));
    }
    return areas;
}

// A submenu built by addItems belongs to its menu; refilling drops the old ones.
void clearMenu(QMenu& menu) {
    for (QMenu* submenu : menu.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
        submenu->deleteLater();
    }
    menu.clear();
}

}  // namespace

BarEnvironment desktopEnvironment(Launcher& launcher) {
    BarEnvironment environment;
    environment.launcher = &launcher;
    environment.screenSaverDirectory = [] { return toUtf8(screenSaverDirectory()); };
    environment.listScreenSavers = [](const std::string& directory) {
        return listScreenSavers(toQt(directory));
    };
    environment.screenSaverSuffix = kScreenSaverSuffix;
    environment.displaySettings = [] { return displaySettingsCommand(); };
    environment.showMessage = [](QWidget* parent, const std::string& text) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("RUMO?"), toQt(text), QMessageBox::Ok,
                        parent);
        box.exec();
    };
    environment.trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    environment.executablePath = toUtf8(QCoreApplication::applicationFilePath());
    environment.currentDirectory = toUtf8(QDir::currentPath());
    return environment;
}

WhereBar::WhereBar(SettingsStore& store, BarEnvironment environment)
    : store_(store), environment_(std::move(environment)) {
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // The caption stays blank; an empty title would make Qt show the application's name.
    setWindowTitle(QStringLiteral(" "));
    setWindowIcon(appIcon());
    setModal(false);
    buildFromTemplate();

    // The icon exists from the bar's creation until the exit command.
    tray_ = new QSystemTrayIcon(appIcon(), this);
    tray_->setToolTip(QStringLiteral("RUMO?"));
    // Desktops that show the icon through StatusNotifierItem draw its menu themselves and have
    // no double click: the menu must be the icon's own, filled anew whenever it opens. Where Qt
    // draws the icon, the right button opens this same menu.
    trayMenu_ = new QMenu(this);
    fillMainMenu(*trayMenu_);
    connect(trayMenu_, &QMenu::aboutToShow, this, [this] {
        fillMainMenu(*trayMenu_);
        emit menuAboutToOpen(trayMenu_);
    });
    connect(trayMenu_, &QMenu::triggered, this, [this](QAction* action) {
        if (action->data().isValid()) {
            handleCommand(action->data().toInt());
        }
    });
    tray_->setContextMenu(trayMenu_);
    destinationMenuDelay_.setSingleShot(true);
    destinationMenuDelay_.setInterval(QApplication::doubleClickInterval());
    connect(&destinationMenuDelay_, &QTimer::timeout, this,
            [this] { showDestinationMenu(QCursor::pos()); });
    connect(tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                switch (reason) {
                    case QSystemTrayIcon::Trigger:
                        destinationMenuDelay_.start();
                        break;
                    case QSystemTrayIcon::DoubleClick:
                        destinationMenuDelay_.stop();
                        bringBack();
                        break;
                    case QSystemTrayIcon::Context:
                        // One menu at a time: a left click just before does not follow.
                        destinationMenuDelay_.stop();
                        if (isVisible()) {
                            raise();
                            activateWindow();
                        }
                        // Where Qt draws the icon it has opened the menu already; a desktop
                        // that asks for the menu without drawing it gets it here.
                        if (!trayMenu_->isVisible()) {
                            trayMenu_->popup(QCursor::pos());
                        }
                        break;
                    default:
                        break;
                }
            });
    tray_->show();

    placeAtStoredPosition();
    store_.writeInt(configKey("Endflg"), 0);
    // The full directory, however long.
    store_.writeText(configKey("Path"), environment_.currentDirectory);
}

WhereBar::~WhereBar() = default;

void WhereBar::buildFromTemplate() {
    const bar::BarTemplate& layout = bar::barTemplate();
    const QFont font = dialogFont(toQt(std::string(layout.fontFace)), layout.fontPoints);
    setFont(font);
    const DialogBaseUnits base = baseUnitsOf(font);
    for (const bar::TemplateControl& control : layout.controls) {
        const DialogRect px = toPixels(control.rect, base);
        QWidget* widget = nullptr;
        switch (control.kind) {
            case bar::ControlKind::DropDownList: {
                combo_ = new DestinationCombo(this);
                combo_->setFocusPolicy(Qt::StrongFocus);
                // The closed box is one line high; the template's height is the open list's.
                combo_->setMaxVisibleItems(
                    qMax(1, px.height / qMax(1, combo_->fontMetrics().height())));
                combo_->setGeometry(px.x, px.y, px.width, toPixels(layout.client, base).height);
                widget = combo_;
                break;
            }
            case bar::ControlKind::DefaultPushButton:
                startButton_ = new QPushButton(this);
                startButton_->setDefault(true);
                startButton_->setGeometry(px.x, px.y, px.width, px.height);
                widget = startButton_;
                break;
        }
        widget->setObjectName(QString::number(control.id));
        // The controls cover the whole bar: a right click on either is a right click on the bar.
        widget->setContextMenuPolicy(Qt::NoContextMenu);
    }
    connect(combo_, &DestinationCombo::refillRequested, this, &WhereBar::refillCombo);
    connect(combo_, &QComboBox::activated, this, [this](int index) {
        // Only the user's choices write: the refill and the reselection change the index too.
        store_.writeText(configKey("Where"), storedTextOf(*combo_, index));
    });
    connect(startButton_, &QPushButton::clicked, this, &WhereBar::startNotice);
    setTabOrder(combo_, startButton_);
}

void WhereBar::placeAtStoredPosition() {
    const DialogRect client = toPixels(bar::barTemplate().client, baseUnitsOf(font()));
    // One pixel wider and taller than the template, as the bar has always been.
    setFixedSize(client.width + 1, client.height + 1);  // a bar is never resized or maximised
    compositorPlaces_ = QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
    if (compositorPlaces_) {
        return;
    }
    // Only values beyond any window system's coordinates are brought to its edge, where the
    // window's own extent cannot overflow.
    auto representable = [](int value) {
        return std::clamp(value, kMinCoordinate, kMaxCoordinate);
    };
    bar::Box window{representable(readSetting(store_, configKey("Left"))),
                    representable(readSetting(store_, configKey("Top"))), width(), height()};
    // A place left by an unplugged monitor or a larger screen would leave the bar out of reach.
    // The stored values stay until the user moves the bar.
    broughtInto_ = bar::areaToBringInto(window, availableScreenAreas());
    if (broughtInto_) {
        window = bar::fitInside(window, *broughtInto_);
    }
    placedAt_ = QPoint(window.x, window.y);
    move(*placedAt_);
    if (broughtInto_) {
        // The window's frame is known only once the window manager has framed the shown window,
        // with no event saying so; until then the bar watches for it, and the moves it and the
        // window manager make meanwhile are not the user's.
        frameWatch_.setInterval(kFrameWatchInterval);
        connect(&frameWatch_, &QTimer::timeout, this, [this] {
            // A window manager still settling the new window may shift it once more: the bar
            // must stay inside for a few looks in a row.
            steadyLooks_ = keepBroughtInPlaceInside() ? steadyLooks_ + 1 : 0;
            if (steadyLooks_ >= kSteadyLooks || ++frameWatchTicks_ >= kFrameWatchTicks) {
                frameWatch_.stop();
                placedAt_ = pos();
            }
        });
        frameWatch_.start();
    }
}

bool WhereBar::keepBroughtInPlaceInside() {
    const QRect frame = frameGeometry();
    if (!broughtInto_ || !isVisible() || frame.size() == size()) {
        return false;
    }
    const bar::Box fitted = bar::fitInside(toBox(frame), *broughtInto_);
    if (QPoint(fitted.x, fitted.y) == frame.topLeft()) {
        return true;
    }
    placedAt_ = QPoint(fitted.x, fitted.y);
    move(*placedAt_);
    return false;
}

int WhereBar::run() {
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    show();
    if (ending_) {
        return 0;
    }
    loop.exec();
    return 0;
}

bool WhereBar::trayAvailable() const {
    return environment_.trayAvailable && environment_.trayAvailable();
}

void WhereBar::refillCombo() {
    const std::vector<std::string> items = bar::destinationComboItems(bar::readPlaces(store_));
    QSignalBlocker quiet(combo_);
    combo_->clear();
    for (const std::string& item : items) {
        combo_->addItem(shortenedForDisplay(item),
                        QByteArray(item.data(), static_cast<qsizetype>(item.size())));
    }
    selectCurrentDestination();
}

void WhereBar::selectCurrentDestination() {
    std::vector<std::string> items;
    for (int i = 0; i < combo_->count(); ++i) {
        items.push_back(storedTextOf(*combo_, i));
    }
    const int index = bar::findDestination(items, readTextSetting(store_, configKey("Where")));
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
    QDialog::showEvent(event);
    focusCombo();
}

void WhereBar::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    selectCurrentDestination();
}

void WhereBar::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    // The first move comes from placing the window, before it was ever shown, and arriving at
    // the place the bar chose is no move of the user's; every other one is kept.
    if (frameWatch_.isActive() || (placedAt_ && pos() == *placedAt_)) {
        skipFirstMove_ = false;
        return;
    }
    if (!skipFirstMove_ && !compositorPlaces_) {
        placedAt_.reset();
        store_.writeInt(configKey("Top"), y());
        store_.writeInt(configKey("Left"), x());
    }
    skipFirstMove_ = false;
}

void WhereBar::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (readSetting(store_, configKey("Desktop")) == 0 && trayAvailable()) {
        // Only the icon stays; hiding inside the paint itself would disturb the backing store.
        QMetaObject::invokeMethod(this, &QWidget::hide, Qt::QueuedConnection);
    }
}

void WhereBar::closeEvent(QCloseEvent* event) {
    event->ignore();
    requestClose();
}

void WhereBar::requestClose() {
    if (readSetting(store_, configKey("Endflg")) == 0) {
        if (trayAvailable()) {
            hide();
        } else {
            // Hidden without an icon it would be out of reach; a second start restores it.
            showMinimized();
        }
        return;
    }
    ending_ = true;
    destinationMenuDelay_.stop();
    tray_->hide();
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
    if (isMinimized()) {
        // Not every window manager restores an iconified window on request (openbox does not);
        // withdrawing it and mapping it anew in the normal state always brings it back.
        hide();
        setWindowState(Qt::WindowNoState);
    }
    show();
    raise();
    activateWindow();
}

void WhereBar::runMenu(QMenu& menu, const QPoint& at) {
    emit menuAboutToOpen(&menu);
    const QAction* chosen = menu.exec(at);
    if (chosen != nullptr && chosen->data().isValid()) {
        handleCommand(chosen->data().toInt());
    }
}

void WhereBar::showDestinationMenu(const QPoint& at) {
    const bar::Places places = bar::readPlaces(store_);
    const std::string where = readTextSetting(store_, configKey("Where"));
    if (isVisible()) {
        raise();
        activateWindow();
    }
    QMenu menu(this);
    addItems(menu, bar::destinationMenu(places, where));
    runMenu(menu, at);
}

void WhereBar::fillMainMenu(QMenu& menu) {
    const std::string directory =
        environment_.screenSaverDirectory ? environment_.screenSaverDirectory() : std::string();
    std::vector<std::string> files;
    if (environment_.listScreenSavers && !directory.empty()) {
        files = environment_.listScreenSavers(directory);
    }
    saverMenu_ = bar::saverMenu(files, readTextSetting(store_, configKey("Scrfile")),
                                environment_.screenSaverSuffix);
    clearMenu(menu);
    addItems(menu, bar::mainMenu(saverMenu_.items));
}

void WhereBar::showMainMenu(const QPoint& at) {
    QMenu menu(this);
    fillMainMenu(menu);
    runMenu(menu, at);
}

void WhereBar::handleCommand(int command) {
    if (const int place = bar::placeOfCommand(command); place != 0) {
        store_.writeText(configKey("Where"), readTextSetting(store_, placeKey(place)));
        selectCurrentDestination();
        return;
    }
    if (command > bar::kSaverBase && command <= bar::kLastSaverCommand) {
        // The entry for a vanished setting has no file behind it and keeps the setting.
        const std::string file = saverMenu_.fileOf(command);
        if (!file.empty()) {
            store_.writeText(configKey("Scrfile"), file);
        }
        return;
    }
    switch (command) {
        case bar::kStartButton:
        case bar::kStartNotice:
            startNotice();
            break;
        case bar::kStartScreenSaver:
            startScreenSaver();
            break;
        case bar::kProperties:
            openProperties(store_, this);
            break;
        case bar::kDisplaySettings:
            openDisplaySettings();
            break;
        case bar::kExit:
            store_.writeInt(configKey("Endflg"), 1);
            QMetaObject::invokeMethod(this, &WhereBar::requestClose, Qt::QueuedConnection);
            break;
        default:
            break;
    }
}

void WhereBar::startNotice() {
    // Path is still written at start for the help; the notice is the running executable itself.
    environment_.launcher->startDetached(bar::noticeCommand(environment_.executablePath));
}

void WhereBar::startScreenSaver() {
    const std::string file = readTextSetting(store_, configKey("Scrfile"));
    if (file.empty() || !environment_.screenSaverDirectory) {
        return;  // nothing chosen yet
    }
    const std::string directory = environment_.screenSaverDirectory();
    if (directory.empty()) {
        return;
    }
    // File names differ in letter case here; the setting names the program the menu ticks.
    std::vector<std::string> files;
    if (environment_.listScreenSavers) {
        files = environment_.listScreenSavers(directory);
    }
    // A setting naming no installed screen saver starts nothing.
    if (const std::optional<std::string> listed = bar::resolveSaverFile(files, file)) {
        environment_.launcher->startScreenSaver(directory, *listed);
    }
}

void WhereBar::openDisplaySettings() {
    if (!environment_.displaySettings) {
        return;
    }
    if (const std::optional<bar::LaunchCommand> command = environment_.displaySettings()) {
        environment_.launcher->startDetached(*command);
        return;
    }
    if (environment_.showMessage) {
        std::string tools;
        for (const bar::ToolCandidate& tool : displaySettingsTools()) {
            tools += (tools.empty() ? "" : "、") + tool.name;
        }
        environment_.showMessage(
            this, "画面の設定を開くツールが見つかりません。次のどれかをインストールしてください: " +
                      tools);
    }
}

}  // namespace rumo
