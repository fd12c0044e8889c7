#include "formats/template/GRMustacheConfiguration.h"
#include "formats/template/GRMustacheExpressionParser.h"
#include "formats/template/GRMustacheTemplateGenerator.h"
#include "formats/template/GRMustacheTemplateRepository.h"

#include "foundation/Dictionary.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Every input must compile to an AST or fail with an error; compiled templates are
// printed back, which walks every node.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    GRMustacheExpressionParser().parseExpression(text, nullptr, nullptr);

    auto repository = GRMustacheTemplateRepository::templateRepositoryWithDictionary(Dictionary{
        {"partial", Value("{{name}}{{>partial}}")},
        {"layout", Value("<{{$title}}default{{/title}}>{{#items}}{{.}}{{/items}}")},
        {"self", Value(text)},
    });
    Error error;
    if (GRMustacheTemplateASTPtr ast = repository->templateASTNamed("self", {}, &error))
        GRMustacheTemplateGenerator(repository).stringWithTemplateAST(*ast);
    return 0;
}
