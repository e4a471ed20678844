// The main window at 1920 x 1080 with the default layers: a drag of the sky (one mouse move and
// the paint it causes), a key press until the changed picture is on the window, and an exposure
// that only copies the picture. Uses the data set in PLANETARIUM_DATASET_DIR when it is there,
// else a synthetic catalogue of the same size (259 000 stars to magnitude 9.5).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>

#include "persist/data_set.h"
#include "persist/paths.h"
#include "shell/main_window.h"
#include "shell/program.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// Stars per tenth of a magnitude of a full-size catalogue (cumulative to 9.5).
constexpr int kCumulative[96] = {
    2,     4,     6,      7,      7,      8,      10,     10,     10,     12,     12,     14,
    16,    19,    19,     20,     24,     28,     31,     36,     44,     50,     59,     65,
    74,    80,    90,     98,     114,    135,    155,    178,    194,    214,    240,    260,
    296,   332,   382,    428,    480,    541,    599,    684,    765,    871,    984,    1083,
    1204,  1373,  1571,   1785,   1988,   2240,   2533,   2859,   3218,   3589,   4031,   4489,
    5103,  5713,  6295,   7085,   7971,   9040,   10114,  11280,  12677,  14195,  15935,  17636,
    19396, 21461, 23544,  26584,  29060,  31845,  35419,  39020,  46172,  51147,  57870,  65172,
    74135, 88217, 101634, 116363, 134670, 152525, 181855, 198384, 213380, 223925, 233170, 258997};

template <class T>
void SetBlock(persist::Block& block, const std::vector<T>& values) {
    block.size = values.size() * sizeof(T);
    block.storage.assign(block.size + persist::kBlockSpareBytes, 0);
    std::memcpy(block.storage.data(), values.data(), block.size);
    block.loaded = true;
}

// Bright stars to 6.5 sorted by magnitude, the fainter ones grouped by zone with STIDX.
void MakeSyntheticStars(persist::DataSet& data) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> lon(0, 32767);
    std::uniform_real_distribution<double> sinLat(-1.0, 1.0);
    const char* spectra = "OBAFGKMAFGKKM";
    std::vector<persist::StarRecord> bright;
    std::vector<std::vector<persist::StarRecord>> zones(persist::kStarZones);
    for (int level = 0; level < 96; ++level) {
        const int n = kCumulative[level] - (level ? kCumulative[level - 1] : 0);
        for (int i = 0; i < n; ++i) {
            persist::StarRecord s{static_cast<int16_t>(lon(rng)),
                                  static_cast<int16_t>(std::asin(sinLat(rng)) * 16384 / M_PI),
                                  3,
                                  -2,
                                  static_cast<uint8_t>(level + 20),
                                  static_cast<uint8_t>(spectra[rng() % 13])};
            if (level <= 65) {
                bright.push_back(s);
            } else {
                const int a = (s.lon & 32767) * 24 / 32768;
                const int d = std::clamp((s.lat + 8192) * 18 / 16384, 0, 17);
                zones[static_cast<std::size_t>(a * 18 + d)].push_back(s);
            }
        }
    }
    std::vector<persist::StarRecord> all = bright;
    std::vector<uint32_t> stidx(persist::kStarZones * 30 + 1);
    for (int z = 0; z < persist::kStarZones; ++z) {
        const auto& zone = zones[static_cast<std::size_t>(z)];
        stidx[static_cast<std::size_t>(z * 30)] = static_cast<uint32_t>(all.size());
        for (int k = 1; k < 30; ++k) {
            uint32_t end = static_cast<uint32_t>(all.size());
            for (const auto& s : zone)
                end += s.mag - 20 <= 65 + k ? 1 : 0;
            stidx[static_cast<std::size_t>(z * 30 + k)] = end;
        }
        all.insert(all.end(), zone.begin(), zone.end());
    }
    stidx.back() = static_cast<uint32_t>(all.size());
    SetBlock(data.block(persist::BlockId::STAR2), all);
    SetBlock(data.block(persist::BlockId::STIDX), stidx);
    SetBlock(data.block(persist::BlockId::ALPHA), std::vector<uint8_t>(bright.size() * 10));
    data.brightStarCount = bright.size();
}

struct BenchWindow {
    shell::Program program;
    std::unique_ptr<shell::MainWindow> window;
    bool full = false;

    BenchWindow() {
        const std::string dir = PLANETARIUM_DATASET_DIR;
        if (std::filesystem::exists(std::filesystem::path(dir) / "QELDATA.INI")) {
            persist::SetDataDirectory(dir);
            full = persist::LoadDataSet(program.data, dir, program.options.GscPath);
        }
        if (!full) MakeSyntheticStars(program.data);
        program.view.clock = {2026, 12, 6, 22, 0};
        program.view.Houi2 = 1800;
        program.view.Koudo2 = 300;
        program.view.SmoothIdou = 0;
        window = std::make_unique<shell::MainWindow>(program);
        window->show();
        // The drawing area itself is 1920 x 1080.
        const QSize chrome = window->size() - window->skyView()->size();
        window->resize(QSize(kWidth, kHeight) + chrome);
        QCoreApplication::processEvents();
        window->skyView()->repaint();
    }
};

BenchWindow& Window() {
    static BenchWindow bench;
    return bench;
}

void Move(QWidget* sky, QPoint point, Qt::MouseButtons buttons) {
    QMouseEvent event(QEvent::MouseMove, QPointF(point), sky->mapToGlobal(QPointF(point)),
                      Qt::NoButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(sky, &event);
}

void BM_DragFrame(benchmark::State& state) {
    BenchWindow& bench = Window();
    QWidget* sky = bench.window->skyView();
    const QPoint centre(kWidth / 2, kHeight / 2);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(centre), sky->mapToGlobal(QPointF(centre)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(sky, &press);
    int step = 0;
    for (auto _ : state) {
        // Back and forth, so the view stays in the same part of the sky.
        const int dx = (step++ / 40) % 2 == 0 ? 4 : -4;
        Move(sky, centre + QPoint(dx * (step % 40), 0), Qt::LeftButton);
        sky->repaint();
    }
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(centre),
                        sky->mapToGlobal(QPointF(centre)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(sky, &release);
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.SetLabel(bench.full ? "data set" : "synthetic catalogue");
}

void BM_KeyToPicture(benchmark::State& state) {
    BenchWindow& bench = Window();
    QWidget* sky = bench.window->skyView();
    for (auto _ : state) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier, QStringLiteral("c"));
        QCoreApplication::sendEvent(sky, &key);
        sky->repaint();
    }
    state.SetLabel(bench.full ? "data set" : "synthetic catalogue");
}

void BM_ExposureCopyOnly(benchmark::State& state) {
    BenchWindow& bench = Window();
    QWidget* sky = bench.window->skyView();
    sky->repaint();
    for (auto _ : state) {
        Move(sky, QPoint(100 + state.iterations() % 50, 100), Qt::NoButton);
        sky->repaint();
    }
}

BENCHMARK(BM_DragFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_KeyToPicture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExposureCopyOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Window().window.reset();
    return 0;
}
