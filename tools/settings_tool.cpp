// rumo-settings: reads and writes single settings through the program's own store.
//   rumo-settings [--app NAME] get SECTION KEY
//   rumo-settings [--app NAME] set SECTION KEY TEXT
//   rumo-settings [--app NAME] set-int SECTION KEY NUMBER
//   rumo-settings [--app NAME] fill SECTION PREFIX COUNT   (writes PREFIX1..PREFIXn = n)
//   rumo-settings [--app NAME] path
#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "settings/file_settings_store.h"
#include "settings/int_text.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: rumo-settings [--app NAME] get SECTION KEY | set SECTION KEY TEXT |"
                 " set-int SECTION KEY NUMBER | fill SECTION PREFIX COUNT | path\n");
    return 2;
}

int reported(const rumo::WriteStatus& status) {
    if (status.ok()) {
        return 0;
    }
    std::fprintf(stderr, "rumo-settings: %s\n", status.error.c_str());
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString appName = QStringLiteral("rumo");
    if (args.size() >= 2 && args[0] == QStringLiteral("--app")) {
        appName = args[1];
        args = args.mid(2);
    }
    if (args.isEmpty()) {
        return usage();
    }
    rumo::FileSettingsStore store(appName);
    const QString command = args[0];
    if (command == QStringLiteral("path") && args.size() == 1) {
        std::printf("%s\n", store.filePath().toUtf8().constData());
        return 0;
    }
    if (args.size() < 3) {
        return usage();
    }
    const rumo::SettingKey key{args[1].toStdString(), args[2].toStdString()};
    if (command == QStringLiteral("get") && args.size() == 3) {
        std::printf("%s\n", store.snapshot().find(key).value_or("").c_str());
        return 0;
    }
    if (command == QStringLiteral("set") && args.size() == 4) {
        return reported(store.write({{key, args[3].toStdString()}}));
    }
    if (command == QStringLiteral("set-int") && args.size() == 4) {
        const auto value = rumo::parseStoredInt(args[3].toStdString());
        if (!value) {
            return usage();
        }
        return reported(store.write({{key, std::to_string(*value)}}));
    }
    if (command == QStringLiteral("fill") && args.size() == 4) {
        const auto count = rumo::parseStoredInt(args[3].toStdString());
        if (!count || *count < 0) {
            return usage();
        }
        for (int n = 1; n <= *count; ++n) {
            const rumo::SettingKey numbered{key.section, key.key + std::to_string(n)};
            if (reported(store.write({{numbered, std::to_string(n)}})) != 0) {
                return 1;
            }
        }
        return 0;
    }
    return usage();
}
