#include "bar/where_bar.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>

#include "bar/bar_commands.h"
#include "bar/bar_template.h"
#include "bar/destination_combo.h"
#include "bar/launcher.h"
#include "calendar/calendar_settings.h"
#include "calendar/hand_pick.h"
#include "common/dialog_font.h"
#include "settings/memory_store.h"

namespace rumo {
namespace {

class FakeLauncher : public Launcher {
public:
    void startDetached(const LaunchCommand& command) override { started.push_back(command); }
    void startScreenSaver(const std::string& directory, const std::string& file) override {
        savers.emplace_back(directory, file);
    }
    std::vector<LaunchCommand> started;
    std::vector<std::pair<std::string, std::string>> savers;
};

class WhereBarTest : public ::testing::Test {
protected:
    BarEnvironment environment() {
        BarEnvironment e;
        e.launcher = &launcher;
        e.screenSaverDirectory = [this] { return saverDirectory; };
        e.listScreenSavers = [this](const std::string& directory) {
            listedFrom = directory;
            return saverFiles;
        };
        e.displaySettings = [this] { return displayTool; };
        e.showMessage = [this](QWidget*, const std::string& text) { messages.push_back(text); };
        e.trayAvailable = [this] { return tray; };
        e.executablePath = "/somewhere/else/rumo";
        e.currentDirectory = "/home/user/" + std::string(300, 'd');
        return e;
    }

    std::unique_ptr<WhereBar> makeBar() {
        auto bar = std::make_unique<WhereBar>(store, environment());
        return bar;
    }

    static void settle() {
        for (int i = 0; i < 5; ++i) {
            QApplication::processEvents();
        }
    }

    bool wrote(const SettingRef& setting) const {
        const auto& log = store.writeLog();
        return std::find(log.begin(), log.end(), setting.key()) != log.end();
    }

    std::string text(const SettingRef& setting) { return store.raw(setting).value_or(""); }

    static QStringList itemsOf(QComboBox* combo) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) {
            items << combo->itemText(i);
        }
        return items;
    }

    MemoryStore store;
    FakeLauncher launcher;
    std::string saverDirectory = "/fake/hacks";
    std::vector<std::string> saverFiles;
    std::string listedFrom;
    std::optional<LaunchCommand> displayTool;
    std::vector<std::string> messages;
    bool tray = true;
};

TEST_F(WhereBarTest, StartsAtTheStoredPlaceOnePixelLargerAndRecordsTheStart) {
    store.set(settings::Left, 300);
    store.set(settings::Top, 20);
    store.set(settings::Endflg, true);
    store.clearWriteLog();
    auto bar = makeBar();
    bar->show();
    settle();
    EXPECT_EQ(bar->pos(), QPoint(300, 20));
    const DialogBaseUnits base = baseUnitsOf(bar->font());
    const DialogRect client = toPixels(bar::barClient(), base);
    EXPECT_EQ(bar->size(), QSize(client.width + 1, client.height + 1));
    EXPECT_EQ(store.raw(settings::Endflg), "0");
    // The whole directory, longer than 255 characters.
    EXPECT_EQ(text(settings::Path), "/home/user/" + std::string(300, 'd'));
    // Placing and showing the bar is not a move of the user's.
    EXPECT_FALSE(wrote(settings::Left));
    EXPECT_FALSE(wrote(settings::Top));

    store.clearWriteLog();
    bar->move(40, 50);
    settle();
    // Top first, then Left, at every move.
    EXPECT_EQ(store.writeLog(),
              (std::vector<SettingKey>{settings::Top.key(), settings::Left.key()}));
    EXPECT_EQ(store.raw(settings::Left), "40");
    EXPECT_EQ(store.raw(settings::Top), "50");
    bar->move(250, 7);
    settle();
    EXPECT_EQ(store.raw(settings::Left), "250");
    EXPECT_EQ(store.raw(settings::Top), "7");
}

