// The properties dialog on the offscreen platform: tabs, load and save, the integer check, the
// choosers answered by fake services, the version box and help.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "calendar/calendar_settings.h"
#include "common/japanese_faces.h"
#include "fake_dialog_services.h"
#include "properties/about_dialog.h"
#include "properties/dialog_template.h"
#include "properties/font_colour_dialog.h"
#include "properties/open_properties.h"
#include "properties/properties_dialog.h"
#include "properties/system_dialog_services.h"
#include "settings/memory_store.h"
#include "team/chat_settings.h"
#include "team/team_settings.h"

namespace rumo {
namespace {

class PropertiesDialogTest : public ::testing::Test {
protected:
    MemoryStore store;
    FakeDialogServices services;

    QLineEdit* edit(PropertiesDialog& d, int id) { return qobject_cast<QLineEdit*>(d.control(id)); }
    QCheckBox* check(PropertiesDialog& d, int id) {
        return qobject_cast<QCheckBox*>(d.control(id));
    }
    QAbstractButton* button(PropertiesDialog& d, int id) {
        return qobject_cast<QAbstractButton*>(d.control(id));
    }
    void click(PropertiesDialog& d, int id) { button(d, id)->click(); }

    // Runs the dialog modally as the bar does, doing `whileOpen` inside the modal loop.
    bool run(PropertiesDialog& d, std::function<void()> whileOpen) {
        QTimer::singleShot(0, &d, [&d, whileOpen] {
            whileOpen();
            if (d.isVisible()) {
                d.reject();  // a test that forgot to close must not hang
            }
        });
        return runPropertiesDialog(d);
    }

