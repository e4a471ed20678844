// The Solar System window with a plot of 800 x 600 pixels, the orbits of all 24 bodies and the
// comet list of the data set: one frame of a drag that turns the plot (without and with the
// comet orbits), and the plot's frame after a Fast Clocking step of one day (the sky's own frame
// is not timed; the main window benchmark measures it).
#include <benchmark/benchmark.h>

#include <QApplication>

#include <filesystem>

#include "persist/comet_file.h"
#include "persist/data_set.h"
#include "persist/paths.h"
#include "qt_bench.h"
#include "shell/main_window.h"
#include "shell/program.h"

namespace {

constexpr int kPlotWidth = 800;
constexpr int kPlotHeight = 600;

struct BenchWindows {
    shell::Program program;
    std::unique_ptr<shell::MainWindow> main;
    windows::SolarSystemWindow* plot = nullptr;

    BenchWindows() {
        const std::string dir = PLANETARIUM_DATASET_DIR;
        if (std::filesystem::exists(std::filesystem::path(dir) / "QELDATA.INI")) {
            persist::SetDataDirectory(dir);
            persist::LoadStartupComets(program.options.UserPath, program.comets);
        }
        program.view.clock = {2026, 12, 6, 22, 0};
        program.view.WakuseiLevel = 5;
        program.options.PlanetZoom = 13;
        program.options.PlanetK2 = 300;
        program.options.PlaWaiwakuKidou = 1;
        program.options.AutoType = 0;
        program.options.Interval = 1;
        program.options.AutoYear = program.options.AutoMonth = 0;
        program.options.AutoHour = program.options.AutoMinit = 0;
        program.options.AutoDay = 1;
        main = std::make_unique<shell::MainWindow>(program);
        main->show();
        main->Command(149);
        plot = main->toolWindows().solarSystem();
        const QSize chrome = plot->size() - plot->plotArea()->size();
        plot->resize(QSize(kPlotWidth, kPlotHeight) + chrome);
        QCoreApplication::processEvents();
        main->skyView()->repaint();
        plot->plotArea()->repaint();
    }
};

BenchWindows& Windows() {
    static BenchWindows bench;
    return bench;
}

void BM_PlotDragFrame(benchmark::State& state) {
    BenchWindows& bench = Windows();
    bench.program.options.PlaCometKidou = static_cast<int>(state.range(0));
    QWidget* area = bench.plot->plotArea();
    const QPoint centre(kPlotWidth / 2, kPlotHeight / 2);
    bench::SendMouse(area, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        const int dx = (step++ / 40) % 2 == 0 ? 3 : -3;
        bench::SendMouse(area, QEvent::MouseMove, centre + QPoint(dx * (step % 40), 0),
                         Qt::NoButton, Qt::LeftButton);
        area->repaint();
    }
    bench::SendMouse(area, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    bench.program.options.PlaCometKidou = 0;
    state.SetLabel(state.range(0) ? "with comet orbits" : "planets and minor bodies");
}

// A Fast Clocking step of one day: the timer tick and the sky's frame (not timed), then the
// plot's frame from the sky's new body state.
void BM_PlotFastClockingStep(benchmark::State& state) {
    BenchWindows& bench = Windows();
    bench.program.view.AutoRunning = true;
    QWidget* area = bench.plot->plotArea();
    const int before = bench.plot->plotMemory().orbits.positionRuns();
    for (auto _ : state) {
        state.PauseTiming();
        bench.main->TimerTick();
        bench.main->skyView()->repaint();
        state.ResumeTiming();
        area->repaint();
    }
    bench.program.view.AutoRunning = false;
    state.counters["orbits recomputed per step"] =
        benchmark::Counter(bench.plot->plotMemory().orbits.positionRuns() - before,
                           benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_PlotDragFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlotFastClockingStep)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return bench::RunBenchmarks<QApplication>(argc, argv, [] { Windows().main.reset(); });
}
