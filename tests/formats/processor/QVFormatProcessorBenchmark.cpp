#include "formats/processor/QVFormatProcessor.h"

#include "BuiltInFormats.h"
#include "FakeRunningApplications.h"

#include "formats/template/MustacheConfiguration.h"

#include <benchmark/benchmark.h>

namespace {

// What the overlay does when the selected colour changes: every export format.
void renderEveryExportFormat(benchmark::State& state)
{
    const auto formats = readBuiltInFormats("ExportFormats");
    QVFormatProcessor processor(std::make_shared<FakeRunningApplications>());
    const Color color = Color::sRGB(0.1234, 0.5678, 0.9012, 0.7531);
    for (auto _ : state) {
        for (const QVFormatDefinition& format : formats) {
            processor.updateColorValuesWithColor(color, format);
            benchmark::DoNotOptimize(processor.renderFormat(format.exportFormat()));
        }
    }
    state.counters["formats"] = static_cast<double>(formats.size());
}
BENCHMARK(renderEveryExportFormat)->Unit(benchmark::kMicrosecond);

// What the loupe does on every mouse move: one display format.
void renderOneDisplayFormat(benchmark::State& state)
{
    const auto formats = readBuiltInFormats("DisplayFormats");
    QVFormatProcessor processor(std::make_shared<FakeRunningApplications>());
    const QVFormatDefinition& format = formats.at(1);
    double red = 0;
    for (auto _ : state) {
        red = red >= 1 ? 0 : red + 0.01;
        processor.updateColorValuesWithColor(Color::sRGB(red, 0.5678, 0.9012), format);
        benchmark::DoNotOptimize(processor.renderFormat(format.displayFormat()));
    }
}
BENCHMARK(renderOneDisplayFormat)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    MustacheConfiguration::defaultConfiguration().setContentType(MustacheContentTypeText);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
