#include "loupe/QVLoupeController.h"
#include "loupe/QVLensWindow.h"
#include "loupe/QVMouseFollower.h"
#include "loupe/NJZoomView.h"
#include "tests/loupe/RecordingLoupeHost.h"
#include "tests/loupe/x11/LoupeScene.h"
#include "uikit/application/NJApplication.h"
#include "uikit/application/QtScheduler.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>

namespace {

using namespace loupex11;

QVLoupeController* s_loupe = nullptr;
PaintCounter* s_paints = nullptr;
Scene* s_scene = nullptr;

// One pointer move, until the loupe has been placed there and has repainted: what a
// user sees as the loupe trailing the pointer.
void motionToRepaint(benchmark::State& state)
{
    int move = 0;
    for (auto _ : state) {
        const QPoint point(300 + move % 600, 300 + (move / 600) * 7 + move % 3);
        ++move;
        const int paints = s_paints->count;
        s_scene->movePointer(point);
        const QPointF target(point.x(), s_scene->height() - point.y());
        if (!waitFor([&] { return s_loupe->lastCenter() == target && s_paints->count > paints; }, 2000)) {
            state.SkipWithError("the loupe did not follow the pointer");
            break;
        }
    }
}
BENCHMARK(motionToRepaint)->Iterations(200)->Repetitions(5)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("DISPLAY")) {
        std::cerr << "needs an X server\n";
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    int qtArgc = 1;
    NJApplication app(qtArgc, argv);
    QtScheduler scheduler;
    Scheduler::setCurrent(&scheduler);
    RecordingLoupeHost host;
    PaintCounter paints;
    QVLoupeController loupe(host, app.platform());
    loupe.initZoomView(nullptr);
    loupe.zoomView().installEventFilter(&paints);
    loupe.mouse().registerMouseListener();
    Scene scene;
    loupe.mouse().setMouseFollow(true);
    loupe.mouse().moveLoupeToCurrentMousePosition();
    loupe.showWindow(true);
    if (!waitFor([&] { return loupe.window().pointerGrabbed(); }, 2000)) {
        std::cerr << "the loupe did not take the pointer\n";
        return 1;
    }
    s_loupe = &loupe;
    s_paints = &paints;
    s_scene = &scene;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    loupe.orderOut();
    return 0;
}
