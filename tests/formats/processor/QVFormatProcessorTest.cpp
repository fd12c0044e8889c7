#include "formats/processor/QVFormatProcessor.h"

#include "FakeRunningApplications.h"

#include "formats/processor/QVColorNameTable.h"
#include "formats/processor/QVTemplateSymbols.h"
#include "foundation/UserDefaults.h"
#include "tests/foundation/TemporaryFolder.h"

#include "formats/template/MustacheConfiguration.h"
#include "formats/template/MustacheContext.h"
#include "formats/template/MustacheTemplate.h"

#include <gtest/gtest.h>


namespace {

QVFormatDefinition formatWithProfile(const std::string& profile)
{
    return QVFormatDefinition(Dictionary{{"name", Value("Test")}, {"group", Value("test")}, {"colorProfile", Value(profile)},
        {"exportFormat", Value("{{hexColor(color)}}")}, {"target", Value("clipboard")}, {"script", Value("")}});
}

Value style(const char* group, Dictionary values)
{
    return Value(Dictionary{{group, Value(std::move(values))}});
}

class QVFormatProcessorTest : public ::testing::Test {
protected:
    // The application renders formats as text, never as HTML.
    QVFormatProcessorTest() { MustacheConfiguration::defaultConfiguration().setContentType(MustacheContentTypeText); }

    std::string render(const std::string& text) const { return m_processor.renderFormat(text).value_or("<nil>"); }

    QVFormatProcessor m_processor{std::make_shared<FakeRunningApplications>(
        std::vector<std::string>{"systemd", "Adobe Illustrator 2024", "Adobe Photoshop 2024"})};
};

} // namespace

TEST_F(QVFormatProcessorTest, NewProcessorRendersTransparentBlackInSRGB)
{
    EXPECT_EQ(render("{{hexColor(color)}}"), "0x000000");
    EXPECT_EQ(render("{{colorProfile}}"), "srgb");
    EXPECT_EQ(m_processor.currentProfile(), "");
    const auto environment = m_processor.environment();
    EXPECT_TRUE(environment->get("format").isNil());
    EXPECT_EQ(environment->get("colorValues").dictionary()->keys(),
        (std::vector<std::string>{"srgb", "linearsrgb", "device", "calibrated"}));
}

TEST_F(QVFormatProcessorTest, EnvironmentHoldsSymbolsFiltersAndCodeStyle)
{
    const auto environment = m_processor.environment();
    for (const auto& [key, value] : QVTemplateSymbols::symbols())
        EXPECT_EQ(environment->get(key), value) << key;
    EXPECT_EQ(QVTemplateSymbols::symbols().size(), 27u);
    for (const char* filter : {"percent", "int255", "int360", "hex", "decimal", "fraction", "separator", "kvcValue",
             "kvcPercent", "kvcInt255", "kvcInt360", "kvcHex", "kvcFraction", "kvcDecimal", "int255RGBA",
             "decimalRGBA", "hexRGBA", "hexColor", "csshexColor", "labColor", "uppercase", "lowercase", "concat",
             "runningAppVersion"})
        EXPECT_FALSE(environment->get(filter).isNil()) << filter;
    EXPECT_EQ(environment->dictionary().size(), 27u + 24u + 4u);
    EXPECT_TRUE(environment->dictionary().contains("codeStyle"));
    EXPECT_EQ(render("{{codeStyle.hex.prefix}}{{codeStyle.decimal.precision}}"), "0x3");
}

TEST_F(QVFormatProcessorTest, SupportedProfilesAndColourNames)
{
    EXPECT_EQ(QVFormatProcessor::supportedColorProfiles(),
        (std::vector<std::string>{"srgb", "linearsrgb", "device", "calibrated", "generic"}));
    EXPECT_EQ(&QVFormatProcessor::loadW3CNames(), &QVColorNameTable::shared());
}

