// Cost of the settings store on a large file (3 MB: the table's keys among 60,000 others, as a
// file shared with scripts or carried over for years may hold): reading the notice's whole scene,
// and writing one value.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

#include "bench_fixtures.h"
#include "screen/scene_loader.h"
#include "settings/file_settings_store.h"

namespace {

// A settings folder of its own holding a file of about 3 MB; the store reads it.
class LargeSettings {
public:
    LargeSettings() {
        qputenv("XDG_CONFIG_HOME", folder_.path().toUtf8());
        store_ = std::make_unique<rumo::FileSettingsStore>(QStringLiteral("bench"));
        QDir().mkpath(QFileInfo(store_->filePath()).absolutePath());
        QFile file(store_->filePath());
        if (!file.open(QIODevice::WriteOnly)) {
            return;
        }
        QByteArray text = "[Config]\nWhere=会議室\nName=山田\nScreen=2\nMinf1\\Memo1x=40\n";
        for (int n = 0; text.size() < 3 * 1024 * 1024; ++n) {
            text += "Extra" + QByteArray::number(n) + "=\"" + QByteArray(40, 'x') + ", " +
                    QByteArray::number(n * 7) + "\"\n";
        }
        file.write(text);
        bytes_ = text.size();
    }
    rumo::FileSettingsStore& store() { return *store_; }
    qint64 bytes() const { return bytes_; }

private:
    QTemporaryDir folder_;
    std::unique_ptr<rumo::FileSettingsStore> store_;
    qint64 bytes_ = 0;
};

void BM_ReadSceneFromLargeFile(benchmark::State& state) {
    LargeSettings settings;
    for (auto _ : state) {
        const rumo::NoticeScene scene = rumo::loadNoticeScene(settings.store());
        benchmark::DoNotOptimize(scene.where.data());
    }
    state.counters["file_bytes"] = double(settings.bytes());
}
BENCHMARK(BM_ReadSceneFromLargeFile)->Unit(benchmark::kMillisecond);

void BM_WriteOneValueToLargeFile(benchmark::State& state) {
    LargeSettings settings;
    int value = 0;
    for (auto _ : state) {
        if (!settings.store().set(rumo::settings::Esc, ++value % 2 == 1)) {
            state.SkipWithError("write failed");
            return;
        }
    }
    state.counters["file_bytes"] = double(settings.bytes());
}
BENCHMARK(BM_WriteOneValueToLargeFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
