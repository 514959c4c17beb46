#include "platform/screen_savers.h"

#include <QDir>
#include <QFileInfo>

namespace rumo {

QString screenSaverDirectory() {
    // Debian and Fedora put the hacks in libexec, older and other systems below lib.
    for (const char* candidate : {"/usr/libexec/xscreensaver", "/usr/lib/xscreensaver",
                                  "/usr/local/libexec/xscreensaver", "/usr/lib64/xscreensaver"}) {
        const QString path = QString::fromLatin1(candidate);
        if (QFileInfo(path).isDir()) {
            return path;
        }
    }
    return {};
}

std::vector<std::string> listScreenSavers(const QString& directory) {
    std::vector<std::string> names;
    if (directory.isEmpty()) {
        return names;
    }
    const QFileInfoList entries =
        QDir(directory).entryInfoList(QDir::Files | QDir::Executable, QDir::Name);
    for (const QFileInfo& entry : entries) {
        // The package's own helpers (image and text grabbers) share the directory.
        if (entry.fileName().startsWith(QStringLiteral("xscreensaver-"))) {
            continue;
        }
        names.push_back(entry.fileName().toStdString());
    }
    return names;
}

}  // namespace rumo
