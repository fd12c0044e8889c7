#include "TemplateTestSupport.h"

#include "formats/template/MustacheError.h"
#include "formats/template/MustacheFilter.h"
#include "formats/template/MustacheRendering.h"
#include "formats/template/MustacheRenderingEngine.h"

#include "foundation/Exception.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string renderFromString(const std::string& text, const Value& data)
{
    Error error;
    const std::optional<std::string> rendering = MustacheTemplate::renderObjectFromString(data, text, &error);
    return rendering ? *rendering : "<error: " + error.message + ">";
}

} // namespace

TEST(MustacheTemplateRepository, DefaultContentTypeGovernsLaterTemplates)
{
    const DefaultContentTypeGuard guard;
    const Value data(Dictionary{{"s", Value("<b>")}});
    MustacheConfiguration::defaultConfiguration().setContentType(MustacheContentTypeText);
    EXPECT_EQ(renderFromString("{{s}}", data), "<b>");
    MustacheConfiguration::defaultConfiguration().setContentType(MustacheContentTypeHTML);
    EXPECT_EQ(renderFromString("{{s}}", data), "&lt;b&gt;");
    EXPECT_FALSE(MustacheConfiguration::defaultConfiguration().isLocked());
}

TEST(MustacheTemplateRepository, CompiledConfigurationIsLocked)
{
    auto repository = MustacheTemplateRepository::templateRepository();
    repository->configuration().setTagStartDelimiter("<%");
    repository->configuration().setTagEndDelimiter("%>");
    ASSERT_TRUE(repository->templateFromString("<%x%>"));
    EXPECT_EQ(repository->templateFromString("<%x%>{{x}}")->renderObject(Value(Dictionary{{"x", Value("1")}})),
              "1{{x}}");
    try {
        repository->configuration().setContentType(MustacheContentTypeText);
        FAIL() << "no exception";
    } catch (const Exception& exception) {
        EXPECT_EQ(exception.name(), "NSGenericException");
        EXPECT_EQ(exception.reason(), repository->configuration().description() +
                                          " was mutated after template compilation");
    }
    EXPECT_THROW(repository->setConfiguration(MustacheConfiguration()), Exception);
    EXPECT_THROW(repository->configuration().extendBaseContextWithObject(Value("x")), Exception);
}

TEST(MustacheTemplateRepository, ConfigurationMisuseRaises)
{
    MustacheConfiguration configuration;
    EXPECT_THROW(configuration.setTagStartDelimiter(""), Exception);
    EXPECT_THROW(configuration.setTagEndDelimiter(""), Exception);
    EXPECT_THROW(configuration.setBaseContext(nullptr), Exception);
    configuration.lock();
    const MustacheConfiguration copy(configuration);
    EXPECT_FALSE(copy.isLocked());
    EXPECT_EQ(copy.baseContext(), configuration.baseContext());
}

TEST(MustacheTemplateRepository, MissingPartial)
{
    Error error;
    EXPECT_FALSE(MustacheTemplate::templateFromString("{{>missing}}", &error));
    EXPECT_EQ(error, (Error{MustacheErrorDomain, MustacheErrorCodeTemplateNotFound,
                            "No such template: `missing`"}));
}

TEST(MustacheTemplateRepository, DictionaryRepository)
{
    auto repository = MustacheTemplateRepository::templateRepositoryWithDictionary(
        Dictionary{{"a", Value("{{>b}}")}, {"b", Value("x")}});
    EXPECT_EQ(repository->templateNamed("a")->renderObject({}), "x");

    auto recursive = MustacheTemplateRepository::templateRepositoryWithDictionary(
        Dictionary{{"a", Value("{{#down}}{{>b}}{{/down}}")}, {"b", Value("[{{>a}}]")}});
    Error error;
    auto compiled = recursive->templateNamed("a", &error);
    ASSERT_TRUE(compiled) << error.message;
    const Value data(Dictionary{{"down", Value(Dictionary{{"down", Value(Dictionary{{"down", Value::boolean(false)}})}})}});
    EXPECT_EQ(compiled->renderObject(data), "[[]]");
}

