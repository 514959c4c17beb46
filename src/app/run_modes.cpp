#include "app/run_modes.h"

#include <QApplication>
#include <QDateTime>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bar/resident.h"
#include "common/task_pool.h"
#include "platform/activation_channel.h"
#include "platform/bus_thread.h"
#include "platform/instance_guard.h"
#include "platform/native_window.h"
#include "platform/screen_saver_inhibitor.h"
#include "platform/session_bus_probe.h"
#include "platform/xscreensaver_nudge.h"
#include "screen/frame_scale.h"
#include "screen/notice_pictures.h"
#include "screen/notice_session.h"
#include "screen/notice_view.h"
#include "settings/return_setting.h"
#include "team/notice_link.h"

namespace rumo {

namespace {

// Qt asks the session bus from the windows' thread, and waits for it: for the notification
// area's host when the icon is made, for the accessibility bridge when the bar shows. A bus that
// accepts and never answers would leave the bar unpainted and deaf to the mouse, so when it has
// not answered in a second, this process goes without it: the icon goes to an XEmbed notification
// area where there is one, and the bar works as ever. Programs the bar starts get the bus the
// desktop gave, and judge it themselves. Returns that bus's address; empty when it is kept.
std::string keepOffASilentSessionBus() {
    if (sessionBusResponds(std::chrono::milliseconds(1000))) {
        return {};
    }
    std::string given = qgetenv("DBUS_SESSION_BUS_ADDRESS").toStdString();
    std::fprintf(stderr, "rumo: the session bus does not answer; going on without it\n");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/dev/null");
    return given;
}

}  // namespace

int runResident(SettingsStore& store) {
    InstanceGuard guard;
    switch (guard.acquire()) {
        case InstanceGuard::Outcome::Held:
            return runResidentBar(store, keepOffASilentSessionBus());
        case InstanceGuard::Outcome::HeldElsewhere:
            // Another resident process runs: it shows its bar and comes to the front.
            requestRunningBarShown();
            return 0;
        case InstanceGuard::Outcome::Unusable:
            break;
    }
    // Without the lock nothing tells whether another resident runs, and two would fight over
    // the icon and the settings.
    std::fprintf(stderr, "rumo: not starting the resident bar without its lock\n");
    return 1;
}

namespace {

// The threads that read and decode the notice's pictures. Any file may be on a file system that
// stops answering: with three, the foreground, the background and the next slide can each be
// stuck without keeping the others from loading, and however many files hang, no more threads
// than these are ever tied up.
constexpr int kPictureThreads = 3;
// Loads told to stop end at their next read: this is ample for them.
constexpr std::chrono::milliseconds kPictureLoadsGrace(1000);

// The notice's pictures still loading are told to stop and waited for. A load still busy after
// the grace is blocked in a read that its file system never answers, where no stop reaches it;
// the process then ends at once rather than running its exit handlers (Qt's image plugins
// unloaded among them) beside a thread that may wake up inside them. A session bus that does not
// answer is not waited for either.
int finish(int status, TaskPool& pictureLoads, bool busSettled = true) {
    if (!pictureLoads.finish(kPictureLoadsGrace) || !busSettled) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}

// Qt's accessibility bridge asks the session bus from the windows' thread when the first window
// shows. When the bus has not answered our own thread in a fraction of a second, the bridge is
// pointed at no bus at all rather than left to freeze the notice (assistive tools cannot be
// reached over such a bus anyway).
void keepAccessibilityOffASilentBus() {
    if (!BusThread::sessionAnswered(std::chrono::milliseconds(250)) &&
        qEnvironmentVariableIsEmpty("AT_SPI_BUS_ADDRESS")) {
        qputenv("AT_SPI_BUS_ADDRESS", "unix:path=/dev/null");
    }
}

}  // namespace

int runSaver(SettingsStore& store) {
    // One notice at a time: a second start leaves the one showing, and its away time, alone.
    // Without a usable lock the notice shows all the same: a second one is the lesser harm.
    InstanceGuard oneNotice({}, InstanceGuard::noticeLockName());
    if (oneNotice.acquire() == InstanceGuard::Outcome::HeldElsewhere) {
        return 0;
    }
    // The resident, where one runs, tells the team (and the chat) for as long as this shows.
    NoticeAnnouncer announcer(QDateTime::currentSecsSinceEpoch());
    TaskPool pictureLoads(kPictureThreads);
    NoticeSession notice(store);
    notice.setPictureRules(standardPictureRules(&pictureLoads));
    ScreenSaverInhibitor inhibitor;
    inhibitor.inhibit();
    XScreenSaverNudge xscreensaver;
    xscreensaver.start();
    // Told while it has locked the screen, XScreenSaver would ask for the password at once.
    QObject::connect(&notice, &NoticeSession::lockerHoldsScreen, &xscreensaver,
                     [&xscreensaver](bool locked) {
                         if (locked) {
                             xscreensaver.stop();
                         } else {
                             xscreensaver.start();
                         }
                     });
    keepAccessibilityOffASilentBus();
    notice.show();
    const int status = QApplication::exec();
    // The notice ends only when its user is back: by their own input, or by their unlocking the
    // desktop that had locked over it. The return time they had set is over.
    if (status == 0) {
        storeReturnTime(store, std::nullopt);
    }
    return finish(status, pictureLoads, inhibitor.release());
}

int runPreview(SettingsStore& store, std::uint64_t parentWindow) {
    const std::optional<QSize> size = nativeWindowSize(parentWindow);
    if (!size) {
        std::fprintf(stderr, "rumo: no window %llu (0x%llx) to draw the preview into\n",
                     static_cast<unsigned long long>(parentWindow),
                     static_cast<unsigned long long>(parentWindow));
        return 2;
    }
    QWindow* parent = QWindow::fromWinId(static_cast<WId>(parentWindow));
    TaskPool pictureLoads(kPictureThreads);
    NoticeView preview(store);
    preview.setPictureRules(standardPictureRules(&pictureLoads));
    preview.setAttribute(Qt::WA_NativeWindow);
    preview.winId();
    preview.windowHandle()->setParent(parent);
    // The host's size comes in device pixels; the notice is laid out in logical ones, so on a
    // HiDPI screen it looks as at 1x, only sharper.
    const auto logicalSize = [&preview](QSize device) {
        const qreal ratio = preview.windowHandle()->devicePixelRatio();
        return QSize(toLogicalCovering(device.width(), ratio),
                     toLogicalCovering(device.height(), ratio));
    };
    preview.setGeometry(QRect(QPoint(0, 0), logicalSize(*size)));
    preview.show();

    // The host owns the preview's window: when it goes away the preview ends, and it follows the
    // host's size while it lives.
    QTimer hostWatch;
    QObject::connect(&hostWatch, &QTimer::timeout, &preview, [&preview, parentWindow, logicalSize] {
        const std::optional<QSize> hostSize = nativeWindowSize(parentWindow);
        if (!hostSize) {
            QCoreApplication::exit(0);
        } else if (logicalSize(*hostSize) != preview.size()) {
            preview.setGeometry(QRect(QPoint(0, 0), logicalSize(*hostSize)));
        }
    });
    hostWatch.start(500);
    return finish(QApplication::exec(), pictureLoads);
}

}  // namespace rumo