TEST_F(QVFormatProcessorTest, ProfileWithoutColourIsNotFoundUntilAColourArrives)
{
    m_processor.updateFormatParameters(formatWithProfile("generic"));
    EXPECT_EQ(render("{{colorProfile}}"), "not-found");
    EXPECT_EQ(render("{{hexColor(color)}}"), "0x000000");
    EXPECT_EQ(render("{{format.name}}"), "Test");

    m_processor.updateColorValuesWithColor(Color::sRGB(1, 0, 0));
    EXPECT_EQ(render("{{colorProfile}}"), "generic");
    EXPECT_EQ(m_processor.colorValues().size(), 5u);
}

TEST_F(QVFormatProcessorTest, UnknownProfileStaysNotFoundWithTransparentBlack)
{
    m_processor.updateColorValuesWithColor(Color::sRGB(1, 0.5, 0), formatWithProfile("cmyk"));
    EXPECT_EQ(render("{{colorProfile}}"), "not-found");
    EXPECT_EQ(render("{{hexRGBA(color, 4)}}"), "0x00 0x00 0x00 0x00");
}

TEST_F(QVFormatProcessorTest, ColourAloneKeepsTheCurrentFormatAndProfile)
{
    m_processor.updateFormatParameters(formatWithProfile("linearsrgb"));
    m_processor.updateColorValuesWithColor(Color::sRGB(0.5, 0.5, 0.5));
    EXPECT_EQ(render("{{colorProfile}} {{decimal(color, rgba.r)}}"), "linearsrgb 0.214");
    m_processor.updateColorValuesWithColor(Color::sRGB(1, 1, 1));
    EXPECT_EQ(render("{{colorProfile}} {{decimal(color, rgba.r)}}"), "linearsrgb 1");
}

TEST_F(QVFormatProcessorTest, ColourValuesPerProfile)
{
    m_processor.updateColorValuesWithColor(Color::sRGB(0.5, 0.25, 0.75, 0.5));
    const Dictionary& values = m_processor.colorValues();
    const auto component = [&](const char* profile, std::size_t i) { return values.get(profile).as<Color>()->component(i); };
    EXPECT_TRUE(values.get("srgb").isIdenticalTo(values.get("device")));
    EXPECT_EQ(values.get("srgb").as<Color>()->colorSpace(), ColorSpace::SRGB);
    EXPECT_NEAR(component("linearsrgb", 0), 0.214041, 1e-6);
    EXPECT_DOUBLE_EQ(component("linearsrgb", 3), 0.5);
    EXPECT_EQ(values.get("generic").as<Color>()->colorSpace(), ColorSpace::GenericRGB);
    EXPECT_EQ(values.get("calibrated").as<Color>()->colorSpace(), ColorSpace::CalibratedRGB);
    // The generic space's gamma 1.8 lowers mid tones.
    EXPECT_NEAR(component("generic", 0), 0.42, 0.01);
    EXPECT_DOUBLE_EQ(component("generic", 3), 0.5);
    EXPECT_EQ(render("{{int255RGBA(colorValues.srgb, 4)}}"), "128, 64, 191, 128");
}

TEST_F(QVFormatProcessorTest, ColourComponentsAreTakenAsSRGBWithoutConversion)
{
    m_processor.updateColorValuesWithColor(Color::rgb(ColorSpace::GenericRGB, 0.5, 0.25, 0.75));
    EXPECT_EQ(render("{{int255RGBA(color, 3)}}"), "128, 64, 191");
}

TEST_F(QVFormatProcessorTest, EnvironmentReadBeforeAnUpdateStaysAsItWas)
{
    const auto before = m_processor.environment();
    m_processor.updateColorValuesWithColor(Color::white());
    m_processor.applyCodeStyle(style("hex", {{"prefix", Value("#")}}));
    EXPECT_EQ(before->get("color").as<Color>()->alphaComponent(), 0.0);
    EXPECT_EQ(before->codeStyle().string(QVCodeStyle::Key::HexPrefix), "0x");
    EXPECT_EQ(m_processor.environment()->codeStyle().string(QVCodeStyle::Key::HexPrefix), "#");
}