TEST_F(WhereBarTest, APlaceOffEveryScreenIsBroughtInsideAndKeptUntilTheUserMovesTheBar) {
    store.set(settings::Left, -3);
    store.set(settings::Top, -30);
    auto bar = makeBar();
    bar->show();
    settle();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(bar->pos(), screen.topLeft());
    EXPECT_EQ(text(settings::Left), "-3");
    EXPECT_EQ(text(settings::Top), "-30");
    // Once the bar has settled (a window manager's framing is no move of the user's), a move is
    // stored, and so is moving back to where the bar put itself.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            bar->move(screen.topLeft() + QPoint(61, 71));
            settle();
            bar->move(screen.topLeft() + QPoint(60, 70));
            settle();
            return text(settings::Left) == std::to_string(screen.left() + 60);
        },
        10000));
    bar->move(screen.topLeft());
    settle();
    EXPECT_EQ(text(settings::Top), std::to_string(screen.top()));
}

TEST_F(WhereBarTest, FreshProfileSitsAtOneOne) {
    auto bar = makeBar();
    bar->show();
    settle();
    EXPECT_EQ(bar->pos(), QPoint(1, 1));
    EXPECT_EQ(bar->destinationCombo()->count(), 0);
    EXPECT_EQ(bar->destinationCombo()->currentIndex(), -1);
}

