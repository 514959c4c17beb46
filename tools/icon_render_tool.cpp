// rumo-icon-render: writes the icon theme's PNG sizes from the program's own drawing, so the
// installed icons and the ones the program shows are the same picture.
// Usage: rumo-icon-render <hicolor folder> <size>...
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "common/app_icon.h"

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: rumo-icon-render <hicolor folder> <size>...\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0) {
            std::fprintf(stderr, "rumo-icon-render: not a size: %s\n", argv[i]);
            return 2;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = root.filePath(folder + QStringLiteral("/rumo.png"));
        if (!root.mkpath(folder) || !rumo::renderAppIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "rumo-icon-render: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