TEST_F(QVFormatProcessorTest, ApplyCodeStyleChangesOnlyKnownKeysAndNilRestores)
{
    m_processor.updateColorValuesWithColor(Color::sRGB(2.0 / 3.0, 0, 1));
    m_processor.applyCodeStyle(style("hex", {{"useUppercase", Value::integer(1)}, {"unknown", Value::integer(5)}}));
    EXPECT_EQ(render("{{hexColor(color)}}"), "0xAA00FF");
    const Value effective = m_processor.environment()->get("codeStyle");
    EXPECT_TRUE(effective.valueForKey("hex").valueForKey("unknown").isNil());
    EXPECT_EQ(effective.valueForKey("hex").valueForKey("prefix"), Value("0x"));

    m_processor.applyCodeStyle(Value());
    EXPECT_EQ(render("{{hexColor(color)}}"), "0xaa00ff");
    EXPECT_EQ(m_processor.environment()->get("codeStyle"), m_processor.initialCodeStyle().dictionaryValue());
}

TEST_F(QVFormatProcessorTest, ApplyPreferencesReadsTheStoredStyle)
{
    const TemporaryFolder folder;
    UserDefaults defaults(folder / "settings.plist");
    defaults.setPersistent(false);
    defaults.setObject("codeStyle", style("css", {{"useUppercase", Value::integer(1)}}));
    m_processor.updateColorValuesWithColor(Color::sRGB(2.0 / 3.0, 0, 1));
    m_processor.applyPreferences(defaults);
    EXPECT_EQ(render("{{csshexColor(color)}}"), "#AA00FF");
    defaults.removeObject("codeStyle");
    m_processor.applyPreferences(defaults);
    EXPECT_EQ(render("{{csshexColor(color)}}"), "#aa00ff");
}

TEST_F(QVFormatProcessorTest, TemplatesThatFailGiveNil)
{
    EXPECT_FALSE(m_processor.renderFormat("{{#color}}"));
    EXPECT_FALSE(m_processor.renderFormat("{{nosuchfilter(color)}}"));
    EXPECT_EQ(m_processor.renderFormat(""), "");
}

TEST_F(QVFormatProcessorTest, FilterThatRaisesGivesTheErrorText)
{
    const std::string text = "{{fraction(color, 5)}}";
    const std::string rendered = render(text);
    EXPECT_EQ(rendered.rfind("Error in format: {{fraction(color, 5)}} \u2013 ", 0), 0u) << rendered;
    EXPECT_NE(rendered.find("NSNumber"), std::string::npos) << rendered;
    EXPECT_EQ(render("{{int255RGBA(color, 3, 7)}}").rfind("Error in format: ", 0), 0u);
}

TEST_F(QVFormatProcessorTest, SymbolsArePlainValues)
{
    EXPECT_EQ(render("{{concat(rgba.r, comma, space)}}"), "rgba.r, ");
    EXPECT_EQ(render("{{uppercase(colorProfile)}}"), "SRGB");
    EXPECT_EQ(render("{{lowercase(adobe.illustrator)}}"), "adobe illustrator");
    EXPECT_EQ(render("{{concat(1, TRUE, false, lab.alpha)}}"), "110lab.alpha");
}

TEST_F(QVFormatProcessorTest, RunningApplicationVersion)
{
    EXPECT_EQ(render("{{runningAppVersion(adobe.illustrator)}}"), "Adobe Illustrator 2024");
    EXPECT_EQ(render("{{runningAppVersion(adobe.photoshop)}}"), "Photoshop");
    EXPECT_EQ(render("{{runningAppVersion(1)}}"), "(runningAppStartsWith: wrong argument (1)");
}