TEST_F(WhereBarTest, CloseHidesWhileNotExitingAndEscapeDoesNothing) {
    auto bar = makeBar();
    bar->show();
    settle();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(bar->destinationCombo(), &escape);
    settle();
    EXPECT_TRUE(bar->isVisible());

    bar->close();
    settle();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(bar->result(), 0);
    bar->bringBack();
    settle();
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(WhereBarTest, WithoutANotificationAreaTheBarStaysReachable) {
    tray = false;
    store.set(settings::Desktop, false);
    auto bar = makeBar();
    bar->show();
    settle();
    bar->repaint();
    settle();
    EXPECT_TRUE(bar->isVisible());  // Desktop = 0 is not honoured: nothing else leads back
    bar->close();
    settle();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(bar->isMinimized());
    bar->bringBack();
    settle();
    EXPECT_FALSE(bar->isMinimized());
}

TEST_F(WhereBarTest, DesktopZeroHidesOnceTheBarShowsOrThePropertiesClose) {
    auto bar = makeBar();
    bar->show();
    settle();
    bar->repaint();
    settle();
    EXPECT_TRUE(bar->isVisible());
    // Changed in the properties dialog: it counts once the dialog closes.
    QTimer::singleShot(0, bar.get(), [this] {
        store.set(settings::Desktop, false);
        ASSERT_NE(QApplication::activeModalWidget(), nullptr);
        QApplication::activeModalWidget()->close();
    });
    bar->handleCommand(bar::kProperties);
    settle();
    EXPECT_FALSE(bar->isVisible());
    // Back to 1: it stays hidden until brought back.
    store.set(settings::Desktop, true);
    settle();
    EXPECT_FALSE(bar->isVisible());
    bar->bringBack();
    settle();
    EXPECT_TRUE(bar->isVisible());
    // Changed elsewhere: it counts when the bar is shown next.
    store.set(settings::Desktop, false);
    bar->hide();
    bar->bringBack();
    settle();
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(WhereBarTest, ExitEndsTheRunAndRemovesTheIcon) {
    auto bar = makeBar();
    QTimer::singleShot(0, bar.get(), [&] {
        bar->close();  // a plain close while running only hides
        bar->handleCommand(bar::kExit);
    });
    EXPECT_EQ(bar->run(), 0);
    EXPECT_EQ(store.raw(settings::Endflg), "1");
    EXPECT_FALSE(bar->trayIcon()->isVisible());
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(WhereBarTest, ComboRefillsTrimmedSelectsIgnoringCaseAndWritesTheChoice) {
    store.set(settings::Place(1), "会議室  ");
    store.set(settings::Place(3), "Lunch");
    store.set(settings::Place(4), "   ");
    store.set(settings::Place(6), "lunch");
    store.set(settings::Where, "LUNCH");
    auto bar = makeBar();
    bar->show();
    settle();
    DestinationCombo* combo = bar->destinationCombo();
    EXPECT_EQ(itemsOf(combo), (QStringList{"会議室", "Lunch", "lunch"}));
    EXPECT_EQ(combo->currentIndex(), 1);

    // Edits made elsewhere show at the next drop-down.
    store.set(settings::Place(2), "Home");
    store.clearWriteLog();
    combo->showPopup();
    settle();
    combo->hidePopup();
    EXPECT_EQ(itemsOf(combo), (QStringList{"会議室", "Home", "Lunch", "lunch"}));
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_FALSE(wrote(settings::Where));  // refilling and reselecting write nothing

    // The user's choice writes the displayed, trimmed text.
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    EXPECT_EQ(text(settings::Where), "会議室");

    // Where naming no place is in force all the same: an extra entry shows it, selected.
    store.set(settings::Where, "nowhere");
    combo->showPopup();
    settle();
    combo->hidePopup();
    EXPECT_EQ(itemsOf(combo), (QStringList{"会議室", "Home", "Lunch", "lunch", "nowhere"}));
    EXPECT_EQ(combo->currentIndex(), 4);
    // An untrimmed place is a place: the selection is cleared, nothing is added.
    store.set(settings::Where, "会議室  ");
    combo->showPopup();
    settle();
    combo->hidePopup();
    EXPECT_EQ(itemsOf(combo), (QStringList{"会議室", "Home", "Lunch", "lunch"}));
    EXPECT_EQ(combo->currentIndex(), -1);
}

TEST_F(WhereBarTest, TheCalendarsPlaceComesFirstMarkedAndPickingItHandsBackToTheCalendar) {
    const std::int64_t now = QDateTime::currentSecsSinceEpoch();
    const auto utc = [](std::int64_t at) {
        return QDateTime::fromSecsSinceEpoch(at, Qt::UTC)
            .toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"))
            .toLatin1();
    };
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("work.ics")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:m\r\n"
        "DTSTAMP:20250101T000000Z\r\nDTSTART:" +
        utc(now - 600) + "\r\nDTEND:" + utc(now + 2700) +
        "\r\nLOCATION:会議室B\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    file.close();
    store.set(settings::Place(1), "Office");
    store.set(settings::CalendarSource(1), file.fileName().toStdString());
    store.set(settings::CalendarEnabled, true);
    auto bar = makeBar();
    bar->show();
    settle();
    DestinationCombo* combo = bar->destinationCombo();
    EXPECT_EQ(itemsOf(combo), (QStringList{"会議室B（予定表）", "Office"}));
    EXPECT_EQ(combo->currentIndex(), -1);

    // Any other pick is the user's, which the calendar leaves alone for a while.
    emit combo->activated(1);
    EXPECT_EQ(text(settings::Where), "Office");
    EXPECT_TRUE(readHandPick(store.snapshot()));
    // The calendar's entry stores its place, and the calendar decides again.
    emit combo->activated(0);
    EXPECT_EQ(text(settings::Where), "会議室B");
    EXPECT_FALSE(readHandPick(store.snapshot()));
    bar->handleCommand(bar::kFirstDestination);
    EXPECT_TRUE(readHandPick(store.snapshot()));
    bar->handleCommand(bar::kCalendarDestination);
    EXPECT_EQ(text(settings::Where), "会議室B");
    EXPECT_FALSE(readHandPick(store.snapshot()));
    bar->handleCommand(bar::kFirstReturnPick);
    EXPECT_TRUE(readHandPick(store.snapshot()));

    // Turned off: the entry goes, and the destination stored stays in force.
    store.set(settings::CalendarEnabled, false);
    bar->refreshCalendar();
    EXPECT_EQ(itemsOf(combo), (QStringList{"Office", "会議室B"}));
    EXPECT_EQ(combo->currentIndex(), 1);
}

TEST_F(WhereBarTest, DestinationCommandWritesTheUntrimmedPlaceAndReselects) {
    store.set(settings::Place(1), "Office");
    store.set(settings::Place(2), "会議室  ");
    auto bar = makeBar();
    bar->show();
    settle();
    bar->handleCommand(bar::kFirstDestination);
    EXPECT_EQ(text(settings::Where), "Office");
    EXPECT_EQ(bar->destinationCombo()->currentIndex(), 0);
    bar->handleCommand(bar::kFirstDestination + 1);
    EXPECT_EQ(text(settings::Where), "会議室  ");
    EXPECT_EQ(bar->destinationCombo()->currentIndex(), -1);

    // The command reads the place as stored now, and the list shows it.
    store.set(settings::Place(1), "Home");
    bar->handleCommand(bar::kFirstDestination);
    EXPECT_EQ(text(settings::Where), "Home");
    EXPECT_EQ(itemsOf(bar->destinationCombo()), (QStringList{"Home", "会議室"}));
    EXPECT_EQ(bar->destinationCombo()->currentIndex(), 0);
}

TEST_F(WhereBarTest, FollowsTheSettingsFileWhenAnotherProcessReplacesIt) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("rumo.conf"));
    auto replaceFile = [&] {
        // As the store saves: a new file renamed over the old one.
        QFile next(file + QStringLiteral(".new"));
        ASSERT_TRUE(next.open(QIODevice::WriteOnly));
        next.write("[Config]\n");
        next.close();
        ASSERT_TRUE(QFile::remove(file) || !QFile::exists(file));
        ASSERT_TRUE(next.rename(file));
    };
    replaceFile();
    store.set(settings::Place(1), "Office");
    BarEnvironment e = environment();
    e.settingsFile = file.toStdString();
    WhereBar bar(store, std::move(e));
    bar.show();
    settle();
    DestinationCombo* combo = bar.destinationCombo();
    EXPECT_EQ(combo->currentIndex(), -1);
    for (const char* where : {"Office", "出張"}) {
        store.set(settings::Where, where);
        replaceFile();
        ASSERT_TRUE(QTest::qWaitFor([&] { return combo->currentText() == where; }, 10000)) << where;
    }
    EXPECT_EQ(itemsOf(combo), (QStringList{"Office", "出張"}));
}

TEST_F(WhereBarTest, WriteFailuresAreToldOnceAndExitEndsAllTheSame) {
    store.set(settings::Place(1), "Office");
    store.failWrites("Read-only file system");
    auto bar = makeBar();
    bar->show();
    settle();
    EXPECT_EQ(messages.size(), 1u);  // the start's own writes
    bar->handleCommand(bar::kFirstDestination);
    bar->move(bar->pos() + QPoint(30, 30));
    settle();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Read-only file system"), std::string::npos);
    QTimer::singleShot(0, bar.get(), [&] { bar->handleCommand(bar::kExit); });
    EXPECT_EQ(bar->run(), 0);
    EXPECT_FALSE(bar->trayIcon()->isVisible());
}

TEST_F(WhereBarTest, AMoveStoresLeftAndTopInOneWrite) {
    auto bar = makeBar();
    bar->show();
    settle();
    store.clearWriteLog();
    bar->move(200, 150);
    settle();
    EXPECT_EQ(text(settings::Left), "200");
    EXPECT_EQ(text(settings::Top), "150");
    EXPECT_EQ(store.writeBatches(), 1u);
}

TEST_F(WhereBarTest, StartButtonAndMenuStartTheRunningExecutable) {
    auto bar = makeBar();
    bar->show();
    settle();
    bar->findChild<QPushButton*>(QStringLiteral("1001"))->click();
    bar->handleCommand(bar::kStartNotice);
    // Enter in the bar presses the default button.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(bar->destinationCombo(), &enter);
    ASSERT_EQ(launcher.started.size(), 3u);
    for (const LaunchCommand& command : launcher.started) {
        EXPECT_EQ(command, (LaunchCommand{"/somewhere/else/rumo", {"-s"}}));
    }
}

TEST_F(WhereBarTest, ScreenSaverAndDisplayCommands) {
    saverFiles = {"galaxy", "swirl"};
    auto bar = makeBar();
    bar->handleCommand(bar::kStartScreenSaver);
    EXPECT_TRUE(launcher.savers.empty());  // nothing chosen: nothing starts

    store.set(settings::Scrfile, "SWIRL");
    bar->handleCommand(bar::kStartScreenSaver);
    ASSERT_EQ(launcher.savers.size(), 1u);
    EXPECT_EQ(launcher.savers[0], (std::pair<std::string, std::string>{"/fake/hacks", "swirl"}));

    // A setting naming no installed hack, or reaching outside the directory, starts nothing.
    for (const char* stored : {"gone", "../../bin/sh", "/bin/sh"}) {
        store.set(settings::Scrfile, stored);
        bar->handleCommand(bar::kStartScreenSaver);
    }
    EXPECT_EQ(launcher.savers.size(), 1u);

    store.set(settings::Scrfile, "galaxy");
    saverDirectory.clear();  // no hacks installed
    bar->handleCommand(bar::kStartScreenSaver);
    EXPECT_EQ(launcher.savers.size(), 1u);

    // No tool installed: the user is told which would do.
    bar->handleCommand(bar::kDisplaySettings);
    EXPECT_TRUE(launcher.started.empty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("gnome-control-center"), std::string::npos);
    EXPECT_NE(messages[0].find("arandr"), std::string::npos);
    displayTool = LaunchCommand{"/usr/bin/arandr", {}};
    bar->handleCommand(bar::kDisplaySettings);
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].program, "/usr/bin/arandr");
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(WhereBarTest, ShiftF10OpensTheMainMenuAndItsSaverChoicesWriteScrfile) {
    saverFiles = {"galaxy", "swirl"};
    store.set(settings::Scrfile, "Swirl");
    store.set(settings::Left, 100);
    store.set(settings::Top, 120);
    auto bar = makeBar();
    bar->show();
    settle();
    QPoint openedAt;
    QStringList texts;
    QStringList saverTexts;
    QList<bool> saverChecks;
    QObject::connect(bar.get(), &WhereBar::menuAboutToOpen, bar.get(), [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            texts << action->text();
            if (action->menu() != nullptr) {
                for (QAction* saver : action->menu()->actions()) {
                    saverTexts << saver->text();
                    saverChecks << saver->isChecked();
                }
            }
        }
        QTimer::singleShot(0, menu, [&, menu] {
            openedAt = menu->pos();
            menu->close();
        });
    });
    QKeyEvent shiftF10(QEvent::KeyPress, Qt::Key_F10, Qt::ShiftModifier);
    QApplication::sendEvent(bar->destinationCombo(), &shiftF10);
    EXPECT_EQ(openedAt, bar->mapToGlobal(QPoint(5, 5)));
    EXPECT_EQ(texts, (QStringList{"RUMO?の起動", "ｽｸﾘｰﾝｾｲﾊﾞｰの起動", "ｽｸﾘｰﾝｾｲﾊﾞｰの選択", "ﾌﾟﾛﾊﾟﾃｨ",
                                  "行先掲示板", "", "画面のﾌﾟﾛﾊﾟﾃｨ", "", "RUMO?の終了"}));
    EXPECT_EQ(listedFrom, "/fake/hacks");
    EXPECT_EQ(saverTexts, (QStringList{"galaxy", "swirl"}));
    EXPECT_EQ(saverChecks, (QList<bool>{false, true}));

    // The command reads the file from the last filling, after the menu is gone.
    bar->handleCommand(bar::kSaverBase + 1);
    EXPECT_EQ(text(settings::Scrfile), "galaxy");
    // The extra entry for a vanished choice keeps the setting.
    store.set(settings::Scrfile, "gone");
    texts.clear();
    saverTexts.clear();
    saverChecks.clear();
    bar->showMainMenu(QPoint(10, 10));
    EXPECT_EQ(saverTexts, (QStringList{"galaxy", "swirl", "gone"}));
    EXPECT_EQ(saverChecks, (QList<bool>{false, false, true}));
    bar->handleCommand(bar::kSaverBase + 3);
    EXPECT_EQ(text(settings::Scrfile), "gone");
}

