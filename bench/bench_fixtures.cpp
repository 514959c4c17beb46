#include "bench_fixtures.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

QString largeJpeg() {
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath(QStringLiteral("photo-6000x4000.jpg"));
        QImage image(6000, 4000, QImage::Format_RGB32);
        QRandomGenerator grain(42);
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int n = int(grain.bounded(24));
                row[x] = qRgb((x / 24 + n) & 255, (y / 16 + n) & 255, ((x + y) / 40) & 255);
            }
        }
        return folder.isValid() && image.save(file, "jpeg", 90) ? file : QString();
    }();
    return path;
}

int runBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