namespace {

struct RenderCase {
    const char* name;
    Value codeStyle;
    ColorQuad color;
    const char* text;
    const char* expected;
};

Value styles(std::initializer_list<Dictionary::Entry> groups)
{
    return Value(Dictionary(groups));
}

Value group(std::initializer_list<Dictionary::Entry> values)
{
    return Value(Dictionary(values));
}

const ColorQuad kViolet{2.0 / 3.0, 0, 1, 1};
const ColorQuad kQuarter{0.25, 0, 1, 1};
const Value kBuiltIn;

} // namespace

TEST_F(QVFormatProcessorTest, FiltersInTemplates)
{
    const Value uppercaseHex = styles({{"hex", group({{"useUppercase", Value::integer(1)}})}});
    const Value noHexPrefix = styles({{"hex", group({{"usePrefix", Value::integer(0)}})}});
    const Value shorthand = styles({{"css", group({{"useHexShorthand", Value::integer(1)}})}});
    const Value shorthandUpper = styles({{"css", group({{"useHexShorthand", Value::integer(1)}, {"useUppercase", Value::integer(1)}})}});
    const Value suffix = styles({{"decimal", group({{"useSuffix", Value::integer(1)}})}});
    const Value suffixNoZero = styles({{"decimal", group({{"useSuffix", Value::integer(1)}, {"removeLeadingZero", Value::integer(1)}})}});
    const Value longZeros = styles({{"decimal", group({{"shortenOneAndZero", Value::integer(0)}, {"removeTrailingZeroes", Value::integer(0)}})}});
    const Value noCsv = styles({{"whiteSpace", group({{"csv", Value::integer(0)}})}});
    const Value kvc = styles({{"whiteSpace", group({{"kvc", Value::integer(1)}})}});
    const Value kvcList = styles({{"int", group({{"listseparator", Value(":")}})}, {"whiteSpace", group({{"kvc", Value::integer(1)}})}});

    const std::vector<RenderCase> cases{
        {"hexColor", kBuiltIn, kViolet, "{{hexColor(color)}}", "0xaa00ff"},
        {"hexColor upper", uppercaseHex, kViolet, "{{hexColor(color)}}", "0xAA00FF"},
        {"hexColor no prefix", noHexPrefix, kViolet, "{{hexColor(color)}}", "aa00ff"},
        {"csshexColor", kBuiltIn, kViolet, "{{csshexColor(color)}}", "#aa00ff"},
        {"csshexColor shorthand", shorthand, kViolet, "{{csshexColor(color)}}", "#a0f"},
        {"csshexColor shorthand upper", shorthandUpper, kViolet, "{{csshexColor(color)}}", "#A0F"},
        {"hex", kBuiltIn, kViolet, "{{hex(color, rgba.r)}}", "0xaa"},
        {"hex no prefix", kBuiltIn, kViolet, "{{hex(color, rgba.r, false)}}", "aa"},
        {"hex out of range", uppercaseHex, {-0.5, 0, 0.05, 1}, "{{hex(color, rgba.r, false)}} {{hex(color, rgba.b)}}",
            "FFFFFF80 0x0D"},
        {"int255RGBA", kBuiltIn, kViolet, "{{int255RGBA(color, 3)}}", "170, 0, 255"},
        {"int255RGBA comma", kBuiltIn, kViolet, "{{int255RGBA(color, 3, comma)}}", "170,0,255"},
        {"hexRGBA", kBuiltIn, kViolet, "{{hexRGBA(color, 4)}}", "0xaa 0x00 0xff 0xff"},
        {"int255RGBA none", kBuiltIn, kViolet, "{{int255RGBA(color, 0)}}", ""},
        {"decimal", kBuiltIn, kQuarter, "{{decimal(color, rgba.r)}}", "0.25"},
        {"decimal suffix", suffix, kQuarter, "{{decimal(color, rgba.r)}}", "0.25f"},
        {"decimal suffix no zero", suffixNoZero, kQuarter, "{{decimal(color, rgba.r)}}", ".25f"},
        {"decimal undecorated", suffixNoZero, kQuarter, "{{decimal(color, rgba.r, false)}}", "0.25"},
        {"decimal one", suffix, kQuarter, "{{decimal(color, rgba.b)}}", "1"},
        {"decimal zero", suffix, kQuarter, "{{decimal(color, rgba.g)}}", "0"},
        {"decimal long one", longZeros, kQuarter, "{{decimal(color, rgba.b)}}", "1.000"},
        {"decimal long zero", longZeros, kQuarter, "{{decimal(color, rgba.g)}}", "0.000"},
        {"fraction", kBuiltIn, kQuarter, "{{fraction(color, rgba.r)}}", "64/255."},
        {"fraction one", kBuiltIn, kQuarter, "{{fraction(color, rgba.b)}}", "1"},
        {"percent", kBuiltIn, kQuarter, "{{percent(color, rgba.r)}}", "25"},
        {"int360 blue", kBuiltIn, {0, 0, 1, 1}, "{{int360(color, hsla.h)}}", "240"},
        {"decimal rgba.x", kBuiltIn, kQuarter, "{{decimal(color, rgba.x)}}", "(decimal: wrong argument (2)"},
        {"decimal semicolon", kBuiltIn, kQuarter, "{{decimal(color, semicolon)}}", "(decimal: unkown color model or component)"},
        {"percent one argument", kBuiltIn, kQuarter, "{{percent(color)}}", "(int100: wrong number of arguments [2])"},
        {"separator csv", kBuiltIn, kQuarter, "{{separator(comma)}}", ", "},
        {"separator no csv", noCsv, kQuarter, "{{separator(comma)}}", ","},
        {"int255RGBA kvc", kvcList, kQuarter, "{{int255RGBA(color, 2)}}", "64: 0"},
        {"kvcInt255", kvc, kQuarter, "{{kvcInt255(color, rgba.r)}}", " 64"},
        {"kvcValue", kvc, kQuarter, "{{kvcValue(point)}}", " ."},
        {"kvcHex error", kvc, kQuarter, "{{kvcHex(color)}}", " (hex: wrong number of arguments [2, 3])"},
        {"kvcDecimal", kvc, kQuarter, "{{kvcDecimal(color, rgba.r)}}", " 0.25"},
        {"kvcFraction", kBuiltIn, kQuarter, "{{kvcFraction(color, rgba.r)}}", "64/255."},
        {"kvcPercent unknown", kBuiltIn, kQuarter, "{{kvcPercent(color, semicolon)}}", "(decimal: unkown color model or component)"},
        {"kvcInt360", kvc, {0, 0, 1, 1}, "{{kvcInt360(color, hsba.h)}}", " 240"},
        {"labColor", kBuiltIn, {1, 1, 1, 1}, "{{labColor(color, 3)}}", "100, 0, 0"},
        {"decimalRGBA fractions", styles({{"decimal", group({{"useFractions", Value::integer(1)}})}}), kQuarter,
            "{{decimalRGBA(color, 4, space)}}", "64/255. 0 1 1"},
        {"decimalRGBA undecorated", styles({{"decimal", group({{"useFractions", Value::integer(1)}})}}), kQuarter,
            "{{decimalRGBA(color, 2, space, false)}}", "0.25 0"},
        {"W3C name", styles({{"css", group({{"useW3CNames", Value::integer(1)}})}}), {1, 0.388235, 0.278431, 1},
            "{{csshexColor(color)}}", "tomato"},
        {"uppercase filter result", kBuiltIn, kViolet, "{{uppercase(hex(color, rgba.r, false))}}", "AA"},
        {"misused filter keeps the rest", kBuiltIn, kViolet, "a{{hex(color)}}b", "a(hex: wrong number of arguments [2, 3])b"},
    };
    for (const RenderCase& c : cases) {
        m_processor.applyCodeStyle(c.codeStyle);
        m_processor.updateColorValuesWithColor(Color::sRGB(c.color[0], c.color[1], c.color[2], c.color[3]));
        EXPECT_EQ(render(c.text), c.expected) << c.name;
    }
}

