#include "formats/template/MustacheError.h"
#include "formats/template/MustacheExpressionGenerator.h"
#include "formats/template/MustacheInheritablePartialNode.h"
#include "formats/template/MustacheInheritableSectionNode.h"
#include "formats/template/MustachePartialNode.h"
#include "formats/template/MustacheSectionTag.h"
#include "formats/template/MustacheTemplateGenerator.h"
#include "formats/template/MustacheTemplateRepository.h"
#include "formats/template/MustacheTextNode.h"
#include "formats/template/MustacheVariableTag.h"

#include "foundation/Dictionary.h"

#include <gtest/gtest.h>

namespace {

struct Compiled {
    MustacheTemplateASTPtr ast;
    Error error;
};

Compiled compile(const std::string& text, Dictionary partials = {},
                 MustacheContentType contentType = MustacheContentTypeHTML)
{
    auto repository = MustacheTemplateRepository::templateRepositoryWithDictionary(std::move(partials));
    Compiled result;
    result.ast = repository->templateASTFromString(text, contentType, {}, &result.error);
    return result;
}

std::string errorOf(const std::string& text, Dictionary partials = {})
{
    const Compiled result = compile(text, std::move(partials));
    EXPECT_FALSE(result.ast) << text;
    return result.error.message;
}

template <class T>
const T& nodeAt(const MustacheTemplateAST& ast, std::size_t index)
{
    const auto* node = dynamic_cast<const T*>(ast.templateASTNodes().at(index).get());
    if (!node)
        throw std::runtime_error("unexpected node kind");
    return *node;
}

std::string expressionText(const MustacheTag& tag)
{
    return MustacheExpressionGenerator().stringWithExpression(*tag.expression());
}

} // namespace

TEST(MustacheCompiler, TextAndVariables)
{
    const Compiled result = compile("a{{x}}b{{{y}}}{{&z}}{{! comment }}");
    ASSERT_TRUE(result.ast);
    const MustacheTemplateAST& ast = *result.ast;
    ASSERT_EQ(ast.templateASTNodes().size(), 5u);
    EXPECT_EQ(nodeAt<MustacheTextNode>(ast, 0).text(), "a");
    const auto& x = nodeAt<MustacheVariableTag>(ast, 1);
    EXPECT_TRUE(x.escapesHTML());
    EXPECT_EQ(x.type(), MustacheTagTypeVariable);
    EXPECT_EQ(x.description(), "<MustacheVariableTag `{{x}}` at line 1>");
    EXPECT_FALSE(nodeAt<MustacheVariableTag>(ast, 3).escapesHTML());
    EXPECT_FALSE(nodeAt<MustacheVariableTag>(ast, 4).escapesHTML());
    EXPECT_EQ(ast.contentType(), MustacheContentTypeHTML);
}

TEST(MustacheCompiler, EmptyTemplateHasNoNodes)
{
    const Compiled result = compile("");
    ASSERT_TRUE(result.ast);
    EXPECT_FALSE(result.ast->isPlaceholder());
    EXPECT_TRUE(result.ast->templateASTNodes().empty());
}

TEST(MustacheCompiler, SectionsAndClosingTags)
{
    Compiled result = compile("{{#a}}x{{/}}");
    ASSERT_TRUE(result.ast);
    result = compile("{{#a}}x{{/a}}");
    ASSERT_TRUE(result.ast);
    const auto& section = nodeAt<MustacheSectionTag>(*result.ast, 0);
    EXPECT_FALSE(section.isInverted());
    EXPECT_EQ(section.innerTemplateString(), "x");
    EXPECT_EQ(section.innerRange(), (TextRange{6, 1}));
    EXPECT_EQ(section.type(), MustacheTagTypeSection);

    EXPECT_EQ(errorOf("{{#a}}x{{/b}}"), "Parse error at line 1: Unexpected {{/b}} closing tag");
    EXPECT_EQ(errorOf("{{/a}}"), "Parse error at line 1: Unexpected {{/a}} closing tag");
    EXPECT_EQ(errorOf("x\n{{#a}}x"), "Parse error at line 2: Unclosed {{#a}} section");
    EXPECT_EQ(errorOf("{{#a}}{{#b}}{{/a}}"), "Parse error at line 1: Unexpected {{/a}} closing tag");
    EXPECT_EQ(errorOf("{{#a}}{{/a b}}"), "Parse error at line 1: Invalid expression");
    EXPECT_EQ(errorOf("{{#}}"), "Parse error at line 1: Missing expression");
    EXPECT_EQ(errorOf("{{ }}"), "Parse error at line 1: Missing expression");
    EXPECT_EQ(errorOf("{{a b}}"), "Parse error at line 1: Invalid expression");
}

