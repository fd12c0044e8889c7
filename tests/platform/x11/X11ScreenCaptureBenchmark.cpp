#include "platform/x11/X11Connection.h"
#include "platform/x11/X11ScreenCapture.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>

namespace {

// The loupe's captures on a screen of scale 1: capture 24 reads 26 x 26 pixels; the
// widest capture the rubber band allows in a 400-point loupe reads 190 x 190.
constexpr int kDefaultSide = 26;
constexpr int kLargestSide = 190;

X11ScreenCapture* s_capture = nullptr;

void captureSquare(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    s_capture->beginSession();
    int x = 0;
    for (auto _ : state) {
        x = (x + 7) % 600;
        benchmark::DoNotOptimize(s_capture->capture(QRect(300 + x, 400, side, side)));
    }
    s_capture->endSession();
}
BENCHMARK(captureSquare)->Arg(kDefaultSide)->Arg(kLargestSide)->Unit(benchmark::kMicrosecond);

void captureSquareWithoutSession(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(s_capture->capture(QRect(300, 400, side, side)));
}
BENCHMARK(captureSquareWithoutSession)->Arg(kDefaultSide)->Arg(kLargestSide)->Unit(benchmark::kMicrosecond);

void retakeSnapshot(benchmark::State& state)
{
    s_capture->beginSession();
    s_capture->setExcludedRegion(QRegion(QRect(400, 300, 400, 400), QRegion::Ellipse));
    for (auto _ : state)
        s_capture->resnapshot();
    s_capture->endSession();
}
BENCHMARK(retakeSnapshot)->Unit(benchmark::kMicrosecond);

// As a pick does it: the first capture follows the snapshot at once.
void beginSessionAndCapture(benchmark::State& state)
{
    for (auto _ : state) {
        s_capture->beginSession();
        benchmark::DoNotOptimize(s_capture->capture(QRect(300, 400, kDefaultSide, kDefaultSide)));
        s_capture->endSession();
    }
}
BENCHMARK(beginSessionAndCapture)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("DISPLAY")) {
        std::cerr << "needs an X server\n";
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    X11Connection connection;
    X11ScreenCapture capture(connection);
    s_capture = &capture;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