TEST_F(WhereBarTest, DestinationMenuTicksExactMatchesOnly) {
    store.set(settings::Place(2), "Lunch");
    store.set(settings::Place(5), "lunch  ");
    store.set(settings::Where, "lunch");
    auto bar = makeBar();
    QStringList texts;
    QList<bool> checks;
    QList<int> commands;
    QObject::connect(bar.get(), &WhereBar::menuAboutToOpen, bar.get(), [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            texts << action->text();
            checks << action->isChecked();
            commands << action->data().toInt();
        }
        QTimer::singleShot(0, menu, &QMenu::close);
    });
    bar->showDestinationMenu(QPoint(20, 20));
    // The return-time submenu follows the destinations, behind a separator.
    EXPECT_EQ(texts, (QStringList{"Lunch", "lunch", "", "戻り予定"}));
    EXPECT_EQ(checks, (QList<bool>{false, true, false, false}));
    EXPECT_EQ(commands, (QList<int>{32501, 32504, 0, 0}));
}

// Watches the menus a bar opens and closes each at once, noting where it opened.
struct MenuWatch {
    explicit MenuWatch(WhereBar& bar) {
        QObject::connect(&bar, &WhereBar::menuAboutToOpen, &bar, [this](QMenu* menu) {
            QStringList texts;
            for (QAction* action : menu->actions()) {
                texts << action->text();
            }
            opened << texts;
            QTimer::singleShot(0, menu, [this, menu] {
                positions << menu->pos();
                menu->close();
            });
        });
    }
    QList<QStringList> opened;
    QList<QPoint> positions;
};

