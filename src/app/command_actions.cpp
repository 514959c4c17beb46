#include "app/command_actions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

#include "app/autostart_entry.h"
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

int applyAutostart(bool on, const QString& applicationName) {
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
    const std::string entry = autostartEntry(QCoreApplication::applicationFilePath().toStdString());
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
    if (!store.set(settings::Where, where.toStdString())) {
        complain(QStringLiteral("cannot store the destination in the settings"));
        return false;
    }
    return true;
}

bool storeBack(SettingsStore& store, const BackRequest& request, const LocalDateTime& now) {
    const WriteStatus status = storeReturnTime(store, resolveBack(request, now));
    if (!status.ok()) {
        complain(QStringLiteral("cannot store the return time in the settings: %1")
                     .arg(QString::fromStdString(status.error)));
        return false;
    }
    return true;
}

}  // namespace rumo
