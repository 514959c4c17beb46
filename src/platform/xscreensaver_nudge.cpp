#include "platform/xscreensaver_nudge.h"

#include <QProcess>
#include <QStandardPaths>

namespace rumo {

namespace {

// The daemon's shortest timeout is one minute; well below it, and soon after the start.
constexpr int kNudgeIntervalMs = 30'000;

}  // namespace

XScreenSaverNudge::XScreenSaverNudge(QObject* parent) : QObject(parent) {
    timer_.setInterval(kNudgeIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &XScreenSaverNudge::nudge);
}

void XScreenSaverNudge::start() {
    command_ = QStandardPaths::findExecutable(QStringLiteral("xscreensaver-command"));
    if (command_.isEmpty()) {
        return;
    }
    nudge();
    timer_.start();
}

void XScreenSaverNudge::stop() {
    timer_.stop();
}

void XScreenSaverNudge::nudge() {
    // Detached: the notice never waits for the daemon's answer; and silent, since where no
    // daemon runs the command only says so.
    QProcess process;
    process.setProgram(command_);
    process.setArguments({QStringLiteral("-deactivate")});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
}

}  // namespace rumo