TEST_F(WhereBarTest, IconTipAndItsClicks) {
    store.set(settings::Place(2), "Home");
    auto bar = makeBar();
    EXPECT_EQ(bar->trayIcon()->toolTip(), QStringLiteral("RUMO?"));
    MenuWatch watch(*bar);
    QSystemTrayIcon* icon = bar->trayIcon();

    // A single click opens the destination menu only once a double click is ruled out.
    emit icon->activated(QSystemTrayIcon::Trigger);
    settle();
    EXPECT_TRUE(watch.opened.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watch.opened.isEmpty(); }, 10000));
    EXPECT_EQ(watch.opened.front(), (QStringList{"Home", "", "戻り予定"}));

    // A double click brings the hidden bar back and opens no menu.
    watch.opened.clear();
    emit icon->activated(QSystemTrayIcon::Trigger);
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    settle();
    EXPECT_TRUE(bar->isVisible());
    QTest::qWait(QApplication::doubleClickInterval() * 2);
    EXPECT_TRUE(watch.opened.isEmpty());

    // The right button opens the main menu; the middle button nothing.
    emit icon->activated(QSystemTrayIcon::MiddleClick);
    settle();
    EXPECT_TRUE(watch.opened.isEmpty());
    // A right click right after a left one opens the main menu alone.
    emit icon->activated(QSystemTrayIcon::Trigger);
    emit icon->activated(QSystemTrayIcon::Context);
    QTest::qWait(QApplication::doubleClickInterval() * 2);
    ASSERT_EQ(watch.opened.size(), 1);
    EXPECT_EQ(watch.opened.front().front(), QStringLiteral("RUMO?の起動"));
}

