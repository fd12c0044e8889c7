#include "TemplateTestSupport.h"

#include "formats/template/MustacheError.h"
#include "formats/template/MustacheFilter.h"
#include "formats/template/MustacheRendering.h"
#include "formats/template/MustacheRenderingEngine.h"
#include "formats/template/MustacheTag.h"
#include "formats/template/MustacheTagDelegate.h"

#include "foundation/Exception.h"
#include "foundation/StringUtils.h"

#include <gtest/gtest.h>

namespace {

Value list(std::vector<Value> items)
{
    return Value(std::move(items));
}

// Upper-cases every value and records what was rendered.
class Shouter final : public Object, public MustacheTagDelegate {
public:
    Value mustacheTagWillRenderObject(const MustacheTag&, const Value& object) const override
    {
        return object.string() ? Value(strings::uppercase(*object.string())) : object;
    }
    void mustacheTagDidRenderObject(const MustacheTag&, const Value&, const std::string& rendering) const override
    {
        rendered->push_back(rendering);
    }
    void mustacheTagDidFailRenderingObject(const MustacheTag&, const Value&, const Error& error) const override
    {
        failures->push_back(error.message);
    }

    std::shared_ptr<std::vector<std::string>> rendered = std::make_shared<std::vector<std::string>>();
    std::shared_ptr<std::vector<std::string>> failures = std::make_shared<std::vector<std::string>>();
};

} // namespace

TEST(MustacheRenderingEngine, MissingValues)
{
    EXPECT_EQ(render("[{{name}}]"), "[]");
    EXPECT_EQ(render("{{^name}}none{{/name}}"), "none");
    EXPECT_EQ(render("{{#name}}some{{/name}}"), "");
    EXPECT_EQ(render(""), "");
}

TEST(MustacheRenderingEngine, HTMLEscapingFollowsTheContentType)
{
    const Value data(Dictionary{{"s", Value("a<b & \"c\" 'd'")}});
    EXPECT_EQ(render("{{s}}", data), "a&lt;b &amp; &quot;c&quot; &apos;d&apos;");
    EXPECT_EQ(render("{{{s}}}", data), "a<b & \"c\" 'd'");
    EXPECT_EQ(render("{{&s}}", data), "a<b & \"c\" 'd'");
    for (const char* text : {"{{s}}", "{{{s}}}", "{{&s}}"})
        EXPECT_EQ(renderText(text, data), "a<b & \"c\" 'd'") << text;
    EXPECT_EQ(render("{{%CONTENT_TYPE:TEXT}}{{s}}", data), "a<b & \"c\" 'd'");
}

TEST(MustacheRenderingEngine, TruthOfValues)
{
    const std::string text = "{{#flag}}yes{{/flag}}";
    EXPECT_EQ(render(text, Value(Dictionary{{"flag", Value::integer(1)}})), "yes");
    EXPECT_EQ(render(text, Value(Dictionary{{"flag", Value::boolean(true)}})), "yes");
    EXPECT_EQ(render(text, Value(Dictionary{{"flag", Value::integer(0)}})), "");
    EXPECT_EQ(render(text, Value(Dictionary{{"flag", Value("")}})), "");
    EXPECT_EQ(render(text, Value(Dictionary{{"flag", Value::null()}})), "");
    EXPECT_EQ(render(text, Value(Dictionary{{"flag", Value(Dictionary{})}})), "yes");
    EXPECT_EQ(render(text, Value(Dictionary{{"flag", Value(std::make_shared<Person>("x"))}})), "yes");
}

TEST(MustacheRenderingEngine, Lists)
{
    const Value ab(Dictionary{{"list", list({Value("a"), Value("b")})}});
    const Value empty(Dictionary{{"list", list({})}});
    EXPECT_EQ(render("{{#list}}[{{.}}]{{/list}}", ab), "[a][b]");
    EXPECT_EQ(render("{{#list}}[{{.}}]{{/list}}", empty), "");
    EXPECT_EQ(render("{{^list}}empty{{/list}}", empty), "empty");
    EXPECT_EQ(render("{{list}}", ab), "ab");
    EXPECT_EQ(render("{{list.count}}", ab), "2");

    const Value nested(Dictionary{{"list", list({list({Value("a"), Value("b")}), list({Value("c")})})}});
    EXPECT_EQ(render("{{#list}}({{#.}}{{.}}{{/.}}){{/list}}", nested), "(ab)(c)");
}

