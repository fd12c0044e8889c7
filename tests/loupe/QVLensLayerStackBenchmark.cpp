// One loupe frame: the capture magnified and every layer drawn into the window's
// backing image, as the zoom view paints it on a mouse move.
#include "loupe/NJZoomView.h"
#include "loupe/QVLensLayerStack.h"

#include "formats/processor/QVFormatProcessor.h"
#include "foundation/Dictionary.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int kViewSide = 400;

// Times each frame on its own, so that the median and the 99th percentile can be told.
class FrameTimes {
public:
    void start() { m_start = std::chrono::steady_clock::now(); }
    void stop()
    {
        const auto elapsed = std::chrono::steady_clock::now() - m_start;
        m_micros.push_back(std::chrono::duration<double, std::micro>(elapsed).count());
    }
    void report(benchmark::State& state)
    {
        if (m_micros.empty())
            return;
        state.counters["p50_us"] = percentile(0.50);
        state.counters["p99_us"] = percentile(0.99);
    }

private:
    double percentile(double fraction)
    {
        const auto nth = m_micros.begin() + static_cast<std::ptrdiff_t>(fraction * (m_micros.size() - 1));
        std::nth_element(m_micros.begin(), nth, m_micros.end());
        return *nth;
    }

    std::chrono::steady_clock::time_point m_start;
    std::vector<double> m_micros;
};

QImage capture(int side, int shade)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            image.setPixel(x, y, qRgb((9 * x + shade) & 255, (9 * y + shade) & 255, shade));
    return image;
}

// The loupe as the application sets it up, at one zoom and diameter.
struct Loupe {
    Loupe(double zoom, double diameter)
        : view(QRect(0, 0, kViewSide, kViewSide))
    {
        view.setMinZoomFactor(2.0);
        view.setMaxZoomFactor(15.0);
        view.setMinCaptureValue(21.0);
        view.setMaxViewDiameter(kViewSide - 25);
        view.setMinRubberPixels(10.0);
        view.setMaxRubberPixels(24.0);
        view.setCaptureValue(24.0);
        view.setZoomFactor(zoom);
        view.setDiameterValue(diameter < 0 ? view.maxDiameterValue() : diameter);
        auto owned = std::make_unique<QVLensLayerStack>(&view);
        stack = owned.get();
        view.setRenderer(std::move(owned));
        stack->setExportFormatProcessor(&processor);
        stack->setExportFormat(QVFormatDefinition(Dictionary{
            {"name", Value("HEX")}, {"displayFormat", Value("{{hexColor(color)}}")}, {"colorProfile", Value("srgb")}}));
        stack->setLensCenter(QPointF(640, 512));
        stack->redrawAll();
    }

    QVFormatProcessor processor;
    NJZoomView view;
    QVLensLayerStack* stack = nullptr;
};

// Times frames of the loupe drawn into the window's backing image; `prepare` runs
// before each frame, inside its time.
template <typename Prepare>
void runFrames(benchmark::State& state, Loupe& loupe, Prepare prepare)
{
    QImage backing(kViewSide, kViewSide, QImage::Format_ARGB32_Premultiplied);
    FrameTimes times;
    for (auto _ : state) {
        times.start();
        prepare();
        backing.fill(Qt::transparent);
        QPainter painter(&backing);
        loupe.stack->draw(painter);
        painter.end();
        times.stop();
    }
    times.report(state);
}

// Each frame draws a new capture whose centre pixel differs from the last one's, so the
// focus square and the info text are drawn again, as when the mouse moves.
void frame(benchmark::State& state, double zoom, double diameter)
{
    Loupe loupe(zoom, diameter);
    const std::array<QImage, 2> captures {capture(26, 0), capture(26, 40)};
    std::size_t next = 0;
    runFrames(state, loupe, [&] {
        loupe.view.setCapturedImg(captures[next]);
        next = 1 - next;
    });
}

// The same frame after a zoom, capture or diameter change, when the rim and the grid
// are drawn again as well.
void frameAfterValueChange(benchmark::State& state, double zoom, double diameter)
{
    Loupe loupe(zoom, diameter);
    loupe.view.setCapturedImg(capture(26, 0));
    runFrames(state, loupe, [&] { loupe.stack->lensAttributeChanged(); });
}

void BM_FrameDefault(benchmark::State& state)
{
    frame(state, 8.0, 184.0);
}
void BM_FrameLargestDiameterZoom15(benchmark::State& state)
{
    frame(state, 15.0, -1);
}
void BM_FrameAfterValueChangeDefault(benchmark::State& state)
{
    frameAfterValueChange(state, 8.0, 184.0);
}
void BM_FrameAfterValueChangeLargestDiameterZoom15(benchmark::State& state)
{
    frameAfterValueChange(state, 15.0, -1);
}

BENCHMARK(BM_FrameDefault)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameLargestDiameterZoom15)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameAfterValueChangeDefault)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameAfterValueChangeLargestDiameterZoom15)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
