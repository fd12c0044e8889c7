#include "TemplateTestSupport.h"

#include "formats/template/Mustache.h"
#include "formats/template/MustacheFilter.h"
#include "formats/template/MustacheFormatter.h"
#include "formats/template/MustacheLocalizer.h"

#include "foundation/Bundle.h"
#include "foundation/Exception.h"
#include "foundation/PropertyList.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Formats integers as hexadecimal; other values cannot be formatted.
class HexFormatter final : public MustacheFormatter {
public:
    std::string className() const override { return "HexFormatter"; }
    std::optional<std::string> stringForObjectValue(const Value& object) const override
    {
        if (!object.isNumber())
            return std::nullopt;
        char text[32];
        std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(object.intValue()));
        return std::string(text);
    }
};

Value strings3()
{
    return Value(std::vector<Value>{Value("a"), Value("b"), Value("c")});
}

} // namespace

TEST(MustacheFilter, BlockFilters)
{
    const Value twice = MustacheFilter::filterWithBlock([](const Value& v) {
        return Value(v.description() + v.description());
    });
    const Value data(Dictionary{{"twice", twice}, {"x", Value("ab")}});
    EXPECT_EQ(render("{{twice(x)}}", data), "abab");
    EXPECT_EQ(render("{{twice(twice(x))}}", data), "abababab");
    EXPECT_EQ(render("{{twice(x, x)}}", data),
              "<error: Object does not conform to MustacheFilter protocol in tag `{{twice(x, x)}}` at line 1: abab>");
    EXPECT_THROW(MustacheFilter::filterWithBlock(nullptr), Exception);
    EXPECT_THROW(MustacheFilter::variadicFilterWithBlock(nullptr), Exception);
}

TEST(MustacheFilter, VariadicFiltersReceiveEveryArgument)
{
    auto received = std::make_shared<std::vector<std::string>>();
    const Value join = MustacheFilter::variadicFilterWithBlock([received](const std::vector<Value>& arguments) {
        std::string text;
        for (const Value& argument : arguments)
            text += argument.isNull() ? "<NSNull>" : argument.description();
        received->push_back(std::to_string(arguments.size()));
        return Value(text);
    });
    const Value data(Dictionary{{"join", join}, {"a", Value("A")}, {"b", Value("B")}, {"c", Value("C")}});
    EXPECT_EQ(renderText("{{join(a, b, c)}}", data), "ABC");
    EXPECT_EQ(renderText("{{join(missing, b)}}", data), "<NSNull>B");
    EXPECT_EQ(renderText("{{join(a)}}", data), "A");
    EXPECT_EQ(*received, (std::vector<std::string>{"3", "2", "1"}));
}

TEST(MustacheFilter, CaseFilters)
{
    const Value data(Dictionary{{"s", Value("hello wORLD")}, {"n", Value::integer(12)}, {"null", Value::null()}});
    EXPECT_EQ(renderText("{{capitalized(s)}}|{{uppercase(s)}}|{{lowercase(s)}}", data),
              "Hello World|HELLO WORLD|hello world");
    EXPECT_EQ(renderText("{{uppercase(n)}}|{{uppercase(null)}}|{{uppercase(missing)}}", data), "12||");
}

TEST(MustacheFilter, EmptinessFilters)
{
    const Value data(Dictionary{{"empty", Value("")}, {"list", Value(std::vector<Value>{})}, {"spaces", Value(" \n ")},
                                {"full", Value("x")}, {"dict", Value(Dictionary{})}});
    auto check = [&data](const std::string& filter, const std::string& key) {
        const std::string call = filter + "(" + key + ")";
        return renderText("{{#" + call + "}}Y{{/" + call + "}}{{^" + call + "}}-{{/" + call + "}}", data);
    };
    EXPECT_EQ(check("isEmpty", "empty"), "Y");
    EXPECT_EQ(check("isEmpty", "missing"), "Y");
    EXPECT_EQ(check("isEmpty", "list"), "Y");
    EXPECT_EQ(check("isEmpty", "spaces"), "-");
    EXPECT_EQ(check("isBlank", "spaces"), "Y");
    EXPECT_EQ(check("isBlank", "missing"), "Y");
    EXPECT_EQ(check("isBlank", "full"), "-");
    EXPECT_EQ(check("isEmpty", "dict"), "-");
}