TEST(MustacheRenderingEngine, WhatSectionsPush)
{
    const Value data(Dictionary{{"n", Value::integer(3)}, {"s", Value("str")}, {"top", Value("T")},
                                {"d", Value(Dictionary{{"top", Value("inner")}})}});
    EXPECT_EQ(render("{{#n}}{{.}}{{/n}}", data), render("{{.}}", data));
    EXPECT_EQ(render("{{#s}}{{.}}{{/s}}", data), "str");
    EXPECT_EQ(render("{{#d}}{{top}}{{/d}}{{top}}", data), "innerT");
    EXPECT_EQ(render("{{#numbers}}{{.}},{{/numbers}}",
                     Value(Dictionary{{"numbers", list({Value::integer(1), Value::real(0.5)})}})),
              "1,0.5,");
}

TEST(MustacheRenderingEngine, VariableTagsShowDescriptions)
{
    const Value dictionary(Dictionary{{"k", Value("v")}});
    EXPECT_EQ(renderText("{{d}}", Value(Dictionary{{"d", dictionary}})), dictionary.description());
    EXPECT_EQ(renderText("{{n}} {{b}} {{x}}", Value(Dictionary{{"n", Value::real(1.21)}, {"b", Value::boolean(true)},
                                                              {"x", Value::null()}})),
              "1.21 1 ");
}

TEST(MustacheRenderingEngine, ScopesAndImplicitIterator)
{
    const Value data(Dictionary{{"user", Value(Dictionary{{"name", Value("Ann")}})}, {"name", Value("outer")}});
    EXPECT_EQ(render("{{user.name}} {{#user}}{{name}} {{.name}}{{/user}}", data), "Ann Ann Ann");
    EXPECT_EQ(render("{{user.missing.deeper}}|{{#user}}{{.missing}}{{/user}}", data), "|");
}

TEST(MustacheRenderingEngine, FilterErrorsStopTheRendering)
{
    const Value data(Dictionary{{"x", Value("1")}, {"notAFilter", Value("plain")}});
    EXPECT_EQ(render("before {{f(x)}}", data),
              "<error: Missing filter in tag `{{f(x)}}` at line 1>");
    EXPECT_EQ(render("\n{{#notAFilter(x)}}{{/notAFilter(x)}}", data),
              "<error: Object does not conform to MustacheFilter protocol in tag `{{#notAFilter(x)}}` at line 2: "
              "plain>");

    auto repository = MustacheTemplateRepository::templateRepositoryWithDictionary(
        Dictionary{{"p", Value("{{f(x)}}")}});
    Error error;
    auto compiled = repository->templateNamed("p", &error);
    ASSERT_TRUE(compiled);
    EXPECT_FALSE(compiled->renderObject(data, &error));
    EXPECT_EQ(error.code, MustacheErrorCodeRenderingError);
    EXPECT_EQ(error.message, "Missing filter in tag `{{f(x)}}` at line 1 of template p");
}

TEST(MustacheRenderingEngine, TagDelegatesObserveAndReplace)
{
    auto shouter = std::make_shared<Shouter>();
    const Value data(Dictionary{{"a", Value("x")}, {"b", Value("<y>")}});
    auto repository = MustacheTemplateRepository::templateRepository();
    auto compiled = repository->templateFromString("{{a}}-{{b}}{{f(a)}}");
    ASSERT_TRUE(compiled);
    compiled->extendBaseContextWithTagDelegate(Value(shouter));
    Error error;
    EXPECT_FALSE(compiled->renderObject(data, &error));
    EXPECT_EQ(*shouter->rendered, (std::vector<std::string>{"X", "&lt;Y&gt;"}));
    EXPECT_TRUE(shouter->failures->empty());

    auto failing = repository->templateFromString("{{r}}");
    failing->extendBaseContextWithTagDelegate(Value(shouter));
    const Value broken = MustacheRendering::renderingObjectWithBlock(
        [](const MustacheTag&, const MustacheContextPtr&, bool&, Error& e) -> std::optional<std::string> {
            e = Error{"custom", 7, "broken"};
            return std::nullopt;
        });
    EXPECT_FALSE(failing->renderObject(Value(Dictionary{{"r", broken}}), &error));
    EXPECT_EQ(error, (Error{"custom", 7, "broken"}));
    EXPECT_EQ(*shouter->failures, std::vector<std::string>{"broken"});
}