TEST_F(WhereBarTest, RightClickOpensTheMainMenuWhereClicked) {
    auto bar = makeBar();
    bar->show();
    settle();
    MenuWatch watch(*bar);
    const QPoint global(200, 150);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(3, 4), global);
    QApplication::sendEvent(bar->destinationCombo(), &click);
    ASSERT_EQ(watch.positions.size(), 1);
    EXPECT_EQ(watch.positions.front(), global);
    EXPECT_EQ(watch.opened.front().back(), QStringLiteral("RUMO?の終了"));

    // No screen savers installed: the submenu holds only a greyed "なし", even with a choice.
    saverDirectory.clear();
    store.set(settings::Scrfile, "swirl");
    bar->showMainMenu(global);
    const std::vector<bar::MenuItem>& savers = bar->lastSaverMenu().items;
    ASSERT_EQ(savers.size(), 1u);
    EXPECT_EQ(savers[0].text, "なし");
    EXPECT_FALSE(savers[0].enabled);
    EXPECT_FALSE(savers[0].checked);
}

TEST_F(WhereBarTest, FocusRefillsTheListAndTheKeyboardChoiceWritesTheStoredText) {
    // Bytes that are not UTF-8 are kept as they are stored.
    const std::string latin1 = "Caf\xE9";
    store.set(settings::Place(1), latin1 + "  ");
    store.set(settings::Place(2), "Home");
    store.set(settings::Where, "CAF\xE9");
    auto bar = makeBar();
    bar->show();
    QApplication::setActiveWindow(bar.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(bar.get()));
    DestinationCombo* combo = bar->destinationCombo();
    EXPECT_EQ(bar->focusWidget(), combo);
    EXPECT_EQ(combo->currentIndex(), 0);

    // Edits made elsewhere show when the list gets the focus back.
    store.set(settings::Place(3), "Lunch");
    bar->findChild<QPushButton*>(QStringLiteral("1001"))->setFocus();
    settle();
    EXPECT_EQ(combo->count(), 2);
    combo->setFocus();
    settle();
    EXPECT_EQ(itemsOf(combo).size(), 3);

    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(text(settings::Where), "Home");
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(text(settings::Where), latin1);
    // The destination menu ticks it: the stored bytes survived the round trip.
    store.set(settings::Place(1), latin1);
    MenuWatch watch(*bar);
    QList<bool> checks;
    QObject::connect(bar.get(), &WhereBar::menuAboutToOpen, bar.get(), [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            checks << action->isChecked();
        }
    });
    bar->showDestinationMenu(QPoint(20, 20));
    EXPECT_EQ(checks, (QList<bool>{true, false, false, false, false}));
}

