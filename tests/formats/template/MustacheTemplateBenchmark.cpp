#include "formats/template/MustacheFilter.h"
#include "formats/template/MustacheTemplate.h"
#include "formats/template/MustacheTemplateRepository.h"

#include "foundation/Dictionary.h"

#include <benchmark/benchmark.h>

namespace {

// Templates of the size export formats use: a few tags and filter calls.
constexpr const char* kHexTemplate = "#{{hex(r)}}{{hex(g)}}{{hex(b)}}";
constexpr const char* kFunctionTemplate =
    "{{%CONTENT_TYPE:TEXT}}rgba({{int255(r)}}, {{int255(g)}}, {{int255(b)}}, {{decimal(a, digits)}})";
constexpr const char* kSectionTemplate =
    "{{#each(components)}}{{uppercase(name)}}={{.value}}{{^@last}}, {{/@last}}{{/each(components)}}";

Value colorData()
{
    const Value hex = MustacheFilter::filterWithBlock([](const Value& v) {
        char text[3];
        std::snprintf(text, sizeof text, "%02X", static_cast<int>(v.doubleValue() * 255.0 + 0.5) & 0xFF);
        return Value(std::string(text));
    });
    const Value int255 = MustacheFilter::filterWithBlock([](const Value& v) {
        return Value::integer(static_cast<long long>(v.doubleValue() * 255.0 + 0.5));
    });
    const Value decimal = MustacheFilter::variadicFilterWithBlock([](const std::vector<Value>& arguments) {
        char text[32];
        std::snprintf(text, sizeof text, "%.*f", arguments[1].intValue(), arguments[0].doubleValue());
        return Value(std::string(text));
    });
    auto component = [](const char* name, double value) {
        return Value(Dictionary{{"name", Value(name)}, {"value", Value::real(value)}});
    };
    return Value(Dictionary{
        {"r", Value::real(0.2)}, {"g", Value::real(0.4)}, {"b", Value::real(0.6)}, {"a", Value::real(1.0)}, {"digits", Value::integer(2)},
        {"hex", hex}, {"int255", int255}, {"decimal", decimal},
        {"components", Value(std::vector<Value>{component("r", 0.2), component("g", 0.4), component("b", 0.6)})},
    });
}

void compileTemplate(benchmark::State& state, const char* text)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(MustacheTemplate::templateFromString(text));
}

void renderTemplate(benchmark::State& state, const char* text)
{
    const auto compiled = MustacheTemplate::templateFromString(text);
    const Value data = colorData();
    for (auto _ : state)
        benchmark::DoNotOptimize(compiled->renderObject(data));
}

void compileAndRender(benchmark::State& state, const char* text)
{
    const Value data = colorData();
    for (auto _ : state)
        benchmark::DoNotOptimize(MustacheTemplate::templateFromString(text)->renderObject(data));
}

} // namespace

BENCHMARK_CAPTURE(compileTemplate, hex, kHexTemplate);
BENCHMARK_CAPTURE(compileTemplate, function, kFunctionTemplate);
BENCHMARK_CAPTURE(compileTemplate, section, kSectionTemplate);
BENCHMARK_CAPTURE(renderTemplate, hex, kHexTemplate);
BENCHMARK_CAPTURE(renderTemplate, function, kFunctionTemplate);
BENCHMARK_CAPTURE(renderTemplate, section, kSectionTemplate);
BENCHMARK_CAPTURE(compileAndRender, function, kFunctionTemplate);

BENCHMARK_MAIN();