TEST(MustacheRenderingEngine, RenderingObjects)
{
    const Value safe = MustacheRendering::renderingObjectWithBlock(
        [](const MustacheTag& tag, const MustacheContextPtr& context, bool& HTMLSafe,
           Error& error) -> std::optional<std::string> {
            std::optional<std::string> inner = tag.renderContentWithContext(context, HTMLSafe, error);
            return inner ? "<b>" + *inner + "</b>" : inner;
        });
    const Value data(Dictionary{{"bold", safe}, {"name", Value("&")}});
    EXPECT_EQ(render("{{#bold}}{{name}}{{/bold}}", data), "<b>&amp;</b>");
    EXPECT_EQ(render("{{^bold}}hidden{{/bold}}", data), "");
    EXPECT_THROW(MustacheRendering::renderingObjectWithBlock(nullptr), Exception);
}

TEST(MustacheRenderingEngine, ContextsKeptByARenderingStayTheirItems)
{
    // The kept contexts hold the data that holds this block, so the block must not own them.
    std::vector<MustacheContextPtr> kept;
    const Value keep = MustacheRendering::renderingObjectWithBlock(
        [&kept](const MustacheTag&, const MustacheContextPtr& context, bool&, Error&) -> std::optional<std::string> {
            kept.push_back(context);
            return "";
        });
    const Value data(Dictionary{{"keep", keep},
                                {"list", list({Value(Dictionary{{"name", Value("a")}}),
                                               Value(Dictionary{{"name", Value("b")}}), Value("c")})}});
    EXPECT_EQ(render("{{#list}}{{name}}{{keep}}{{/list}}", data), "ab");
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[0]->valueForMustacheKey("name"), Value("a"));
    EXPECT_EQ(kept[1]->valueForMustacheKey("name"), Value("b"));
    EXPECT_EQ(kept[2]->topMustacheObject(), Value("c"));
}

TEST(MustacheRenderingEngine, MixedEscapingInOneListRaises)
{
    const Value safe = MustacheRendering::renderingObjectWithBlock(
        [](const MustacheTag&, const MustacheContextPtr&, bool& HTMLSafe, Error&) -> std::optional<std::string> {
            HTMLSafe = true;
            return "safe";
        });
    const Value data(Dictionary{{"list", list({safe, Value("plain")})}});
    try {
        render("{{list}}", data);
        FAIL() << "no exception";
    } catch (const Exception& exception) {
        EXPECT_EQ(exception.name(), "MustacheRenderingException");
        EXPECT_EQ(exception.reason(), "Inconsistant HTML escaping of items in enumeration");
    }
}

TEST(MustacheRenderingEngine, ProtectedValuesRenderWithTheirOwnerHidden)
{
    auto repository = MustacheTemplateRepository::templateRepository();
    auto compiled = repository->templateFromString("{{#item}}{{name}}{{/item}}");
    compiled->extendBaseContextWithProtectedObject(
        Value(Dictionary{{"item", Value(Dictionary{{"name", Value("protected item")}})}}));
    EXPECT_EQ(compiled->renderObject(Value(Dictionary{{"name", Value("data")}})), "data");
}

TEST(MustacheRenderingEngine, Inheritance)
{
    const Dictionary partials{
        {"layout", Value("<h>{{$title}}Default{{/title}}</h>{{$body}}no body{{/body}}")},
        {"middle", Value("{{<layout}}{{$title}}Middle{{/title}}{{/layout}}")},
    };
    EXPECT_EQ(render("{{<layout}}ignored{{$body}}Mine{{/body}}{{/layout}}", {}, MustacheContentTypeHTML, partials),
              "<h>Default</h>Mine");
    EXPECT_EQ(render("{{<middle}}{{$title}}Outer{{/title}}{{/middle}}", {}, MustacheContentTypeHTML, partials),
              "<h>Outer</h>no body");
    EXPECT_EQ(render("{{$title}}standalone{{/title}}", {}, MustacheContentTypeHTML, partials), "standalone");
}