TEST(MustacheCompiler, ElseSections)
{
    Compiled result = compile("{{#a}}yes{{^a}}no{{/a}}");
    ASSERT_TRUE(result.ast);
    ASSERT_EQ(result.ast->templateASTNodes().size(), 2u);
    const auto& yes = nodeAt<MustacheSectionTag>(*result.ast, 0);
    const auto& no = nodeAt<MustacheSectionTag>(*result.ast, 1);
    EXPECT_FALSE(yes.isInverted());
    EXPECT_EQ(yes.innerTemplateString(), "yes");
    EXPECT_TRUE(no.isInverted());
    EXPECT_EQ(no.innerTemplateString(), "no");
    EXPECT_EQ(expressionText(no), "a");

    result = compile("{{^a}}no{{#}}yes{{/a}}");
    ASSERT_TRUE(result.ast);
    EXPECT_TRUE(nodeAt<MustacheSectionTag>(*result.ast, 0).isInverted());
    EXPECT_EQ(nodeAt<MustacheSectionTag>(*result.ast, 1).innerTemplateString(), "yes");

    // A "^" on another expression opens a nested section instead.
    result = compile("{{#a}}{{^b}}{{/b}}{{/a}}");
    ASSERT_TRUE(result.ast);
    EXPECT_EQ(result.ast->templateASTNodes().size(), 1u);
}

TEST(MustacheCompiler, NestedSectionsKeepTheirContent)
{
    const Compiled result = compile("{{#a}}1{{#b.c}}2{{/b.c}}3{{/a}}");
    ASSERT_TRUE(result.ast);
    const auto& outer = nodeAt<MustacheSectionTag>(*result.ast, 0);
    EXPECT_EQ(outer.innerTemplateString(), "1{{#b.c}}2{{/b.c}}3");
    const MustacheTemplateAST& content = *outer.templateAST();
    ASSERT_EQ(content.templateASTNodes().size(), 3u);
    EXPECT_EQ(nodeAt<MustacheSectionTag>(content, 1).innerTemplateString(), "2");
    EXPECT_EQ(expressionText(nodeAt<MustacheSectionTag>(content, 1)), "b.c");
}

TEST(MustacheCompiler, SectionContentKeepsItsCharacters)
{
    const Compiled result = compile("\U0001F600{{#a}}\xff\u00e9{{/a}}");
    ASSERT_TRUE(result.ast);
    const auto& section = nodeAt<MustacheSectionTag>(*result.ast, 1);
    EXPECT_EQ(section.innerTemplateString(), "\uFFFD\u00e9");
    EXPECT_EQ(section.innerRange(), (TextRange{8, 2}));
}

TEST(MustacheCompiler, ContentTypePragmas)
{
    Compiled result = compile("text{{%CONTENT_TYPE:TEXT}}{{x}}");
    ASSERT_TRUE(result.ast);
    EXPECT_EQ(result.ast->contentType(), MustacheContentTypeText);
    EXPECT_EQ(nodeAt<MustacheVariableTag>(*result.ast, 1).contentType(), MustacheContentTypeText);

    result = compile("{{%CONTENT_TYPE:HTML}}", {}, MustacheContentTypeText);
    ASSERT_TRUE(result.ast);
    EXPECT_EQ(result.ast->contentType(), MustacheContentTypeHTML);

    EXPECT_EQ(errorOf("{{x}}{{%CONTENT_TYPE:TEXT}}"),
              "Parse error at line 1: CONTENT_TYPE:TEXT pragma tag must prepend any Mustache variable, section, or "
              "partial tag.");
    EXPECT_EQ(errorOf("{{#s}}{{/s}}{{% CONTENT_TYPE:HTML }}"),
              "Parse error at line 1: CONTENT_TYPE:HTML pragma tag must prepend any Mustache variable, section, or "
              "partial tag.");
    EXPECT_TRUE(compile("{{x}}{{%OTHER}}{{%}}").ast);
}

TEST(MustacheCompiler, Partials)
{
    EXPECT_EQ(errorOf("{{>}}"), "Parse error at line 1: Missing template name in partial tag");
    EXPECT_EQ(errorOf("{{>a b}}"), "Parse error at line 1: Invalid template name in partial tag");

    const Compiled missing = compile("{{>missing}}");
    EXPECT_FALSE(missing.ast);
    EXPECT_EQ(missing.error.code, MustacheErrorCodeTemplateNotFound);
    EXPECT_EQ(missing.error.message, "No such template: `missing`");

    const Compiled found = compile("{{> p }}", Dictionary{{"p", Value("x{{y}}")}});
    ASSERT_TRUE(found.ast);
    const auto& partial = nodeAt<MustachePartialNode>(*found.ast, 0);
    EXPECT_EQ(partial.name(), "p");
    ASSERT_TRUE(partial.templateAST());
    EXPECT_EQ(partial.templateAST()->templateASTNodes().size(), 2u);
}

TEST(MustacheCompiler, ErrorsInPartialsNameTheirTemplate)
{
    const Compiled result = compile("{{>p}}", Dictionary{{"p", Value("\n{{#a}}")}});
    EXPECT_FALSE(result.ast);
    EXPECT_EQ(result.error.message, "Parse error at line 2 of template p: Unclosed {{#a}} section");
}

