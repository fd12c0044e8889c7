#include "formats/template/MustacheExpressionParser.h"
#include "formats/template/MustacheFilter.h"
#include "formats/template/MustacheTemplate.h"
#include "formats/template/MustacheTemplateGenerator.h"
#include "formats/template/MustacheTemplateRepository.h"

#include "foundation/Dictionary.h"
#include "foundation/Exception.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// The fixed data every compiled input renders against: every kind of value, filters
// of both kinds, and a template that renders itself.
Value fuzzContext()
{
    static const Value context = [] {
        auto repository = MustacheTemplateRepository::templateRepository();
        const Value self(repository->templateFromString("{{#self}}{{self}}{{/self}}{{name}}"));
        return Value(Dictionary{
            {"name", Value("<Ann & \"Bob\">")},
            {"n", Value::integer(3)},
            {"x", Value::real(0.5)},
            {"yes", Value::boolean(true)},
            {"null", Value::null()},
            {"items", Value(std::vector<Value>{Value("a"), Value::integer(1), Value(Dictionary{{"k", Value("v")}}),
                                               Value(std::vector<Value>{Value("inner")})})},
            {"dict", Value(Dictionary{{"a", Value("1")}, {"b", Value(std::vector<Value>{})}})},
            {"self", self},
            {"f", MustacheFilter::filterWithBlock([](const Value& v) { return Value("f:" + v.description()); })},
            {"join", MustacheFilter::variadicFilterWithBlock([](const std::vector<Value>& arguments) {
                 return Value::integer(static_cast<long long>(arguments.size()));
             })},
        });
    }();
    return context;
}

} // namespace

// Every input compiles to an AST or fails with an error; what compiles is printed
// back and rendered, which walks every node and every kind of value.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    MustacheExpressionParser().parseExpression(text, nullptr, nullptr);

    auto repository = MustacheTemplateRepository::templateRepositoryWithDictionary(Dictionary{
        {"partial", Value("{{name}}{{>partial}}")},
        {"layout", Value("<{{$title}}default{{/title}}>{{#items}}{{.}}{{/items}}")},
        {"self", Value(text)},
    });
    Error error;
    std::shared_ptr<MustacheTemplate> compiled = repository->templateNamed("self", &error);
    if (!compiled)
        return 0;
    MustacheTemplateGenerator(repository).stringWithTemplateAST(*compiled->templateAST());
    try {
        compiled->renderObject(fuzzContext(), &error);
    } catch (const Exception&) {
        // Misuse the engine reports by raising (a localized format with too many arguments).
    }
    return 0;
}