TEST(MustacheRenderingEngine, InheritanceThroughPartialsThatIncludeThemselves)
{
    const Dictionary partials{
        {"layout", Value("[{{$title}}Default{{/title}}]")},
        {"loop", Value("{{$title}}Looped{{/title}}{{#more}}{{>loop}}{{/more}}")},
        {"middle", Value("{{<layout}}{{>loop}}{{/layout}}")},
    };
    EXPECT_EQ(renderText("{{<layout}}{{>loop}}{{/layout}}", {}, partials), "[Looped]");
    EXPECT_EQ(renderText("{{<middle}}{{/middle}}", {}, partials), "[Looped]");
    EXPECT_EQ(renderText("{{<layout}}{{$title}}Mine{{/title}}{{>loop}}{{/layout}}", {}, partials), "[Looped]");
}

TEST(MustacheRenderingEngine, SectionsAtTheNestingLimitRender)
{
    std::string text;
    for (int i = 0; i < MustacheRenderingEngine::kMaximumDepth; ++i)
        text += "{{#a}}";
    text += "x";
    for (int i = 0; i < MustacheRenderingEngine::kMaximumDepth; ++i)
        text += "{{/a}}";
    EXPECT_EQ(renderText(text, Value(Dictionary{{"a", Value::boolean(true)}})), "x");
}

TEST(MustacheRenderingEngine, RenderingsThatMultiplyTheirWorkFail)
{
    Dictionary colorValues;
    for (const char* key : {"r", "g", "b", "a", "hex"})
        colorValues.set(key, Value(std::string(1 << 20, 'v')));
    const Value data(Dictionary{{"colorValues", Value(std::move(colorValues))}});
    std::string text = "{{#each(colorValues)}}{{/each(colorValues)}}";
    for (int level = 1; level < 10; ++level)
        text = "{{#each(colorValues)}}" + text + "{{/each(colorValues)}}";
    EXPECT_EQ(renderText(text, data), "<error: Rendering takes more than 1048576 steps>");
    EXPECT_EQ(renderText("{{#each(colorValues)}}{{#each(colorValues)}}{{.}}{{/each(colorValues)}}{{/each(colorValues)}}",
                         data),
              "<error: Rendering produces more than 16777216 bytes>");
    EXPECT_EQ(renderText("{{#each(colorValues)}}{{.}}{{/each(colorValues)}}", data).size(), 5u << 20);
}

TEST(MustacheRenderingEngine, PartialsOfAnotherContentTypeAreEscapedOnce)
{
    const Dictionary partials{{"text", Value("{{%CONTENT_TYPE:TEXT}}{{s}}")}};
    const Value data(Dictionary{{"s", Value("<b>")}});
    EXPECT_EQ(render("{{>text}}|{{s}}", data, MustacheContentTypeHTML, partials), "&lt;b&gt;|&lt;b&gt;");
}

TEST(MustacheRenderingEngine, WholeTemplates)
{
    const Dictionary partials{
        {"page", Value("{{$header}}Colors{{/header}}:\n{{$body}}{{/body}}{{>footer}}")},
        {"footer", Value("\n-- {{count}} {{#isEmpty(colors)}}none{{/isEmpty(colors)}}")},
        {"swatch", Value("{{uppercase(name)}}={{hex}}")},
    };
    const Value colors(std::vector<Value>{Value(Dictionary{{"name", Value("red")}, {"hex", Value("#F00")}}),
                                          Value(Dictionary{{"name", Value("lime")}, {"hex", Value("#0F0")}})});
    const Value data(Dictionary{{"colors", colors}, {"count", Value::integer(2)}, {"title", Value("<Mine>")}});
    const std::string text =
        "{{<page}}{{$header}}{{title}}{{/header}}"
        "{{$body}}{{#each(colors)}}{{@indexPlusOne}}. {{>swatch}}{{^@last}}; {{/@last}}{{/each(colors)}}{{/body}}"
        "{{/page}}";
    EXPECT_EQ(renderText(text, data, partials), "<Mine>:\n1. RED=#F00; 2. LIME=#0F0\n-- 2 ");
    EXPECT_EQ(render(text, data, MustacheContentTypeHTML, partials),
              "&lt;Mine&gt;:\n1. RED=#F00; 2. LIME=#0F0\n-- 2 ");
    EXPECT_EQ(renderText(text, Value(Dictionary{{"colors", Value(std::vector<Value>{})}}), partials),
              ":\n\n--  none");
}