TEST(MustacheFilter, Each)
{
    const Value data(Dictionary{{"list", strings3()}, {"n", Value::integer(3)},
                                {"dict", Value(Dictionary{{"x", Value::integer(1)}, {"y", Value::integer(2)}})}});
    EXPECT_EQ(renderText("{{#each(list)}}{{@indexPlusOne}}:{{.}}{{^@last}},{{/@last}}{{/each(list)}}", data),
              "1:a,2:b,3:c");
    EXPECT_EQ(renderText("{{#each(dict)}}{{@key}}={{.}}{{#@first}}!{{/@first}}{{@index}}{{@indexIsEven}} {{/each(dict)}}",
                         data),
              "x=1!01 y=210 ");
    EXPECT_EQ(renderText("{{each(list)}}", data), "abc");
    EXPECT_EQ(renderText("\n{{#each(n)}}{{/each(n)}}", data),
              "<error: each filter in tag <MustacheSectionTag `{{#each(n)}}` at line 2> expects its arguments to "
              "conform to the NSFastEnumeration protocol. 3 is not.>");
}

TEST(MustacheFilter, EachItemKeysComeFirst)
{
    const Value data(Dictionary{{"list", Value(std::vector<Value>{Value(Dictionary{{"@index", Value("own")}})})}});
    EXPECT_EQ(renderText("{{#each(list)}}{{@index}} {{@first}}{{/each(list)}}", data), "own 1");
}

TEST(MustacheFilter, Escapers)
{
    const Value data(Dictionary{{"s", Value("<b>")}, {"u", Value("a b&c")}, {"js", Value("a\n\"b\"\xE2\x80\xA8")},
                                {"null", Value::null()}});
    EXPECT_EQ(renderText("{{#HTML.escape}}{{s}}{{/HTML.escape}}", data), "&lt;b&gt;");
    EXPECT_EQ(render("{{#HTML.escape}}{{s}}{{/HTML.escape}}", data), "&amp;lt;b&amp;gt;");
    EXPECT_EQ(renderText("{{HTML.escape(s)}}|{{HTML.escape(null)}}", data), "&lt;b&gt;|");
    EXPECT_EQ(renderText("{{URL.escape(u)}}", data), "a%20b%26c");
    EXPECT_EQ(renderText("{{URL.escape(s)}}", data), "%3Cb%3E");
    EXPECT_EQ(renderText("{{#URL.escape}}{{u}}{{/URL.escape}}", data), "a%20b%26c");
    EXPECT_EQ(renderText("{{javascript.escape(js)}}", data), "a\\u000A\\u0022b\\u0022\\u2028");
    EXPECT_EQ(renderText("{{javascript.escape(u)}}", data), "a b\\u0026c");
    EXPECT_NE(renderText("{{HTML.escape}}", data).find("MustacheHTMLEscapeFilter"), std::string::npos);
}

TEST(MustacheFilter, Localize)
{
    const Value data(Dictionary{{"name", Value("Ann")}, {"count", Value::integer(3)}, {"word", Value("hello")}});
    EXPECT_EQ(renderText("{{localize(word)}}", data), "hello");
    EXPECT_EQ(renderText("{{#localize}}Hello {{name}}, 100% of {{count}}{{/localize}}", data),
              "Hello Ann, 100% of 3");
    EXPECT_EQ(renderText("{{#localize}}plain{{/localize}}", data), "plain");
    EXPECT_EQ(renderText("[{{localize}}]", data), "[]");
    // Each section collects its own arguments.
    EXPECT_EQ(renderText("{{#localize}}{{name}}{{/localize}} {{#localize}}{{count}}{{/localize}}", data), "Ann 3");

    std::string eleven;
    for (int i = 0; i < 11; ++i)
        eleven += "{{name}}";
    EXPECT_THROW(renderText("{{#localize}}" + eleven + "{{/localize}}", data), Exception);
}

