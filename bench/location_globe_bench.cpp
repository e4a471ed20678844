// The location dialog's globe at its size in the dialog (118 x 118 pixels) while the mouse drags
// it: one mouse move (the new centre, the dialog's fields and list) and the globe's repaint, in
// map and coastline mode, each plain and zoomed, with the data set's map and coastlines. Also one
// keystroke in the search field above the city list, from all cities to those with an "a" and back.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>

#include "dialogs/earth_globe.h"
#include "dialogs/location_dialog.h"
#include "persist/data_set.h"
#include "persist/paths.h"
#include "shell/main_window.h"
#include "shell/program.h"

namespace {

struct BenchDialog {
    shell::Program program;
    std::unique_ptr<shell::MainWindow> main;
    dialogs::LocationDialog* dialog = nullptr;
    dialogs::EarthGlobe* globe = nullptr;

    BenchDialog() {
        persist::SetDataDirectory(PLANETARIUM_DATASET_DIR);
        std::string gscPath;
        persist::LoadDataSet(program.data, program.options.UserPath, gscPath);
        main = std::make_unique<shell::MainWindow>(program);
        main->show();
        main->Command(134);
        dialog = static_cast<dialogs::LocationDialog*>(
            main->openDialogs().Find(dialogs::DialogKind::City));
        globe = &dialog->globe();
        QCoreApplication::processEvents();
    }
};

BenchDialog& Dialog() {
    static BenchDialog bench;
    return bench;
}

void SendMouse(QWidget* area, QEvent::Type type, QPoint point, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(point), area->mapToGlobal(QPointF(point)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(area, &event);
}

void BM_GlobeDragFrame(benchmark::State& state) {
    BenchDialog& bench = Dialog();
    bench.program.options.FrameEarth = static_cast<int>(state.range(0));
    bench.program.options.ZoomEarth = static_cast<int>(state.range(1));
    dialogs::EarthGlobe* globe = bench.globe;
    const QPoint centre(globe->width() / 2, globe->height() / 2);
    SendMouse(globe, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        // Back and forth over 40 pixels, 2 pixels a move.
        const int x = 2 * (step % 20) * ((step / 20) % 2 == 0 ? 1 : -1);
        ++step;
        SendMouse(globe, QEvent::MouseMove, centre + QPoint(x, x / 2), Qt::NoButton,
                  Qt::LeftButton);
        globe->repaint();
    }
    SendMouse(globe, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    state.SetLabel(std::string(state.range(0) ? "coastlines" : "map") +
                   (state.range(1) ? ", zoomed" : ""));
}

void BM_SearchKeystroke(benchmark::State& state) {
    auto* search = Dialog().dialog->findChild<QLineEdit*>(QString::number(dialogs::kCitySearch));
    int step = 0;
    for (auto _ : state)
        search->setText(step++ % 2 == 0 ? QStringLiteral("a") : QString());
    search->clear();
}

BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GlobeDragFrame)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Dialog().main.reset();
    return 0;
}