TEST(MustacheTemplateRepository, EndlessRecursionIsARenderingError)
{
    auto repository = MustacheTemplateRepository::templateRepositoryWithDictionary(
        Dictionary{{"loop", Value("x{{>loop}}")}});
    Error error;
    auto compiled = repository->templateNamed("loop", &error);
    ASSERT_TRUE(compiled);
    EXPECT_FALSE(compiled->renderObject({}, &error));
    EXPECT_EQ(error.code, MustacheErrorCodeRenderingError);
    EXPECT_EQ(error.message, "Rendering is nested more than 256 levels deep");

    // A template that renders itself through the data is stopped the same way.
    auto self = MustacheTemplateRepository::templateRepository()->templateFromString("{{#t}}{{t}}{{/t}}");
    EXPECT_FALSE(self->renderObject(Value(Dictionary{{"t", Value(self)}}), &error));
    EXPECT_EQ(error.code, MustacheErrorCodeRenderingError);
}

TEST(MustacheTemplateRepository, ReloadDropsTheCache)
{
    auto repository = MustacheTemplateRepository::templateRepositoryWithDictionary(Dictionary{{"a", Value("x")}});
    const auto first = repository->templateASTNamed("a", {}, nullptr);
    EXPECT_EQ(repository->templateASTNamed("a", {}, nullptr), first);
    repository->reloadTemplates();
    EXPECT_NE(repository->templateASTNamed("a", {}, nullptr), first);
}

TEST(MustacheTemplateRepository, RenderObjectsFromArrayLooksUpTheLastFirst)
{
    auto compiled = MustacheTemplateRepository::templateRepository()->templateFromString("{{k}}{{onlyA}}");
    EXPECT_EQ(compiled->renderObjectsFromArray({Value(Dictionary{{"k", Value("A")}, {"onlyA", Value("a")}}),
                                                Value(Dictionary{{"k", Value("B")}})}),
              "Ba");
}

TEST(MustacheTemplateRepository, DirectoryRepository)
{
    const TemplateFolder folder;
    folder.write("main.mustache", "main:{{>sub/part}}");
    folder.write("sub/part.mustache", "part:{{>sibling}}:{{>/top}}");
    folder.write("sub/sibling.mustache", "sibling");
    folder.write("top.mustache", "top");
    folder.write("other.txt", "{{x}}");
    auto repository = MustacheTemplateRepository::templateRepositoryWithDirectory(folder.path());
    Error error;
    auto compiled = repository->templateNamed("main", &error);
    ASSERT_TRUE(compiled) << error.message;
    EXPECT_EQ(compiled->renderObject({}), "main:part:sibling:top");
    EXPECT_FALSE(repository->templateNamed("absent", &error));
    EXPECT_EQ(error.message, "No such template: `absent`");

    EXPECT_EQ(MustacheTemplate::templateFromContentsOfFile(folder.path() / "other.txt", &error)
                  ->renderObject(Value(Dictionary{{"x", Value("X")}})),
              "X");
}

