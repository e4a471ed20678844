// What the benchmarks that need Qt share: a main that runs them on the offscreen platform (unless
// QT_QPA_PLATFORM says otherwise) and closes the windows before the application goes, and mouse
// events sent straight to a widget, as a drag delivers them.
#pragma once

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include <cstdlib>

namespace bench {

inline void SendMouse(QWidget* area, QEvent::Type type, QPoint point, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(point), area->mapToGlobal(QPointF(point)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(area, &event);
}

// Application is QGuiApplication for frames alone, QApplication for windows.
template <class Application, class CloseWindows>
int RunBenchmarks(int argc, char** argv, CloseWindows closeWindows) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    closeWindows();
    return 0;
}

template <class Application>
int RunBenchmarks(int argc, char** argv) {
    return RunBenchmarks<Application>(argc, argv, [] {});
}

}  // namespace bench
