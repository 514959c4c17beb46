#include "bar/resident.h"

#include <QApplication>
#include <QSystemTrayIcon>

#include "bar/launcher.h"
#include "bar/where_bar.h"
#include "platform/activation_channel.h"

namespace rumo {

int runResidentBar(SettingsStore& store) {
    // The bar hides rather than closes, and dialogs opened from it close while it is hidden:
    // neither may end the process.
    QApplication::setQuitOnLastWindowClosed(false);
    ProcessLauncher launcher;
    WhereBar bar(store, desktopEnvironment(launcher));

    // A later start asks for the bar; it answers only where no notification icon offers a way
    // back, otherwise a second start stays silent.
    ActivationListener listener;
    QObject::connect(&listener, &ActivationListener::showRequested, &bar, [&bar] {
        if (!QSystemTrayIcon::isSystemTrayAvailable()) {
            bar.bringBack();
        }
    });
    listener.listen();
    return bar.run();
}

}  // namespace rumo
