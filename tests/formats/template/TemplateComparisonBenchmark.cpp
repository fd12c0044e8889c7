// Times the engine on the comparison cases, as scripts/compare-template-engines.sh runs
// it next to mustache.js: usage: vendrel_template_comparison cases.json output-folder
// Prints "case<TAB>mode<TAB>nanoseconds" per case and mode (the fastest round), and
// writes each case's rendering to output-folder/case.txt.

#include "formats/template/MustacheTemplate.h"
#include "formats/template/MustacheTemplateRepository.h"

#include "foundation/Dictionary.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>

namespace {

constexpr int kRounds = 20;
constexpr std::chrono::nanoseconds kRoundTime = std::chrono::milliseconds(2);

Value valueFromJson(const QJsonValue& json)
{
    switch (json.type()) {
    case QJsonValue::Bool:
        return Value::boolean(json.toBool());
    case QJsonValue::Double: {
        const double number = json.toDouble();
        return number == std::floor(number) ? Value::integer(static_cast<long long>(number)) : Value::real(number);
    }
    case QJsonValue::String:
        return Value(json.toString().toStdString());
    case QJsonValue::Array: {
        std::vector<Value> items;
        for (const QJsonValue& item : json.toArray())
            items.push_back(valueFromJson(item));
        return Value(std::move(items));
    }
    case QJsonValue::Object: {
        Dictionary entries;
        const QJsonObject object = json.toObject();
        for (auto entry = object.begin(); entry != object.end(); ++entry)
            entries.set(entry.key().toStdString(), valueFromJson(entry.value()));
        return Value(std::move(entries));
    }
    default:
        return Value::null();
    }
}

// The fastest time of one call over the rounds; each round repeats it for at least kRoundTime.
double fastestNanoseconds(const std::function<void()>& call)
{
    using Clock = std::chrono::steady_clock;
    long repeats = 1;
    for (;;) {
        const auto start = Clock::now();
        for (long i = 0; i < repeats; ++i)
            call();
        if (Clock::now() - start >= kRoundTime)
            break;
        repeats *= 2;
    }
    double fastest = std::numeric_limits<double>::infinity();
    for (int round = 0; round < kRounds; ++round) {
        const auto start = Clock::now();
        for (long i = 0; i < repeats; ++i)
            call();
        const std::chrono::duration<double, std::nano> elapsed = Clock::now() - start;
        fastest = std::min(fastest, elapsed.count() / static_cast<double>(repeats));
    }
    return fastest;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s cases.json output-folder\n", argv[0]);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QJsonArray cases = QJsonDocument::fromJson(file.readAll()).array();
    for (const QJsonValue& entry : cases) {
        const QJsonObject testCase = entry.toObject();
        const std::string name = testCase["name"].toString().toStdString();
        const std::string text = testCase["template"].toString().toStdString();
        const Value data = valueFromJson(testCase["data"]);
        const Dictionary partials = *valueFromJson(testCase["partials"]).dictionary();

        // A new repository compiles everything again, partials included, as mustache.js does
        // after its cache is cleared.
        auto compileAndRender = [&] {
            Error error;
            const auto compiled = MustacheTemplateRepository::templateRepositoryWithDictionary(partials)
                                      ->templateFromString(text, &error);
            return compiled ? compiled->renderObject(data, &error) : std::nullopt;
        };
        const auto compiled = MustacheTemplateRepository::templateRepositoryWithDictionary(partials)
                                  ->templateFromString(text);
        const std::optional<std::string> rendering = compileAndRender();
        if (!compiled || !rendering) {
            std::fprintf(stderr, "%s does not render\n", name.c_str());
            return 1;
        }
        std::ofstream(std::string(argv[2]) + "/" + name + ".txt", std::ios::binary) << *rendering;

        std::printf("%s\tcompile+render\t%.1f\n", name.c_str(), fastestNanoseconds([&] { compileAndRender(); }));
        std::printf("%s\trender\t%.1f\n", name.c_str(), fastestNanoseconds([&] { compiled->renderObject(data); }));
    }
    return 0;
}
