// rumo-render: draws the notice as the program would show it, from a settings file, into a PNG.
//   rumo-render [--app NAME] [--size WxH] [--scale R] [--at EPOCH|"YYYY-MM-DD HH:MM"]
//               [--elapsed SECONDS] [--frames N] OUT.png
// The settings are those of NAME (default rumo) under XDG_CONFIG_HOME, like the program's own.
// --at is the moment of the frame (default now; seconds since the epoch, or the local time), which
// is also the moment the notice starts: where the calendar sets the destination, the notice shows
// what the calendar gives then. The texts are in the locale's language. --elapsed the seconds
// since the notice first
// painted (default 0), --frames the number of frames drawn, the paint's first (default 1), --scale
// the device pixel ratio of a HiDPI screen (the picture is WxH times R pixels; default 1).
#include <QDateTime>
#include <QGuiApplication>
#include <cstdio>

#include "common/ui_translations.h"
#include "screen/notice_render.h"
#include "screen/starting_scene.h"
#include "settings/file_settings_store.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: rumo-render [--app NAME] [--size WxH] [--scale R]"
                 " [--at EPOCH|\"YYYY-MM-DD HH:MM\"] [--elapsed SECONDS] [--frames N] OUT.png\n");
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    rumo::installUiTranslations();  // the notice's texts in the locale's language
    const QStringList args = app.arguments().mid(1);
    QString appName = QStringLiteral("rumo");
    QString output;
    rumo::RenderRequest request;
    request.now = QDateTime::currentSecsSinceEpoch();
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        bool ok = true;
        if (arg == QStringLiteral("--app") && hasValue) {
            appName = args[++i];
        } else if (arg == QStringLiteral("--size") && hasValue) {
            const QStringList parts = args[++i].split(QLatin1Char('x'));
            bool okW = false, okH = false;
            if (parts.size() == 2) {
                request.size = QSize(parts[0].toInt(&okW), parts[1].toInt(&okH));
            }
            ok = okW && okH && request.size.width() > 0 && request.size.height() > 0 &&
                 request.size.width() <= 16384 && request.size.height() <= 16384;
        } else if (arg == QStringLiteral("--scale") && hasValue) {
            request.devicePixelRatio = args[++i].toDouble(&ok);
            ok = ok && request.devicePixelRatio >= 0.25 && request.devicePixelRatio <= 4;
        } else if (arg == QStringLiteral("--at") && hasValue) {
            const QString at = args[++i];
            request.now = at.toLongLong(&ok);
            if (!ok) {
                const QDateTime local =
                    QDateTime::fromString(at, QStringLiteral("yyyy-MM-dd HH:mm"));
                ok = local.isValid();
                request.now = local.toSecsSinceEpoch();
            }
        } else if (arg == QStringLiteral("--elapsed") && hasValue) {
            request.elapsed = args[++i].toLongLong(&ok);
        } else if (arg == QStringLiteral("--frames") && hasValue) {
            request.frames = args[++i].toInt(&ok);
            ok = ok && request.frames >= 1 && request.frames <= 100000;
        } else if (!arg.startsWith(QStringLiteral("--")) && output.isEmpty()) {
            output = arg;
        } else {
            ok = false;
        }
        if (!ok) {
            return usage();
        }
    }
    const QSize device = request.size * request.devicePixelRatio;
    if (output.isEmpty() || device.width() > 16384 || device.height() > 16384) {
        return usage();
    }
    rumo::FileSettingsStore store(appName);
    request.pictures = rumo::standardPictureRules();
    const QImage image = rumo::renderNotice(rumo::loadStartingScene(store, request.now), request);
    if (!image.save(output, "PNG")) {
        std::fprintf(stderr, "rumo-render: cannot write %s\n", output.toUtf8().constData());
        return 1;
    }
    return 0;
}