TEST_F(WhereBarTest, ShowingTheBarAgainReselectsTheCurrentDestination) {
    store.set(settings::Place(1), "Office");
    store.set(settings::Place(2), "Home");
    store.set(settings::Where, "Office");
    auto bar = makeBar();
    bar->show();
    settle();
    EXPECT_EQ(bar->destinationCombo()->currentIndex(), 0);
    bar->close();
    settle();
    ASSERT_FALSE(bar->isVisible());
    // The notice or the properties dialog changed the destination meanwhile.
    store.set(settings::Where, "home");
    bar->bringBack();
    settle();
    EXPECT_EQ(bar->destinationCombo()->currentIndex(), 1);
    EXPECT_EQ(bar->focusWidget(), bar->destinationCombo());
}

TEST_F(WhereBarTest, ABarBroughtBackWhileDesktopIsZeroHidesAtItsNextPaint) {
    store.set(settings::Desktop, false);
    auto bar = makeBar();
    bar->show();
    bar->repaint();
    settle();
    EXPECT_FALSE(bar->isVisible());
    bar->bringBack();
    bar->repaint();
    settle();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(bar->trayIcon()->isVisible());
}

TEST_F(WhereBarTest, HugeAndOddSettingsDoNotBreakTheBar) {
    const std::string megabyte(1 << 20, 'x');
    for (int i = 1; i <= kPlaceCount; ++i) {
        store.set(settings::Place(i), megabyte + std::to_string(i) + " \xFF\xC3");
    }
    // Long texts are shown cut short, never splitting a character; up to 256 shown whole.
    store.set(settings::Place(14), std::string(255, 'a') + "\xF0\x9F\x98\x80");
    store.set(settings::Place(15), std::string(256, 'b'));
    store.set(settings::Where, megabyte + "7 \xFF\xC3");
    store.set(settings::Scrfile, megabyte);
    store.write({textWrite(settings::Left, "2147483647")});
    store.write({textWrite(settings::Top, "-2147483648")});
    saverFiles = {"swirl"};
    auto bar = makeBar();
    bar->show();
    settle();
    // Far off every screen: brought wholly inside the nearest one, not wrapped around.
    EXPECT_TRUE(
        QGuiApplication::primaryScreen()->availableGeometry().contains(bar->frameGeometry()));
    EXPECT_EQ(text(settings::Left), "2147483647");
    DestinationCombo* combo = bar->destinationCombo();
    EXPECT_EQ(combo->count(), kPlaceCount);
    EXPECT_EQ(combo->currentIndex(), 6);
    EXPECT_EQ(combo->itemText(0), QString(256, 'x') + QChar(0x2026));
    EXPECT_EQ(combo->itemText(13), QString(255, 'a') + QChar(0x2026));
    EXPECT_EQ(combo->itemText(14), QString(256, 'b'));
    combo->showPopup();
    settle();
    combo->hidePopup();
    // Choosing writes the whole stored text, not the shortened one.
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(text(settings::Where), megabyte + "8 \xFF\xC3");

    MenuWatch watch(*bar);
    bar->showDestinationMenu(QPoint(10, 10));
    bar->showMainMenu(QPoint(10, 10));
    ASSERT_EQ(watch.opened.size(), 2);
    ASSERT_EQ(watch.opened[0].size(), kPlaceCount + 2);  // and the return-time submenu
    EXPECT_EQ(watch.opened[0][0], QString(256, 'x') + QChar(0x2026));
    bar->handleCommand(bar::kFirstDestination);
    EXPECT_EQ(text(settings::Where), megabyte + "1 \xFF\xC3");
}

}  // namespace
}  // namespace rumo