    std::vector<int> visibleOf(PropertiesDialog& d, const std::vector<int>& ids) {
        std::vector<int> shown;
        for (int id : ids) {
            if (d.control(id)->isVisibleTo(&d))
                shown.push_back(id);
        }
        return shown;
    }
};

TEST_F(PropertiesDialogTest, TabsShowExactlyTheirOwnControls) {
    PropertiesDialog d(store, services);
    d.show();
    const DialogTemplate& t = propertiesTemplate();
    ASSERT_EQ(d.tabBar()->count(), 6);
    EXPECT_EQ(d.tabBar()->tabText(0), QStringLiteral("ｶｽﾀﾏｲｽﾞ"));
    EXPECT_EQ(d.tabBar()->tabText(1), QStringLiteral("行先"));
    EXPECT_EQ(d.tabBar()->tabText(2), QStringLiteral("メモ"));
    EXPECT_EQ(d.tabBar()->tabText(3), QStringLiteral("戻"));
    EXPECT_EQ(d.tabBar()->tabText(4), QStringLiteral("予定表"));
    EXPECT_EQ(d.tabBar()->tabText(5), QStringLiteral("チーム"));
    EXPECT_EQ(d.tabBar()->currentIndex(), 0);
    for (int shownTab = 0; shownTab <= 5; ++shownTab) {
        d.tabBar()->setCurrentIndex(shownTab);
        for (int tab = 0; tab <= 5; ++tab) {
            const auto ids = tabControls(t, tab);
            EXPECT_EQ(visibleOf(d, ids).size(), tab == shownTab ? ids.size() : 0u)
                << "tab " << tab << " while showing " << shownTab;
        }
        for (int id : {1032, 1, 2})
            EXPECT_TRUE(d.control(id)->isVisibleTo(&d)) << id;
        EXPECT_FALSE(d.control(1107)->isVisibleTo(&d));
    }
    EXPECT_EQ(tabControls(t, 0).size(), 27u);
    EXPECT_EQ(tabControls(t, 1).size(), 33u);
    EXPECT_EQ(tabControls(t, 2).size(), 38u);
    for (const ControlDef& c : t.controls) {
        if (c.id != -1) {
            EXPECT_TRUE(d.control(c.id)->isEnabled()) << c.id;
        }
    }
    check(d, 1036)->click();
    EXPECT_TRUE(d.control(1035)->isEnabled());
    EXPECT_EQ(edit(d, 1035)->echoMode(), QLineEdit::Password);
}

TEST_F(PropertiesDialogTest, TypedTextSurvivesSwitchingTabsAndIsSaved) {
    PropertiesDialog d(store, services);
    const bool ok = run(d, [&] {
        d.tabBar()->setCurrentIndex(2);
        edit(d, 1004)->insert(QStringLiteral("山田"));
        d.tabBar()->setCurrentIndex(1);
        edit(d, 1018)->setText(QStringLiteral("会議室"));
        d.tabBar()->setCurrentIndex(0);
        d.tabBar()->setCurrentIndex(2);
        EXPECT_EQ(edit(d, 1004)->text(), QStringLiteral("山田"));
        click(d, 1);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(store.raw(settings::Name), "山田");
    EXPECT_EQ(store.raw(settings::Place(15)), "会議室");
}

TEST_F(PropertiesDialogTest, ReturnTabShowsTheTwoTimesAndStoresOnlyChangedOnes) {
    {
        PropertiesDialog d(store, services);
        EXPECT_EQ(edit(d, 1112)->text(), QStringLiteral("13:00"));
        EXPECT_EQ(edit(d, 1114)->text(), QStringLiteral("17:30"));
        EXPECT_TRUE(run(d, [&] { click(d, 1); }));
        EXPECT_EQ(store.raw(settings::Hiruake), std::nullopt);
        EXPECT_EQ(store.raw(settings::Teiji), std::nullopt);
    }
    PropertiesDialog d(store, services);
    const bool ok = run(d, [&] {
        d.tabBar()->setCurrentIndex(3);
        edit(d, 1114)->setText(QStringLiteral("25:00"));
        click(d, 1);
        EXPECT_TRUE(d.isVisible());  // refused, the dialog stays with what was typed
        EXPECT_EQ(services.messages.back(),
                  QStringLiteral("時刻は 13:00 のように入力してください。"));
        EXPECT_EQ(edit(d, 1114)->selectedText(), QStringLiteral("25:00"));
        edit(d, 1114)->setText(QStringLiteral(" 18:05 "));
        click(d, 1);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(store.raw(settings::Teiji), "18:05");
    EXPECT_EQ(store.raw(settings::Hiruake), std::nullopt);
}

TEST_F(PropertiesDialogTest, TeamTabShowsAndWritesPublishingAndTheChatServices) {
    store.set(settings::TeamBroker, "mqtt://board.example:1883");
    store.set(settings::ChatMattermostServer, "https://chat.example.com");
    store.set(settings::ChatMattermost, true);
    PropertiesDialog d(store, services);
    const bool ok = run(d, [&] {
        d.tabBar()->setCurrentIndex(5);
        EXPECT_EQ(edit(d, 1131)->text(), QStringLiteral("mqtt://board.example:1883"));
        EXPECT_EQ(edit(d, 1139)->text(), QStringLiteral("https://chat.example.com"));
        EXPECT_TRUE(check(d, 1138)->isChecked());
        EXPECT_EQ(edit(d, 1141)->text(), QStringLiteral("https://slack.com"));  // the default
        check(d, 1129)->click();
        edit(d, 1133)->setText(QStringLiteral(" office/3F "));
        check(d, 1138)->click();
        check(d, 1136)->click();
        edit(d, 1137)->setText(QStringLiteral("http://127.0.0.1:8123/hook"));
        click(d, 1);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(store.raw(settings::TeamPublish), "1");
    EXPECT_EQ(store.raw(settings::TeamTopic), "office/3F");
    EXPECT_EQ(store.raw(settings::ChatMattermost), "0");
    EXPECT_EQ(store.raw(settings::ChatWebhook), "1");
    EXPECT_EQ(store.raw(settings::ChatWebhookUrl), "http://127.0.0.1:8123/hook");
    EXPECT_EQ(store.raw(settings::ChatSlackServer), std::nullopt);  // unchanged, unwritten
    EXPECT_EQ(store.raw(settings::TeamPrivateWhere), std::nullopt);
}

TEST_F(PropertiesDialogTest, CalendarTabKeepsSourcesAndSwitchesAndPasswordsOnlyInTheKeyring) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("work.ics"));
    QFile(file).open(QIODevice::WriteOnly);
    const QString url = QStringLiteral("https://dav.example/cal/");
    store.set(settings::CalendarSource(1), file.toStdString());
    services.keyringRuns = false;
    PropertiesDialog d(store, services);
    auto* sources = qobject_cast<QListWidget*>(d.control(1116));
    const bool ok = run(d, [&] {
        d.tabBar()->setCurrentIndex(4);
        EXPECT_EQ(sources->count(), 1);
        // No keyring: said so, and neither the password nor the source is kept.
        edit(d, 1117)->setText(url);
        edit(d, 1119)->setText(QStringLiteral("taro"));
        edit(d, 1121)->setText(QStringLiteral("s3cret-pw"));
        click(d, 1122);
        EXPECT_EQ(sources->count(), 1);
        EXPECT_EQ(services.messages.size(), 1u);
        EXPECT_TRUE(edit(d, 1121)->text().isEmpty());
        services.keyringRuns = true;
        edit(d, 1121)->setText(QStringLiteral("s3cret-pw"));
        click(d, 1122);
        ASSERT_EQ(sources->count(), 2);
        EXPECT_EQ(sources->item(1)->text(), url + QStringLiteral(" (taro)"));
        // A URL carrying its password is refused, not kept.
        edit(d, 1117)->setText(QStringLiteral("https://taro:pw@dav.example/"));
        click(d, 1122);
        EXPECT_EQ(sources->count(), 2);
        sources->setCurrentRow(0);
        click(d, 1124);
        check(d, 1125)->click();
        edit(d, 1128)->setText(QStringLiteral("taro@example.com"));
        click(d, 1);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(services.keptSecrets,
              (std::map<QString, QString>{{QStringLiteral("calendar ") + url, "s3cret-pw"}}));
    EXPECT_EQ(store.raw(settings::CalendarSource(1)), url.toStdString());
    EXPECT_EQ(store.raw(settings::CalendarUser(1)), "taro");
    EXPECT_EQ(store.raw(settings::CalendarSource(2)), std::nullopt);
    EXPECT_EQ(store.raw(settings::CalendarEnabled), "1");
    EXPECT_EQ(store.raw(settings::CalendarShowTitle), std::nullopt);  // unchanged, unwritten
    EXPECT_EQ(store.raw(settings::CalendarAddress), "taro@example.com");
    for (const SettingKey& key : store.writeLog()) {
        EXPECT_EQ(store.snapshot().find(key).value_or("").find("s3cret"), std::string::npos);
    }
}

TEST_F(PropertiesDialogTest, OkWithoutChangesStoresTheDefaults) {
    PropertiesDialog d(store, services);
    EXPECT_TRUE(run(d, [&] { click(d, 1); }));
    EXPECT_EQ(store.raw(settings::Desktop), "1");
    EXPECT_EQ(store.raw(settings::Screen), "0");
    EXPECT_EQ(store.raw(settings::Mojimove), "0");
    EXPECT_EQ(store.raw(settings::Mtype), "0");
    EXPECT_EQ(store.raw(settings::Name), "");
    EXPECT_EQ(store.raw(settings::MemoX(5)), "0");
    EXPECT_EQ(store.writeLog().size(), 45u);
    EXPECT_FALSE(store.raw(settings::Where).has_value());
}

TEST_F(PropertiesDialogTest, CancelWritesNothingButAChosenFontStays) {
    store.set(settings::Name, "山田");
    store.set(settings::Place(2), "食堂");
    store.set(settings::Memo(1), "すぐ戻ります");
    store.clearWriteLog();
    services.fontReplies.push_back(ChosenFont{"IPAPMincho", 180, 400, false, false, false, 0});
    PropertiesDialog d(store, services);
    const bool ok = run(d, [&] {
        edit(d, 1004)->setText(QStringLiteral("鈴木"));
        edit(d, 1005)->setText(QStringLiteral("会議室"));
        edit(d, 1069)->setText(QStringLiteral("外出中"));
        click(d, 1024);
        click(d, 2);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(store.raw(settings::Name), "山田");
    EXPECT_EQ(store.raw(settings::Place(2)), "食堂");
    EXPECT_EQ(store.raw(settings::Memo(1)), "すぐ戻ります");
    EXPECT_EQ(store.raw(settings::Font), "IPAPMincho");
    EXPECT_EQ(store.raw(settings::Size), "180");
    EXPECT_EQ(store.writeLog().size(), 9u);  // the font group only
}

TEST_F(PropertiesDialogTest, EscapeAndTheCloseBoxCloseWithoutWriting) {
    PropertiesDialog d(store, services);
    const bool ok = run(d, [&] {
        edit(d, 1004)->setText(QStringLiteral("鈴木"));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_FALSE(ok);
    EXPECT_TRUE(store.writeLog().empty());

    PropertiesDialog closed(store, services);
    const bool closedOk = run(closed, [&] {
        edit(closed, 1004)->setText(QStringLiteral("鈴木"));
        closed.close();  // the close box
    });
    EXPECT_FALSE(closedOk);
    EXPECT_TRUE(store.writeLog().empty());
}

TEST_F(PropertiesDialogTest, MemoPositionsLandInTheirMemoSection) {
    PropertiesDialog d(store, services);
    run(d, [&] {
        edit(d, 1043)->setText(QStringLiteral(" 600 "));
        edit(d, 1044)->setText(QStringLiteral("-5"));
        click(d, 1);
    });
    EXPECT_EQ(store.raw({"Config/Minf2", "Memo2x"}), "600");
    EXPECT_EQ(store.raw({"Config/Minf2", "Memo2y"}), "-5");
}

TEST_F(PropertiesDialogTest, RadioOutsideItsGroupShowsNoneAndSavesMinusOne) {
    store.set(settings::Mojimove, 9);
    store.set(settings::Screen, 7);
    store.set(settings::Mtype, 2);
    {
        PropertiesDialog d(store, services);
        for (int id = 1073; id <= 1076; ++id)
            EXPECT_FALSE(button(d, id)->isChecked()) << id;
        EXPECT_TRUE(button(d, 1108)->isChecked());
        run(d, [&] { click(d, 1); });
    }
    EXPECT_EQ(store.raw(settings::Mojimove), "-1");
    EXPECT_EQ(store.raw(settings::Screen), "-1");
    EXPECT_EQ(store.raw(settings::Mtype), "2");

    PropertiesDialog d(store, services);
    run(d, [&] {
        button(d, 1075)->click();
        button(d, 1029)->click();
        click(d, 1);
    });
    EXPECT_EQ(store.raw(settings::Mojimove), "2");
    EXPECT_EQ(store.raw(settings::Screen), "3");
}

TEST_F(PropertiesDialogTest, CheckValuesBeyondTwoShowUnchecked) {
    store.set(settings::Riseki, true);
    store.set(settings::Bitshow, 2);
    store.write({integerWrite(settings::Esc, 5)});
    store.write({integerWrite(settings::Desktop, -1)});
    PropertiesDialog d(store, services);
    EXPECT_EQ(check(d, 1031)->checkState(), Qt::Checked);
    EXPECT_EQ(check(d, 1052)->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(check(d, 1072)->checkState(), Qt::Unchecked);
    EXPECT_EQ(check(d, 1055)->checkState(), Qt::Unchecked);
    run(d, [&] { click(d, 1); });
    EXPECT_EQ(store.raw(settings::Riseki), "1");
    EXPECT_EQ(store.raw(settings::Bitshow), "2");
    EXPECT_EQ(store.raw(settings::Esc), "0");
    EXPECT_EQ(store.raw(settings::Desktop), "0");

    // A click on an indeterminate box makes it a plain check box.
    PropertiesDialog again(store, services);
    check(again, 1052)->click();
    EXPECT_EQ(check(again, 1052)->checkState(), Qt::Checked);
    check(again, 1052)->click();
    EXPECT_EQ(check(again, 1052)->checkState(), Qt::Unchecked);
    check(again, 1052)->click();
    EXPECT_EQ(check(again, 1052)->checkState(), Qt::Checked);
}

TEST_F(PropertiesDialogTest, RenamingTheCurrentDestinationLeavesWhere) {
    store.set(settings::Where, "会議室");
    store.set(settings::Place(1), "会議室");
    PropertiesDialog d(store, services);
    EXPECT_EQ(edit(d, 1002)->text(), QStringLiteral("会議室"));
    run(d, [&] {
        edit(d, 1002)->setText(QStringLiteral("第二会議室"));
        click(d, 1);
    });
    EXPECT_EQ(store.raw(settings::Place(1)), "第二会議室");
    EXPECT_EQ(store.raw(settings::Where), "会議室");
}

TEST_F(PropertiesDialogTest, ARefusedPositionIsReportedOnceAndKeepsTheDialogOpen) {
    PropertiesDialog d(store, services);
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    d.tabBar()->setCurrentIndex(2);
    edit(d, 1050)->setText(QString());                // memo 5 y
    edit(d, 1067)->setText(QStringLiteral("12abc"));  // memo 1 x, first in binding order
    edit(d, 1004)->setText(QStringLiteral("鈴木"));
    click(d, 1);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Rejected);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0], QStringLiteral("整数を入力してください。"));
    EXPECT_EQ(QApplication::focusWidget(), d.control(1067));
    EXPECT_EQ(edit(d, 1067)->selectedText(), QStringLiteral("12abc"));
    EXPECT_TRUE(store.writeLog().empty());
    EXPECT_EQ(d.values().texts.at(1004), "");  // the members are untouched too

    for (const char* bad : {"", "abc", "-0", "+0"}) {
        edit(d, 1067)->setText(QString::fromUtf8(bad));
        edit(d, 1050)->setText(QStringLiteral("0"));
        click(d, 1);
        EXPECT_TRUE(d.isVisible()) << bad;
    }
    // Refused while its tab is not shown: the edit takes what is typed once its tab is.
    edit(d, 1067)->setText(QStringLiteral("x"));
    d.tabBar()->setCurrentIndex(0);
    click(d, 1);
    ASSERT_EQ(services.messages.size(), 6u);
    d.tabBar()->setCurrentIndex(2);
    EXPECT_EQ(QApplication::focusWidget(), d.control(1067));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("0"));
    EXPECT_EQ(edit(d, 1067)->text(), QStringLiteral("0"));
    click(d, 1);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(PropertiesDialogTest, APositionTakesOnlyWhatFitsItsEdit) {
    PropertiesDialog d(store, services);
    d.show();
    d.tabBar()->setCurrentIndex(2);
    QLineEdit* x = edit(d, 1067);
    x->clear();
    QTest::keyClicks(x, QStringLiteral("1234567890123"));
    EXPECT_GE(x->text().size(), 2) << x->text().toStdString();
    EXPECT_TRUE(QStringLiteral("1234567890123").startsWith(x->text()));
    EXPECT_LE(x->fontMetrics().horizontalAdvance(x->text()), x->width());
    EXPECT_LT(x->text().size(), 13);
    x->setText(QStringLiteral("-2147483648"));  // a stored value is shown whole
    EXPECT_EQ(x->text(), QStringLiteral("-2147483648"));
}

TEST_F(PropertiesDialogTest, AFailedSaveIsReportedAndKeepsWhatWasTyped) {
    PropertiesDialog d(store, services);
    d.show();
    edit(d, 1004)->setText(QStringLiteral("鈴木"));
    store.failWrites("/home/u/.config/Zelkar/rumo.conf: No space left on device");
    click(d, 1);
    EXPECT_TRUE(d.isVisible());
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0],
              QStringLiteral("設定を保存できませんでした。\n"
                             "/home/u/.config/Zelkar/rumo.conf: No space left on device"));
    EXPECT_EQ(edit(d, 1004)->text(), QStringLiteral("鈴木"));
    EXPECT_EQ(store.raw(settings::Name), std::nullopt);
    // A chooser's own save says so too.
    services.colourReplies.push_back(rgb(1, 2, 3));
    click(d, 1022);
    ASSERT_EQ(services.messages.size(), 2u);
    EXPECT_EQ(services.messages[1], services.messages[0]);

    store.failWrites({});
    click(d, 1);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(store.raw(settings::Name), "鈴木");
}

TEST_F(PropertiesDialogTest, BadStoredValuesOpenAndComeBackUsable) {
    const std::string huge(1 << 20, 'a');
    store.set(settings::Name, huge);
    store.set(settings::Password, std::string("pa\xff\xfess"));
    store.set(settings::Mtype, 9);
    PropertiesDialog d(store, services);
    EXPECT_EQ(edit(d, 1004)->text().size(), 1 << 20);
    run(d, [&] { click(d, 1); });
    EXPECT_EQ(store.raw(settings::Name), huge);
    const std::string password = *store.raw(settings::Password);
    EXPECT_EQ(QString::fromStdString(password).toStdString(), password);  // valid UTF-8 now
    EXPECT_EQ(password.substr(0, 2), "pa");
    EXPECT_EQ(password.substr(password.size() - 2), "ss");
    EXPECT_EQ(store.raw(settings::Mtype), "-1");
}

TEST_F(PropertiesDialogTest, AHugeMemoIsShownInPartAndKeptWholeUnlessEdited) {
    const std::string huge = std::string(3 << 20, 'm') + "end";
    store.set(settings::Memo(1), huge);
    store.set(settings::Memo(2), huge);
    PropertiesDialog d(store, services);
    EXPECT_EQ(edit(d, 1069)->text().size(), 1 << 20);
    run(d, [&] {
        edit(d, 1003)->setText(QStringLiteral("short"));
        click(d, 1);
    });
    EXPECT_EQ(store.raw(settings::Memo(1)), huge);
    EXPECT_EQ(store.raw(settings::Memo(2)), "short");
}

TEST_F(PropertiesDialogTest, MainFontOpensFromTheStoreAndStoresTheChoice) {
    store.set(settings::Size, 245);
    store.set(settings::Bold, true);
    services.fontReplies.push_back(
        ChosenFont{"IPAPGothic", 120, 600, true, true, false, rgb(0, 0, 255)});
    services.fontReplies.push_back(ChosenFont{"IPAPGothic", 120, 800, false, false, false, 0});
    PropertiesDialog d(store, services);
    click(d, 1024);
    ASSERT_EQ(services.fontRequests.size(), 1u);
    const FontRequest& request = services.fontRequests[0];
    EXPECT_EQ(request.face, "ＭＳ Ｐゴシック");
    EXPECT_EQ(request.pointSize, 24);
    EXPECT_EQ(request.height, mulDiv(24, d.logicalDpiY(), 72));
    EXPECT_EQ(request.weight, 700);
    EXPECT_EQ(request.colour, rgb(255, 0, 0));
    EXPECT_EQ(store.raw(settings::Size), "120");
    EXPECT_EQ(store.raw(settings::Bold), "0");
    EXPECT_EQ(store.raw(settings::Italic), "1");
    EXPECT_EQ(store.raw(settings::Torikeshi), "1");
    EXPECT_EQ(store.raw(settings::FColorB), "255");
    click(d, 1024);
    EXPECT_EQ(services.fontRequests[1].colour, rgb(0, 0, 255));
    EXPECT_EQ(store.raw(settings::Bold), "0");
    store.clearWriteLog();
    click(d, 1024);  // cancelled
    EXPECT_TRUE(store.writeLog().empty());
}

TEST_F(PropertiesDialogTest, MemoFourFontWritesOnlyItsOwnKeys) {
    services.fontReplies.push_back(ChosenFont{"IPAMincho", 360, 700, false, false, true, 0});
    PropertiesDialog d(store, services);
    click(d, 1061);
    EXPECT_EQ(services.fontRequests.at(0).face, "ＭＳ Ｐ明朝");
    EXPECT_EQ(services.fontRequests.at(0).colour, rgb(0, 255, 0));
    ASSERT_EQ(store.writeLog().size(), 9u);
    for (const SettingKey& key : store.writeLog())
        EXPECT_EQ(key.section, "Config/Minf4");
    EXPECT_EQ(store.raw(settings::MSize(4)), "360");
    EXPECT_EQ(store.raw(settings::MBold(4)), "1");
    EXPECT_EQ(store.raw(settings::MULine(4)), "1");
}

TEST_F(PropertiesDialogTest, BackgroundColourAlwaysOpensOnBlack) {
    store.set(settings::ColorR, 200);
    services.colourReplies.push_back(rgb(0, 0, 255));
    PropertiesDialog d(store, services);
    click(d, 1022);
    EXPECT_EQ(store.raw(settings::ColorR), "0");
    EXPECT_EQ(store.raw(settings::ColorG), "0");
    EXPECT_EQ(store.raw(settings::ColorB), "255");
    click(d, 1022);  // cancelled
    EXPECT_EQ(services.colourRequests, (std::vector<Colour>{0, 0}));
    EXPECT_EQ(store.raw(settings::ColorB), "255");
}

TEST_F(PropertiesDialogTest, PictureChoosersStoreThePathAtOnce) {
    store.set(settings::Gazo(3), "/pics/room3.jpg");
    const QString longPath = QStringLiteral("/") + QString(300, u'長') + QStringLiteral(".gif");
    services.pictureReplies.push_back(QStringLiteral("/pics/seven.gif"));
    services.pictureReplies.push_back(QStringLiteral("/pics/typed"));
    services.pictureReplies.push_back(std::nullopt);
    services.pictureReplies.push_back(longPath);
    PropertiesDialog d(store, services);
    run(d, [&] {
        click(d, 1083);  // "(7)"
        click(d, 1071);
        click(d, 1079);  // "(3)", cancelled
        click(d, 1001);
        click(d, 2);
    });
    EXPECT_EQ(
        services.pictureRequests,
        (std::vector<QString>{QString(), QString(), QStringLiteral("/pics/room3.jpg"), QString()}));
    EXPECT_EQ(store.raw(settings::Gazo(7)), "/pics/seven.gif");
    EXPECT_EQ(store.raw(settings::Bitmap2), "/pics/typed.bmp");
    EXPECT_EQ(store.raw(settings::Gazo(3)), "/pics/room3.jpg");
    EXPECT_EQ(store.raw(settings::Bitmap), longPath.toStdString());  // whole, not cut
}

TEST_F(PropertiesDialogTest, APictureTheNoticeCannotShowIsRefusedWithAMessage) {
    QTemporaryDir folder;
    QFile png(folder.filePath(QStringLiteral("photo.png")));
    ASSERT_TRUE(png.open(QIODevice::WriteOnly));
    png.write(QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(64, '\0'));
    png.close();
    store.set(settings::Bitmap, "/pics/kept.jpg");
    services.pictureReplies.push_back(png.fileName());
    PropertiesDialog d(store, services);
    click(d, 1001);
    EXPECT_EQ(store.raw(settings::Bitmap), "/pics/kept.jpg");
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_TRUE(services.messages[0].contains(png.fileName()));
}

TEST_F(PropertiesDialogTest, VersionAndHelpButtons) {
    QTemporaryDir folder;
    QFile help(folder.filePath(QStringLiteral("Rumo.html")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    store.set(settings::Path, folder.path().toStdString());
    PropertiesDialog d(store, services);
    click(d, 1025);
    EXPECT_EQ(services.aboutShown, 1);
    click(d, 1109);
    ASSERT_EQ(services.openedDocuments.size(), 1u);
    EXPECT_EQ(services.openedDocuments[0], QUrl::fromLocalFile(help.fileName()));
    EXPECT_TRUE(services.messages.empty());
    // Nothing on the desktop opens documents: the user is told what is missing.
    services.documentViewerInstalled = false;
    click(d, 1109);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_TRUE(services.messages[0].contains(QStringLiteral("xdg-open")));
    services.messages.clear();
    services.openedDocuments.clear();
    services.documentViewerInstalled = true;
    click(d, 1109);

    // Without a help document in Path, the one installed beside the program is opened.
    store.set(settings::Path, "/nonexistent-folder");
    click(d, 1109);
    const QString installed = QCoreApplication::applicationDirPath() + QStringLiteral("/Rumo.html");
    if (QFile::exists(installed)) {
        ASSERT_EQ(services.openedDocuments.size(), 2u);
        EXPECT_EQ(services.openedDocuments[1], QUrl::fromLocalFile(installed));
    } else {
        EXPECT_EQ(services.openedDocuments.size(), 1u);
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_TRUE(services.messages[0].contains(QStringLiteral("Rumo.html")));
    }
}

TEST(AboutDialogTest, ShowsIconVersionAndOk) {
    AboutDialog about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("RUMO?のﾊﾞｰｼﾞｮﾝ情報"));
    bool version = false, icon = false;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        version = version || label->text() == QStringLiteral("RUMO?  Vesion 2.2");
        icon = icon || !label->pixmap().isNull();
    }
    EXPECT_TRUE(version);
    EXPECT_TRUE(icon);
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("control1"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    about.show();
    ok->click();
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST(SystemChooserTest, FontDescriptionsRoundTripThroughTheToolkit) {
    installJapaneseFaceSubstitutions();  // as the program does at its start
    FontRequest request;
    request.face = "ＭＳ Ｐゴシック";
    request.pointSize = 24;
    request.weight = 700;
    request.underline = true;
    const QFont font = chooserFont(request);
    EXPECT_TRUE(QFontDatabase::families().contains(font.family())) << font.family().toStdString();
    EXPECT_EQ(font.pointSize(), 24);
    EXPECT_TRUE(font.underline());

    FontColourDialog dialog;
    dialog.setCurrentFont(font);
    dialog.setColour(QColor(0, 0, 255));
    const ChosenFont chosen = chosenFontOf(dialog.currentFont(), dialog.colour());
    EXPECT_EQ(chosen.tenthsOfPoint, 240);
    EXPECT_EQ(chosen.face, font.family().toStdString());
    EXPECT_EQ(chosen.colour, rgb(0, 0, 255));
    EXPECT_TRUE(chosen.underline);
    // The IPA faces have only a regular style; bold and italic are synthesised, and offered.
    EXPECT_EQ(chosen.weight, 700);
    EXPECT_FALSE(chosen.italic);
    for (bool bold : {false, true}) {
        for (bool italic : {false, true}) {
            QFont styled = font;
            styled.setBold(bold);
            styled.setItalic(italic);
            dialog.setCurrentFont(styled);
            EXPECT_EQ(dialog.currentFont().bold(), bold) << bold << italic;
            EXPECT_EQ(dialog.currentFont().italic(), italic) << bold << italic;
            EXPECT_EQ(dialog.currentFont().pointSize(), 24);
            EXPECT_EQ(dialog.currentFont().family(), font.family());
        }
    }
}

TEST(SystemChooserTest, AFaceWithStylesOfItsOwnComesBackAsItWasGiven) {
    // The interface is Japanese, so the toolkit asks for its styles by their Japanese names.
    QTranslator translator;
    ASSERT_TRUE(translator.load(QLocale(QLocale::Japanese, QLocale::Japan),
                                QStringLiteral("qtbase"), QStringLiteral("_"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QCoreApplication::installTranslator(&translator);
    const QString family = QStringLiteral("DejaVu Sans");  // Book, Bold, Oblique, Condensed, ...
    ASSERT_GE(QFontDatabase::styles(family).size(), 4) << "fonts-dejavu-extra is missing";
    FontColourDialog dialog;
    for (bool bold : {false, true}) {
        for (bool italic : {false, true}) {
            QFont font(family, 14);
            font.setBold(bold);
            font.setItalic(italic);
            dialog.setCurrentFont(font);
            const ChosenFont chosen = chosenFontOf(dialog.currentFont(), Qt::black);
            EXPECT_EQ(chosen.face, "DejaVu Sans");
            EXPECT_EQ(chosen.weight, bold ? 700 : 400) << bold << italic;
            EXPECT_EQ(chosen.italic, italic) << bold << italic;
        }
    }
    QCoreApplication::removeTranslator(&translator);
}

TEST(SystemChooserTest, EscAndEnterAnswerTheChooserWhereverTheFocusIs) {
    for (const auto& [key, result] : {std::pair{Qt::Key_Escape, QDialog::Rejected},
                                      std::pair{Qt::Key_Return, QDialog::Accepted}}) {
        FontColourDialog dialog;
        dialog.show();
        QLineEdit* sizeEdit = nullptr;  // the one edit of the toolkit's dialog a user types into
        for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
            if (!edit->isReadOnly() && edit->objectName().isEmpty()) {
                sizeEdit = edit;
            }
        }
        ASSERT_NE(sizeEdit, nullptr);
        QTest::keyClick(sizeEdit, key);
        EXPECT_FALSE(dialog.isVisible()) << key;
        EXPECT_EQ(dialog.result(), result) << key;
    }
}

// The names the picture chooser lists in its folder, once the folder has been read.
QStringList listedNames(QFileDialog& dialog, int expected) {
    auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    if (view == nullptr) {
        return {};
    }
    QStringList names;
    for (int waited = 0; waited < 10000; waited += 20) {
        names.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            names << view->model()->index(row, 0, root).data().toString();
        }
        if (names.size() >= expected) {
            break;
        }
        QTest::qWait(20);
    }
    names.sort();
    return names;
}

TEST(SystemChooserTest, PictureChooserListsPicturesWhateverTheirCase) {
    QTemporaryDir folder;
    for (const char* name :
         {"PHOTO.JPG", "logo.bmp", "Anim.Gif", "notes.txt", "scan.jpeg", "shot.JPE"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString stored = folder.filePath(QStringLiteral("logo.bmp"));
    const std::unique_ptr<QFileDialog> dialog = makePictureChooser(nullptr, stored);
    // One entry, as the user sees it.
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 1);
    EXPECT_EQ(types->itemText(0), QStringLiteral("BMPﾌｧｲﾙ;JPGﾌｧｲﾙ;GIFﾌｧｲﾙ (*.bmp *.jpg *.gif)"));
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("bmp"));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);  // a typed name need not exist
    // A desktop's own chooser (GTK's) would match "*.jpg" against PHOTO.JPG case-sensitively.
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
    dialog->show();
    EXPECT_EQ(listedNames(*dialog, 5),
              (QStringList{QStringLiteral("Anim.Gif"), QStringLiteral("PHOTO.JPG"),
                           QStringLiteral("logo.bmp"), QStringLiteral("scan.jpeg"),
                           QStringLiteral("shot.JPE")}));
    EXPECT_EQ(QFileInfo(dialog->selectedFiles().value(0)).fileName(), QStringLiteral("logo.bmp"));
}

}  // namespace
}  // namespace rumo

namespace rumo {
namespace {

// Every caption fits its control in the dialog font, on both dialogs.
TEST(TemplateLayoutTest, CaptionsAreNotCut) {
    MemoryStore store;
    FakeDialogServices services;
    PropertiesDialog properties(store, services);
    AboutDialog about;
    for (QDialog* dialog : {static_cast<QDialog*>(&properties), static_cast<QDialog*>(&about)}) {
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (qobject_cast<QTabBar*>(w->parentWidget())) {
                continue;  // the strip's own arrows, never shown: the strip fits its tabs
            }
            int needed = 0;
            if (auto* bar = qobject_cast<QTabBar*>(w)) {
                needed = bar->sizeHint().width();  // every tab in sight
            } else if (auto* push = qobject_cast<QPushButton*>(w)) {
                // A push button's size hint has a style minimum; its text is what must fit.
                needed = push->fontMetrics().horizontalAdvance(push->text()) + 4;
            } else if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
                needed = w->sizeHint().width() - 2;  // the hint keeps room for the focus frame
            }
            EXPECT_LE(needed, w->width()) << w->objectName().toStdString();
        }
    }
}

}  // namespace
}  // namespace rumo

namespace rumo {
namespace {

// The help document shipped beside the program explains every setting and every menu item.
// Each help page names every setting and menu item as its language shows them.
TEST(HelpDocumentTest, NamesEverySettingAndMenuItem) {
    std::vector<std::pair<const char*, const char*>> wanted = {
        {"PropertiesDialog", "Display"},   {"PropertiesDialog", "Places"},
        {"PropertiesDialog", "Memos"},     {"PropertiesDialog", "Return"},
        {"PropertiesDialog", "Calendar"},  {"PropertiesDialog", "Team"},
        {"TrayMenu", "Start away notice"}, {"TrayMenu", "Start screen saver"},
        {"TrayMenu", "Screen saver"},      {"TrayMenu", "Properties"},
        {"TrayMenu", "Team board"},        {"TrayMenu", "Display settings"},
        {"TrayMenu", "Exit RUMO?"},        {"PropertiesDialog", "Please enter an integer."}};
    for (const ControlDef& c : propertiesTemplate().controls) {
        if (!c.caption.empty() && !c.caption.starts_with('(') && c.id != 1 && c.id != 2) {
            wanted.emplace_back("PropertiesDialog", c.caption.data());
        }
    }
    for (const char* page :
         {RUMO_BINARY_DIR "/Rumo.html", RUMO_SOURCE_DIR "/resources/help/Rumo.en.html"}) {
        QFile file(QString::fromUtf8(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page;
        const QString help = QString::fromUtf8(file.readAll());
        const bool japanese = QString::fromUtf8(page).endsWith(QStringLiteral("/Rumo.html"));
        for (const auto& [context, source] : wanted) {
            const QString text =
                japanese ? QCoreApplication::translate(context, source) : QString::fromUtf8(source);
            EXPECT_TRUE(help.contains(text)) << page << ": " << text.toStdString();
        }
    }
}

}  // namespace
}  // namespace rumo

namespace rumo {
namespace {

// A second properties command while the dialog runs opens no second dialog.
TEST(OpenPropertiesTest, OneDialogAtATime) {
    MemoryStore store;
    int dialogsSeen = 0;
    auto countAndClose = [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<PropertiesDialog*>(w); dialog && dialog->isVisible()) {
                ++dialogsSeen;
                dialog->reject();
            }
        }
    };
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, countAndClose);  // runs in whichever dialog loop is innermost
        openProperties(store, nullptr);
    });
    openProperties(store, nullptr);
    EXPECT_EQ(dialogsSeen, 1);
    EXPECT_TRUE(store.writeLog().empty());
}

}  // namespace
}  // namespace rumo