TEST(MustacheTemplateRepository, BaseURLRepository)
{
    const TemplateFolder folder;
    std::filesystem::create_directories(folder.path() / "with space" / "sub");
    folder.write("with space/main.mustache", "main:{{>sub/part}}");
    folder.write("with space/sub/part.mustache", "part:{{>../top}}:{{>/top}}:{{x}}");
    folder.write("with space/top.mustache", "top");
    folder.write("with space/broken.mustache", "{{#a}}");
    const std::string baseURL = "file://" + folder.path().string() + "/with%20space";
    auto repository = MustacheTemplateRepository::templateRepositoryWithBaseURL(baseURL);
    Error error;
    auto compiled = repository->templateNamed("main", &error);
    ASSERT_TRUE(compiled) << error.message;
    EXPECT_EQ(compiled->renderObject({}), "main:part:top:top:");
    // Template IDs are the templates' URLs.
    EXPECT_FALSE(repository->templateNamed("broken", &error));
    EXPECT_EQ(error.message, "Parse error at line 1 of template " + baseURL + "/broken.mustache: Unclosed {{#a}} section");
    EXPECT_FALSE(repository->templateNamed("absent", &error));
    EXPECT_EQ(error.message, "No such template: `absent`");

    const auto fromURL = MustacheTemplate::templateFromContentsOfURL(baseURL + "/main.mustache", &error);
    ASSERT_TRUE(fromURL) << error.message;
    EXPECT_EQ(fromURL->renderObject(Value(Dictionary{{"x", Value("X")}})), "main:part:top:top:X");
    // The file's folder is the root of its repository.
    EXPECT_FALSE(MustacheTemplate::templateFromContentsOfURL(baseURL + "/sub/part.mustache", &error));
    EXPECT_EQ(error.message, "No such template: `/top`");
    EXPECT_EQ(MustacheTemplate::templateFromContentsOfURL("file://localhost" + folder.path().string()
                                                            + "/with space/top.mustache")
                  ->renderObject({}),
              "top");
    // Only local files can be read.
    EXPECT_FALSE(MustacheTemplateRepository::templateRepositoryWithBaseURL("https://example.com/t")
                     ->templateNamed("main", &error));
    EXPECT_EQ(error.message, "No such template: `main`");
    EXPECT_FALSE(MustacheTemplate::templateFromContentsOfURL("https://example.com/t/main.mustache", &error));
    EXPECT_EQ(error.code, MustacheErrorCodeTemplateNotFound);
}

TEST(MustacheTemplateRepository, BundleRepository)
{
    auto compiled = MustacheTemplateRepository::templateRepositoryWithBundle(nullptr, "plist")
                        ->templateNamed("W3CNames-Basic");
    ASSERT_TRUE(compiled);
    EXPECT_NE(compiled->renderObject({})->find("<plist"), std::string::npos);
    Error error;
    EXPECT_FALSE(MustacheTemplate::templateFromResource("NoSuchResource", nullptr, &error));
    EXPECT_EQ(error.code, MustacheErrorCodeTemplateNotFound);
}

TEST(MustacheTemplateRepository, CustomDataSource)
{
    class Source final : public MustacheTemplateRepositoryDataSource {
    public:
        Value templateIDForName(MustacheTemplateRepository&, const std::string& name, const Value&) override
        {
            return name == "bad" || name == "ok" ? Value(name) : Value();
        }
        std::optional<std::string> templateStringForTemplateID(MustacheTemplateRepository&, const Value& id,
                                                               Error* error) override
        {
            if (*id.string() == "ok")
                return std::string("fine");
            *error = Error{"io", 5, "unreadable"};
            return std::nullopt;
        }
    } source;
    auto repository = MustacheTemplateRepository::templateRepository();
    repository->setDataSource(&source);
    Error error;
    EXPECT_EQ(repository->templateNamed("ok", &error)->renderObject({}), "fine");
    EXPECT_FALSE(repository->templateNamed("bad", &error));
    EXPECT_EQ(error, (Error{"io", 5, "unreadable"}));
}

TEST(MustacheTemplateRepository, TemplatesCompiledWhileRenderingUseTheCurrentRepository)
{
    auto repository = MustacheTemplateRepository::templateRepositoryWithDictionary(Dictionary{{"p", Value("P")}});
    repository->configuration().setContentType(MustacheContentTypeText);
    const Value inner = MustacheFilter::filterWithBlock([](const Value& text) {
        const auto compiled = MustacheTemplate::templateFromString(*text.string());
        return compiled ? Value(compiled) : Value("not compiled");
    });
    auto compiled = repository->templateFromString("{{compile(text)}}");
    EXPECT_EQ(compiled->renderObject(Value(Dictionary{{"compile", inner}, {"text", Value("{{>p}}<{{x}}")},
                                                      {"x", Value("&")}})),
              "P<&");
    EXPECT_EQ(MustacheRendering::currentTemplateRepository(), nullptr);
}