TEST(MustacheFilter, NestedLocalizeKeepsItsTagsToItself)
{
    const Value data(Dictionary{{"x", Value("X")}, {"y", Value("Y")}, {"z", Value("Z")}});
    EXPECT_EQ(renderText("{{#localize}}a {{x}} {{#localize}}b {{y}}{{/localize}} {{z}}{{/localize}}", data),
              "a X b Y Z");
    EXPECT_EQ(renderText("{{#localize}}{{#localize}}{{#localize}}{{x}}{{/localize}}{{y}}{{/localize}}{{z}}"
                         "{{/localize}}",
                         data),
              "XYZ");
}

TEST(MustacheFilter, DeeplyNestedLocalizeRendersEachLevelOnce)
{
    const Value data(Dictionary{{"x", Value("x")}, {"n", Value::integer(31)}, {"hex", Value(std::make_shared<HexFormatter>())}});
    std::string text;
    for (int level = 0; level < 200; ++level)
        text = "{{#localize}}{{x}}" + text + "{{/localize}}";
    EXPECT_EQ(renderText(text, data), std::string(200, 'x'));
    // Delegates outside the section still see the values it formats.
    EXPECT_EQ(renderText("{{#hex}}{{#localize}}{{n}} of {{x}}{{/localize}}{{/hex}}", data), "0x1F of x");
}

TEST(MustacheFilter, LocalizeTranslatesThroughItsTable)
{
    const TemplateFolder folder;
    folder.write("Colors.strings", propertylist::writeXml(Value(Dictionary{
                                       {"red", Value("rouge")},
                                       {"Hello %@, 100%% of %@", Value("Bonjour %@, 100%% de %@")},
                                       {"Hi %@", Value("Salut %@")},
                                       {"%@ (nested)", Value("%@ (imbriqué)")},
                                   })));
    Bundle bundle;
    bundle.setResourceDirectory(folder.path());
    const Value data(Dictionary{{"loc", Value(std::make_shared<MustacheLocalizer>(&bundle, "Colors"))},
                                {"word", Value("red")},
                                {"name", Value("Ann")},
                                {"count", Value::integer(3)}});
    EXPECT_EQ(renderText("{{loc(word)}}|{{loc(name)}}", data), "rouge|Ann");
    EXPECT_EQ(renderText("{{#loc}}Hello {{name}}, 100% of {{count}}{{/loc}}", data), "Bonjour Ann, 100% de 3");
    // The inner section is translated on its own; its text is part of the outer key.
    EXPECT_EQ(renderText("{{#loc}}{{word}} (nested){{#loc}} Hi {{name}}{{/loc}}{{/loc}}", data),
              "red (nested) Hi Ann");
    EXPECT_EQ(renderText("{{#loc}}{{#loc}}Hi {{name}}{{/loc}}{{/loc}}", data), "Salut Ann");
}

TEST(MustacheFilter, FormattersInTheirThreeRoles)
{
    const auto formatter = std::make_shared<HexFormatter>();
    const Value data(Dictionary{{"hex", Value(formatter)},
                                {"n", Value::integer(31)},
                                {"s", Value("<s>")},
                                {"list", Value(std::vector<Value>{Value::integer(10), Value::integer(11)})}});
    EXPECT_EQ(renderText("{{hex(n)}}|{{hex(s)}}|{{#hex(s)}}formatted{{/hex(s)}}{{^hex(s)}}none{{/hex(s)}}", data),
              "0x1F||none");
    // In its section, variable tags render through it; sections inside are left alone.
    EXPECT_EQ(renderText("{{#hex}}{{n}} {{s}} {{missing}}{{#n}}[{{n}}]{{/n}}{{#list}}{{.}},{{/list}}{{/hex}}", data),
              "0x1F <s> [0x1F]0xA,0xB,");
    EXPECT_EQ(render("{{#hex}}{{s}}{{/hex}}", data), "&lt;s&gt;");
    EXPECT_EQ(renderText("{{hex}}", data), formatter->description());
}

TEST(MustacheFilter, ObjectsOfTheDataHidetheLibrary)
{
    const Value data(Dictionary{{"uppercase", Value("mine")}});
    EXPECT_EQ(renderText("{{uppercase}}", data), "mine");
    EXPECT_EQ(Mustache::libraryVersion().major, 7);
}
