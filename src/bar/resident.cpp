#include "bar/resident.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdio>

#include "bar/launcher.h"
#include "bar/where_bar.h"
#include "calendar/calendar_feed.h"
#include "platform/activation_channel.h"
#include "settings/file_settings_store.h"
#include "team/chat_relay.h"
#include "team/team_publisher.h"

namespace rumo {

int runResidentBar(SettingsStore& store, const std::string& childSessionBus) {
    // The bar hides rather than closes, and dialogs opened from it close while it is hidden:
    // neither may end the process.
    QApplication::setQuitOnLastWindowClosed(false);
    ProcessLauncher launcher(childSessionBus);
    BarEnvironment environment = desktopEnvironment(launcher);
    if (const auto* file = dynamic_cast<const FileSettingsStore*>(&store)) {
        environment.settingsFile = file->filePath().toStdString();
    }
    const QString settingsFile = QString::fromStdString(environment.settingsFile);
    WhereBar bar(store, std::move(environment));
    // The team sees the user's state only once they have turned publishing on.
    TeamPublisher publisher(store, settingsFile);
    // The chat statuses follow the same state; a failure is told in the icon's balloon where
    // there is one, and always on standard error.
    ChatRelay chat(store, settingsFile, [&bar](const QString& text) {
        std::fprintf(stderr, "rumo: %s\n", qPrintable(text));
        if (QSystemTrayIcon* tray = bar.trayIcon(); tray != nullptr && tray->isVisible()) {
            tray->showMessage(QStringLiteral("RUMO?"), text, QSystemTrayIcon::Warning);
        }
    });
    QObject::connect(&publisher, &TeamPublisher::statusChanged, &chat, &ChatRelay::follow);
    chat.follow(publisher.current());

    // A later start (from the menu, a hotkey, a script) asks for the bar and gets it, in front:
    // some desktops give the icon no double click, and a user who cannot find the icon is not
    // left without the bar.
    ActivationListener listener;
    QObject::connect(&listener, &ActivationListener::showRequested, &bar,
                     &WhereBar::bringBackForLaunch);
    listener.listen();

    // The calendar is fetched in the background into its kept copies; a source that cannot be
    // read is told once through the icon, not at every fetch.
    CalendarFeed calendar(store);
    QObject::connect(
        &calendar, &CalendarFeed::sourceFailed, &bar,
        [&bar](const QString& title, const QString& message) {
            QSystemTrayIcon* icon = bar.trayIcon();
            if (icon && icon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable()) {
                icon->showMessage(title, message, QSystemTrayIcon::Warning);
            } else {
                std::fprintf(stderr, "rumo: %s\n", qPrintable(message));
            }
        });
    // What was fetched shows at once as the first entry of the bar's list and of the menu.
    QObject::connect(&calendar, &CalendarFeed::updated, &bar, &WhereBar::refreshCalendar);
    QTimer::singleShot(0, &calendar, &CalendarFeed::start);
    return bar.run();
}

}  // namespace rumo