TEST(MustacheCompiler, RecursivePartialsResolveThroughTheCache)
{
    auto repository = MustacheTemplateRepository::templateRepositoryWithDictionary(
        Dictionary{{"a", Value("{{>b}}")}, {"b", Value("{{#x}}{{>a}}{{/x}}")}});
    Error error;
    MustacheTemplateASTPtr a = repository->templateASTNamed("a", {}, &error);
    ASSERT_TRUE(a);
    const auto& toB = nodeAt<MustachePartialNode>(*a, 0);
    const auto& section = nodeAt<MustacheSectionTag>(*toB.templateAST(), 0);
    const auto& backToA = nodeAt<MustachePartialNode>(*section.templateAST(), 0);
    EXPECT_EQ(backToA.templateAST(), a);
    EXPECT_FALSE(a->isPlaceholder());
    EXPECT_EQ(repository->templateASTNamed("a", {}, &error), a);
}

TEST(MustacheCompiler, InheritanceStructure)
{
    const Dictionary partials{{"layout", Value("<{{$title}}default{{/title}}>")}};
    const Compiled result = compile("{{<layout}}ignored{{$title}}mine{{/title}}{{/layout}}", partials);
    ASSERT_TRUE(result.ast);
    const auto& inheritable = nodeAt<MustacheInheritablePartialNode>(*result.ast, 0);
    EXPECT_EQ(inheritable.partialNode()->name(), "layout");
    const MustacheTemplateAST& overriding = *inheritable.overridingTemplateAST();
    ASSERT_EQ(overriding.templateASTNodes().size(), 2u);
    const MustacheTemplateASTNodePtr& mine = overriding.templateASTNodes()[1];

    // The layout's own section resolves to the overriding one; other nodes stay.
    const MustacheTemplateAST& layout = *inheritable.partialNode()->templateAST();
    const MustacheTemplateASTNodePtr& defaultSection = layout.templateASTNodes()[1];
    EXPECT_EQ(inheritable.resolveTemplateASTNode(defaultSection), mine);
    EXPECT_EQ(inheritable.resolveTemplateASTNode(layout.templateASTNodes()[0]), layout.templateASTNodes()[0]);

    EXPECT_EQ(errorOf("{{$}}"), "Parse error at line 1: Missing inheritable section name in inheritable section tag");
    EXPECT_EQ(errorOf("{{<}}"), "Parse error at line 1: Missing template name in partial tag");
    EXPECT_EQ(errorOf("{{$a}}{{/b}}"), "Parse error at line 1: Unexpected {{/b}} closing tag");
    EXPECT_EQ(errorOf("{{$a}}{{/b c}}"), "Parse error at line 1: Invalid inheritable section name in partial closing tag");
    EXPECT_EQ(errorOf("{{<layout}}{{/x y}}", partials), "Parse error at line 1: Invalid template name in partial closing tag");
    EXPECT_EQ(errorOf("{{<layout}}{{/other}}", partials), "Parse error at line 1: Unexpected {{/other}} closing tag");
    EXPECT_EQ(errorOf("{{<layout}}", partials), "Parse error at line 1: Unclosed {{<layout}} section");
    EXPECT_EQ(errorOf("{{$a}}", partials), "Parse error at line 1: Unclosed {{$a}} section");
    EXPECT_EQ(errorOf("{{<nothing}}{{/nothing}}"), "No such template: `nothing`");
    EXPECT_TRUE(compile("{{$a}}x{{/}}").ast);
}

TEST(MustacheCompiler, InheritedLayoutMustShareTheContentType)
{
    const Dictionary partials{{"layout", Value("{{%CONTENT_TYPE:TEXT}}{{$a}}{{/a}}")}};
    EXPECT_EQ(errorOf("x\n{{<layout}}{{/layout}}", partials), "Parse error at line 2: HTML safety mismatch");
}

TEST(MustacheCompiler, GeneratorRebuildsTheTemplate)
{
    auto repository = MustacheTemplateRepository::templateRepositoryWithDictionary(
        Dictionary{{"p", Value("P")}, {"layout", Value("{{$t}}{{/t}}")}});
    const std::string text = "a{{x.y}}{{&f(z)}}{{#s}}in{{/s}}{{^n}}not{{/n}}{{>p}}{{<layout}}{{$t}}T{{/t}}{{/layout}}";
    Error error;
    MustacheTemplateASTPtr ast = repository->templateASTFromString(text, MustacheContentTypeHTML, {}, &error);
    ASSERT_TRUE(ast) << error.message;
    EXPECT_EQ(MustacheTemplateGenerator(repository).stringWithTemplateAST(*ast), text);
}

TEST(MustacheCompiler, SectionsNestedBeyondTheRenderingLimitAreAParseError)
{
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "{{#a}}";
    for (int i = 0; i < 100000; ++i)
        deep += "{{/a}}";
    EXPECT_EQ(errorOf(deep), "Parse error at line 1: Sections are nested more than 256 levels deep");

    std::string allowed;
    for (int i = 0; i < 256; ++i)
        allowed += "{{#a}}";
    for (int i = 0; i < 256; ++i)
        allowed += "{{/a}}";
    EXPECT_TRUE(compile(allowed).ast);
    EXPECT_EQ(errorOf("{{#a}}" + allowed + "{{/a}}"),
              "Parse error at line 1: Sections are nested more than 256 levels deep");
}
