// The main window at 1920 x 1080 with the default layers: a drag of the sky (one mouse move and
// the paint it causes), a key press until the changed picture is on the window, a Fast Clocking
// tick, and an exposure that only copies the picture. Uses the data set in PLANETARIUM_DATASET_DIR
// when it is there, else a synthetic catalogue of the same size (259 000 stars to magnitude 9.5).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>

#include "persist/data_set.h"
#include "persist/paths.h"
#include "qt_bench.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "synthetic_sky.h"

namespace {

using bench::kHeight;
using bench::kWidth;
using bench::MakeSyntheticStars;

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
    bench::SendMouse(sky, QEvent::MouseMove, point, Qt::NoButton, buttons);
}

void BM_DragFrame(benchmark::State& state) {
    BenchWindow& bench = Window();
    QWidget* sky = bench.window->skyView();
    const QPoint centre(kWidth / 2, kHeight / 2);
    bench::SendMouse(sky, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        // Back and forth, so the view stays in the same part of the sky.
        const int dx = (step++ / 40) % 2 == 0 ? 4 : -4;
        Move(sky, centre + QPoint(dx * (step % 40), 0), Qt::LeftButton);
        sky->repaint();
    }
    bench::SendMouse(sky, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
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

// Fast Clocking at its fastest tick speed: every tick of timer 1 moves the clock by 3 minutes
// and draws the new sky. At 100 ms a tick, every step is drawn while a frame takes less.
void BM_FastClockingTick(benchmark::State& state) {
    BenchWindow& bench = Window();
    QWidget* sky = bench.window->skyView();
    auto& options = bench.program.options;
    options.AutoType = 0;
    options.Interval = 1;
    options.AutoMinit = 3;
    bench.window->Command(331);
    for (auto _ : state) {
        bench.window->TimerTick();
        sky->repaint();
    }
    bench.window->Command(331);
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
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
BENCHMARK(BM_FastClockingTick)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExposureCopyOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return bench::RunBenchmarks<QApplication>(argc, argv, [] { Window().window.reset(); });
}