TEST(QVFormatProcessorLifetimeTest, FiltersOfAKeptEnvironmentRenderNothingOnceTheProcessorIsGone)
{
    MustacheConfiguration::defaultConfiguration().setContentType(MustacheContentTypeText);
    std::shared_ptr<const QVTemplateEnvironment> environment;
    {
        QVFormatProcessor processor(std::make_shared<FakeRunningApplications>());
        processor.updateColorValuesWithColor(Color::white());
        environment = processor.environment();
    }
    const auto compiled = MustacheTemplate::templateFromString("[{{hexColor(color)}}]");
    ASSERT_TRUE(compiled);
    EXPECT_EQ(compiled->renderObject(Value(std::shared_ptr<const Object>(environment))), "[]");
}

TEST_F(QVFormatProcessorTest, ReusedTemplatesFollowTheColourAndTheContentType)
{
    const std::string text = "{{hexColor(color)}} {{colorProfile}}";
    m_processor.updateColorValuesWithColor(Color::sRGB(1, 0, 0), formatWithProfile("srgb"));
    EXPECT_EQ(render(text), "0xff0000 srgb");
    m_processor.updateColorValuesWithColor(Color::sRGB(0, 0, 1), formatWithProfile("device"));
    EXPECT_EQ(render(text), "0x0000ff device");

    // A template that does not compile stays nil however often it is asked for.
    EXPECT_EQ(render("{{#color}}"), "<nil>");
    EXPECT_EQ(render("{{#color}}"), "<nil>");

    QVFormatDefinition tagged(Dictionary{{"name", Value("a<b")}, {"group", Value("test")},
        {"colorProfile", Value("srgb")}, {"exportFormat", Value("")}, {"target", Value("clipboard")}});
    m_processor.updateFormatParameters(tagged);
    EXPECT_EQ(render("{{format.name}}"), "a<b");
    MustacheConfiguration::defaultConfiguration().setContentType(MustacheContentTypeHTML);
    const std::string escaped = render("{{format.name}}");
    MustacheConfiguration::defaultConfiguration().setContentType(MustacheContentTypeText);
    EXPECT_EQ(escaped, "a&lt;b");
    EXPECT_EQ(render("{{format.name}}"), "a<b");
}

TEST_F(QVFormatProcessorTest, ReusedTemplatesFollowTheEngineDelimitersAndBaseContext)
{
    MustacheConfiguration& configuration = MustacheConfiguration::defaultConfiguration();
    EXPECT_EQ(render("{{colorProfile}}{{extra}}"), "srgb");

    configuration.setTagStartDelimiter("<%");
    configuration.setTagEndDelimiter("%>");
    const std::string underOtherDelimiters = render("{{colorProfile}}{{extra}}");
    const std::string withOtherDelimiters = render("<%colorProfile%>");
    configuration.setTagStartDelimiter("{{");
    configuration.setTagEndDelimiter("}}");
    EXPECT_EQ(underOtherDelimiters, "{{colorProfile}}{{extra}}");
    EXPECT_EQ(withOtherDelimiters, "srgb");

    const MustacheContextPtr base = configuration.baseContext();
    configuration.setBaseContext(MustacheContext::contextWithObject(Value(Dictionary{{"extra", Value("+")}})));
    const std::string withBaseContext = render("{{colorProfile}}{{extra}}");
    configuration.setBaseContext(base);
    EXPECT_EQ(withBaseContext, "srgb+");
    EXPECT_EQ(render("{{colorProfile}}{{extra}}"), "srgb");
}
