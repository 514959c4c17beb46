#include "bar/where_bar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
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
QString shownText(const std::string& text) {
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
                addItems(*menu.addMenu(shownText(item.text)), item.children);
                break;
            case bar::MenuItem::Kind::Command: {
                QAction* action = menu.addAction(shownText(item.text));
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
                        showMainMenu(QCursor::pos());
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
    // Whatever is stored is used, also off the screen; only values beyond any window system's
    // coordinates are brought to its edge, where the window's own extent cannot overflow.
    auto representable = [](int value) {
        return std::clamp(value, kMinCoordinate, kMaxCoordinate);
    };
    move(representable(readSetting(store_, configKey("Left"))),
         representable(readSetting(store_, configKey("Top"))));
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
        combo_->addItem(shownText(item),
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
    // The first move comes from placing the window, before it was ever shown; every later one
    // is the user's (or the window manager's) and is kept.
    if (!skipFirstMove_) {
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

void WhereBar::showMainMenu(const QPoint& at) {
    const std::string directory =
        environment_.screenSaverDirectory ? environment_.screenSaverDirectory() : std::string();
    std::vector<std::string> files;
    if (environment_.listScreenSavers && !directory.empty()) {
        files = environment_.listScreenSavers(directory);
    }
    saverMenu_ = bar::saverMenu(files, readTextSetting(store_, configKey("Scrfile")),
                                environment_.screenSaverSuffix);
    QMenu menu(this);
    addItems(menu, bar::mainMenu(saverMenu_.items));
    runMenu(menu, at);
}

void WhereBar::handleCommand(int command) {
    if (const int place = bar::placeOfCommand(command); place != 0) {
        store_.writeText(configKey("Where"), readTextSetting(store_, placeKey(place)));
        selectCurrentDestination();
        return;
    }
    if (command > bar::kSaverBase && command <= bar::kLastSaver + 1) {
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
