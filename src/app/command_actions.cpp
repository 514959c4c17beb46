#include "app/command_actions.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <climits>
#include <cstdio>

#include "app/autostart_entry.h"
#include "calendar/hand_pick.h"
#include "common/qt_values.h"
#include "settings/return_setting.h"
#include "settings/schema.h"
#include "settings/settings_store.h"

namespace rumo {

namespace {

void complain(const QString& line) {
    std::fprintf(stderr, "rumo: %s\n", qPrintable(line));
}

}  // namespace

std::string programFilePath(const QString& reported) {
    if (!reported.isEmpty()) {
        return QFile::encodeName(reported).toStdString();
    }
    std::string path(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) {
        return {};
    }
    path.resize(static_cast<std::size_t>(length));
    return path;
}

int applyAutostart(bool on, const QString& applicationName, const std::string& executable) {
    const QString path =
        qtText(autostartEntryPath(qgetenv("XDG_CONFIG_HOME").toStdString(),
                                  qgetenv("HOME").toStdString(), applicationName.toStdString()));
    if (path.isEmpty()) {
        complain(QStringLiteral("no configuration folder: set HOME or XDG_CONFIG_HOME"));
        return 1;
    }
    if (!on) {
        if (QFile::exists(path) && !QFile::remove(path)) {
            complain(QStringLiteral("cannot remove %1").arg(path));
            return 1;
        }
        return 0;
    }
    const std::string entry = autostartEntry(executable);
    if (entry.empty()) {
        complain(executable.empty()
                     ? QStringLiteral("cannot tell where this program is; no log-in entry written")
                     : QStringLiteral("this program's path is not UTF-8, which a log-in entry "
                                      "cannot hold; no log-in entry written"));
        return 1;
    }
    QSaveFile file(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly) ||
        file.write(entry.data(), static_cast<qint64>(entry.size())) !=
            static_cast<qint64>(entry.size()) ||
        !file.commit()) {
        complain(QStringLiteral("cannot write %1").arg(path));
        return 1;
    }
    return 0;
}

bool storeWhere(SettingsStore& store, const QString& where) {
    // A destination given by hand is not overridden by the calendar for a while.
    if (!store
             .write({textWrite(settings::Where, where.toStdString()),
                     handPickWrite(QDateTime::currentSecsSinceEpoch())})
             .ok()) {
        complain(QStringLiteral("cannot store the destination in the settings"));
        return false;
    }
    return true;
}

bool storeBack(SettingsStore& store, const BackRequest& request, const LocalDateTime& now) {
    WriteStatus status = storeReturnTime(store, resolveBack(request, now));
    if (status.ok()) {
        status = recordHandPick(store, QDateTime::currentSecsSinceEpoch());
    }
    if (!status.ok()) {
        complain(QStringLiteral("cannot store the return time in the settings: %1")
                     .arg(QString::fromStdString(status.error)));
        return false;
    }
    return true;
}

}  // namespace rumo
