// Cost of preparing a large photo for the notice: decoding a 6000 x 4000 JPEG straight to the
// part and size a 1920 x 1080 screen shows, against decoding it whole.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>

#include "bench_fixtures.h"
#include "screen/picture_decoder.h"

namespace {

const QSize kScreen(1920, 1080);

void BM_DecodeLargeJpeg(benchmark::State& state) {
    const QString path = largeJpeg();
    qint64 bytes = 0;
    for (auto _ : state) {
        auto picture = rumo::decodePicture(path, kScreen, true);
        if (!picture) {
            state.SkipWithError("decoding failed");
            return;
        }
        bytes = picture->image.sizeInBytes();
        benchmark::DoNotOptimize(picture->image.constBits());
    }
    state.counters["image_bytes"] = double(bytes);
}
BENCHMARK(BM_DecodeLargeJpeg)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DecodeLargeJpegBackground(benchmark::State& state) {
    const QString path = largeJpeg();
    qint64 bytes = 0;
    for (auto _ : state) {
        auto picture = rumo::decodePicture(path, kScreen, false);
        if (!picture) {
            state.SkipWithError("decoding failed");
            return;
        }
        bytes = picture->image.sizeInBytes();
    }
    state.counters["image_bytes"] = double(bytes);
}
BENCHMARK(BM_DecodeLargeJpegBackground)->Unit(benchmark::kMillisecond)->Iterations(5);

// What a decoder that keeps the picture at its own size would pay.
void BM_DecodeLargeJpegWhole(benchmark::State& state) {
    const QString path = largeJpeg();
    qint64 bytes = 0;
    for (auto _ : state) {
        QImageReader reader(path, "jpeg");
        reader.setAllocationLimit(256);
        QImage image = reader.read();
        image.convertTo(QImage::Format_RGB32);
        bytes = image.sizeInBytes();
    }
    state.counters["image_bytes"] = double(bytes);
}
BENCHMARK(BM_DecodeLargeJpegWhole)->Unit(benchmark::kMillisecond)->Iterations(3);

// Drawing a prepared foreground onto a 1920 x 1080 frame: the large photo, prepared, should cost
// what an 800 x 600 picture costs.
void copyPrepared(benchmark::State& state, const QImage& image) {
    QImage frame(kScreen, QImage::Format_RGB32);
    frame.fill(Qt::black);
    const QPoint at((kScreen.width() - image.width()) / 2, (kScreen.height() - image.height()) / 2);
    for (auto _ : state) {
        QPainter painter(&frame);
        painter.drawImage(at, image);
        painter.end();
        benchmark::DoNotOptimize(frame.constBits());
    }
}

void BM_CopyPreparedLargeJpeg(benchmark::State& state) {
    const auto picture = rumo::decodePicture(largeJpeg(), kScreen, true);
    if (!picture) {
        state.SkipWithError("decoding failed");
        return;
    }
    copyPrepared(state, picture->image);
}
BENCHMARK(BM_CopyPreparedLargeJpeg)->Unit(benchmark::kMicrosecond);

void BM_CopyPrepared800x600(benchmark::State& state) {
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    copyPrepared(state, image);
}
BENCHMARK(BM_CopyPrepared800x600)->Unit(benchmark::kMicrosecond);

// A progressive JPEG with 60,000 empty scans: refused after counting its markers, where decoding
// it took 16 seconds.
void BM_RefuseJpegWithManyScans(benchmark::State& state) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(QImage(320, 240, QImage::Format_RGB32));
    jpeg.insert(jpeg.lastIndexOf("\xFF\xD9"),
                QByteArray::fromHex("FFDA000801010000001000").repeated(60000));
    QBuffer file(&jpeg);
    file.open(QIODevice::ReadOnly);
    for (auto _ : state) {
        if (rumo::decodePicture(file, kScreen, true)) {
            state.SkipWithError("the picture was decoded");
            return;
        }
    }
    state.counters["file_bytes"] = double(jpeg.size());
}
BENCHMARK(BM_RefuseJpegWithManyScans)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
