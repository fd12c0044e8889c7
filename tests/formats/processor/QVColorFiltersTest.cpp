#include "formats/processor/QVColorFilters.h"

#include "FakeRunningApplications.h"

#include "formats/color/Color.h"
#include "formats/processor/QVCodeStyle.h"
#include "formats/processor/QVColorNameTable.h"
#include "foundation/Dictionary.h"
#include "foundation/Exception.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Arguments = std::vector<Value>;

const Value kViolet = Color::sRGB(2.0 / 3.0, 0, 1, 1).toValue();
const Value kQuarter = Color::sRGB(0.25, 0, 1, 1).toValue();
const Value kNumber = Value::integer(3);
const Value kText("rgba.r");

class QVColorFiltersTest : public ::testing::Test {
protected:
    QVColorFilters filters() const { return QVColorFilters(m_style, QVColorNameTable::shared(), m_applications); }
    void setStyle(const char* group, Dictionary values)
    {
        m_style = QVCodeStyle::merged(Value(Dictionary{{group, Value(std::move(values))}}));
    }

    QVCodeStyle m_style;
    FakeRunningApplications m_applications{{"bash", "Adobe Illustrator 2024", "Adobe Photoshop"}};
};

struct ErrorCase {
    const char* name;
    std::function<std::string(const QVColorFilters&, const Arguments&)> filter;
    Arguments arguments;
    const char* expected;
};

} // namespace

TEST_F(QVColorFiltersTest, ArgumentChecksAnswerTheirErrorTexts)
{
    const auto integer = [](int base) {
        return [base](const QVColorFilters& f, const Arguments& a) { return f.filterInteger(a, base); };
    };
    const auto hex = [](const QVColorFilters& f, const Arguments& a) { return f.filterHex(a); };
    const auto decimal = [](const QVColorFilters& f, const Arguments& a) { return f.filterDecimal(a); };
    const auto fraction = [](const QVColorFilters& f, const Arguments& a) { return f.filterFraction(a); };
    const auto intRGBA = [](const QVColorFilters& f, const Arguments& a) { return f.filterIntegerRGBA(a, 255); };
    const auto decimalRGBA = [](const QVColorFilters& f, const Arguments& a) { return f.filterDecimalRGBA(a); };
    const auto hexRGBA = [](const QVColorFilters& f, const Arguments& a) { return f.filterHexRGBA(a); };
    const auto hexColor = [](const QVColorFilters& f, const Arguments& a) { return f.filterHexColor(a); };
    const auto cssColor = [](const QVColorFilters& f, const Arguments& a) { return f.filterCSSHexColor(a); };
    const auto labColor = [](const QVColorFilters& f, const Arguments& a) { return f.filterLabColor(a); };

    const std::vector<ErrorCase> cases{
        {"percent count", integer(100), {kViolet}, "(int100: wrong number of arguments [2])"},
        {"int255 count", integer(255), {kViolet, kText, kText}, "(int255: wrong number of arguments [2])"},
        {"int360 colour", integer(360), {kText, kText}, "(int360: wrong argument (1)"},
        {"int255 path", integer(255), {kViolet, kNumber}, "(int255: wrong argument (2)"},
        {"int255 unknown", integer(255), {kViolet, Value("rgba.x")}, "(decimal: unkown color model or component)"},
        {"percent no point", integer(100), {kViolet, Value("rgba")}, "(decimal: unkown color model or component)"},
        {"hex count", hex, {kViolet}, "(hex: wrong number of arguments [2, 3])"},
        {"hex colour", hex, {Value::null(), kText}, "(hex: wrong argument (1)"},
        {"hex path", hex, {kViolet, Value::null()}, "(hex: wrong argument (2)"},
        {"hex unknown", hex, {kViolet, Value("xyz.r")}, "(decimal: unkown color model or component)"},
        {"decimal count", decimal, {kViolet, kText, kNumber, kNumber}, "(decimal: wrong number of arguments [2,3])"},
        {"decimal colour", decimal, {kNumber, kText}, "(decimal: wrong argument (1)"},
        {"decimal path", decimal, {kViolet, Value::null()}, "(decimal: wrong argument (2)"},
        {"decimal decoration", decimal, {kViolet, kText, kText}, "(decimal: wrong argument (3)"},
        {"decimal unknown", decimal, {kViolet, Value("semicolon")}, "(decimal: unkown color model or component)"},
        {"fraction count", fraction, {kViolet}, "(fraction: wrong number of arguments [2,3])"},
        {"fraction colour", fraction, {kText, kText}, "(fraction: wrong argument (1)"},
        {"fraction unknown", fraction, {kViolet, Value("lab.q")}, "(decimal: unkown color model or component)"},
        {"int255RGBA count", intRGBA, {kViolet}, "(int255RGBA: wrong number of arguments [2,3])"},
        {"int255RGBA colour", intRGBA, {kNumber, kNumber}, "(int255RGBA: wrong argument (1)"},
        {"int255RGBA count kind", intRGBA, {kViolet, kText}, "(int255RGBA: wrong argument (2)"},
        {"decimalRGBA count", decimalRGBA, {kViolet, kNumber, kText, kNumber, kNumber}, "(decimalRGBA: wrong number of arguments [2..4])"},
        {"decimalRGBA colour", decimalRGBA, {kText, kNumber}, "(decimalRGBA: wrong argument (1)"},
        {"decimalRGBA count kind", decimalRGBA, {kViolet, kText}, "(decimalRGBA: wrong argument (2)"},
        {"decimalRGBA separator", decimalRGBA, {kViolet, kNumber, kNumber}, "(decimalRGBA: wrong argument (3)"},
        {"decimalRGBA decoration", decimalRGBA, {kViolet, kNumber, kText, kText}, "(decimalRGBA: wrong argument (4)"},
        {"hexRGBA count", hexRGBA, {kViolet}, "(hexRGBA: wrong number of arguments [2,3])"},
        {"hexRGBA colour", hexRGBA, {kText, kNumber}, "(hexRGBA: wrong argument (1)"},
        {"hexRGBA count kind", hexRGBA, {kViolet, Value::null()}, "(hexRGBA: wrong argument (2)"},
        {"hexColor count", hexColor, {}, "(hexColor: wrong number of arguments [1,2])"},
        {"hexColor colour", hexColor, {kText}, "(hexColor: wrong argument (1)"},
        {"hexColor prefix", hexColor, {kViolet, kNumber}, "(hexColor: wrong argument (2)"},
        {"csshexColor count", cssColor, {kViolet, kText}, "(csshexColor: wrong number of arguments [1])"},
        {"csshexColor colour", cssColor, {Value::null()}, "(csshexColor: wrong argument (1)"},
        {"labColor count", labColor, {kViolet}, "(labColor: wrong number of arguments [2..3])"},
        {"labColor colour", labColor, {kText, kNumber}, "(labColor: wrong argument (1)"},
        {"labColor count kind", labColor, {kViolet, kText}, "(labColor: wrong argument (2)"},
        {"labColor separator", labColor, {kViolet, kNumber, kNumber}, "(labColor: wrong argument (3)"},
    };
    for (const ErrorCase& c : cases)
        EXPECT_EQ(c.filter(filters(), c.arguments), c.expected) << c.name;
}

TEST_F(QVColorFiltersTest, UncheckedArgumentsOfTheWrongKindRaise)
{
    EXPECT_THROW(filters().filterFraction({kViolet, kNumber}), Exception);
    EXPECT_THROW(filters().filterIntegerRGBA({kViolet, kNumber, kNumber}, 255), Exception);
    EXPECT_THROW(filters().filterHexRGBA({kViolet, kNumber, Value::null()}), Exception);
    // No component is printed, so the separator is never used.
    EXPECT_EQ(filters().filterHexRGBA({kViolet, Value::integer(0), kNumber}), "");
}

TEST_F(QVColorFiltersTest, IntegerScalesToTheBase)
{
    EXPECT_EQ(filters().filterInteger({kQuarter, Value("rgba.r")}, 100), "25");
    EXPECT_EQ(filters().filterInteger({kViolet, Value("rgba.r")}, 255), "170");
    EXPECT_EQ(filters().filterInteger({Color::sRGB(0, 0, 1).toValue(), Value("hsla.h")}, 360), "240");
    EXPECT_EQ(filters().filterInteger({kViolet, Value("rgba.a")}, 100), "100");
}

TEST_F(QVColorFiltersTest, HexPrintsTwoDigitsWithThePrefix)
{
    EXPECT_EQ(filters().filterHex({kViolet, Value("rgba.r")}), "0xaa");
    EXPECT_EQ(filters().filterHex({kViolet, Value("rgba.r"), Value::integer(0)}), "aa");
    EXPECT_EQ(filters().filterHex({kViolet, Value("rgba.r"), Value::integer(1)}), "0xaa");
    setStyle("hex", {{"useUppercase", Value::integer(1)}, {"prefix", Value("$")}});
    EXPECT_EQ(filters().filterHex({kViolet, Value("rgba.r")}), "$AA");
    setStyle("hex", {{"usePrefix", Value::integer(0)}});
    EXPECT_EQ(filters().filterHex({kViolet, Value("rgba.b")}), "ff");
}

TEST_F(QVColorFiltersTest, DecimalAndFraction)
{
    EXPECT_EQ(filters().filterDecimal({kQuarter, Value("rgba.r")}), "0.25");
    EXPECT_EQ(filters().filterDecimal({kQuarter, Value("rgba.b")}), "1");
    EXPECT_EQ(filters().filterDecimal({kQuarter, Value("rgba.g")}), "0");
    EXPECT_EQ(filters().filterFraction({kQuarter, Value("rgba.r")}), "64/255.");
    EXPECT_EQ(filters().filterFraction({kQuarter, Value("rgba.b")}), "1");
    setStyle("decimal", {{"useSuffix", Value::integer(1)}, {"useFractions", Value::integer(1)}});
    // Fractions stand for decorated decimals only.
    EXPECT_EQ(filters().filterDecimal({kQuarter, Value("rgba.r")}), "64/255.");
    EXPECT_EQ(filters().filterDecimal({kQuarter, Value("rgba.r"), Value::integer(0)}), "0.25");
}

TEST_F(QVColorFiltersTest, DecimalPrintsLabLightnessWithAllIntegerDigits)
{
    const Value red = Color::sRGB(1, 0, 0).toValue();
    const std::string lightness = filters().filterDecimal({red, Value("lab.l")});
    EXPECT_EQ(lightness.substr(0, 3), "54.");
}

TEST_F(QVColorFiltersTest, ListsJoinTheFirstComponents)
{
    EXPECT_EQ(filters().filterIntegerRGBA({kViolet, Value::integer(3)}, 255), "170, 0, 255");
    EXPECT_EQ(filters().filterIntegerRGBA({kViolet, Value::integer(3), Value(",")}, 255), "170,0,255");
    EXPECT_EQ(filters().filterIntegerRGBA({kViolet, Value::integer(0)}, 255), "");
    EXPECT_EQ(filters().filterHexRGBA({kViolet, Value::integer(4)}), "0xaa 0x00 0xff 0xff");
    EXPECT_EQ(filters().filterDecimalRGBA({kQuarter, Value::integer(4)}), "0.25, 0, 1, 1");
    EXPECT_EQ(filters().filterDecimalRGBA({kQuarter, Value::integer(2), Value(";")}), "0.25;0");
    EXPECT_EQ(filters().filterLabColor({Color::sRGB(1, 0, 0).toValue(), Value::integer(4)}), "54, 81, 70, 1");
    EXPECT_EQ(filters().filterLabColor({Color::white().toValue(), Value::integer(3), Value(" ")}), "100 0 0");
}

TEST_F(QVColorFiltersTest, ListCountsAreClampedToTheFourComponents)
{
    EXPECT_EQ(filters().filterIntegerRGBA({kViolet, Value::integer(9)}, 255), "170, 0, 255, 255");
    EXPECT_EQ(filters().filterHexRGBA({kViolet, Value::integer(-2)}), "");
    EXPECT_EQ(filters().filterLabColor({kViolet, Value::integer(5)}).size(),
              filters().filterLabColor({kViolet, Value::integer(4)}).size());
}

TEST_F(QVColorFiltersTest, LabListOfAColourWithoutNumbersPrintsZeros)
{
    EXPECT_EQ(filters().filterLabColor({Color::sRGB(NAN, NAN, NAN).toValue(), Value::integer(4)}), "0, 0, 0, 1");
    EXPECT_EQ(filters().filterLabColor({Color::sRGB(1e300, 0, 0).toValue(), Value::integer(1)}), "9200000000000000000");
}

TEST_F(QVColorFiltersTest, ListSeparatorsFollowTheSeparatorRule)
{
    setStyle("int", {{"listseparator", Value(":")}});
    EXPECT_EQ(filters().filterIntegerRGBA({kQuarter, Value::integer(2)}, 255), "64:0");
    m_style = QVCodeStyle::merged(Value(Dictionary{{"int", Value(Dictionary{{"listseparator", Value(":")}})},
        {"whiteSpace", Value(Dictionary{{"kvc", Value::integer(1)}})}}));
    EXPECT_EQ(filters().filterIntegerRGBA({kQuarter, Value::integer(2)}, 255), "64: 0");
    setStyle("whiteSpace", {{"csv", Value::integer(0)}});
    EXPECT_EQ(filters().filterIntegerRGBA({kViolet, Value::integer(3)}, 255), "170,0,255");
}

TEST_F(QVColorFiltersTest, HexColorAndCSSColor)
{
    EXPECT_EQ(filters().filterHexColor({kViolet}), "0xaa00ff");
    EXPECT_EQ(filters().filterHexColor({kViolet, Value("#")}), "#aa00ff");
    EXPECT_EQ(filters().filterCSSHexColor({kViolet}), "#aa00ff");
    setStyle("hex", {{"useUppercase", Value::integer(1)}});
    EXPECT_EQ(filters().filterHexColor({kViolet}), "0xAA00FF");
    setStyle("hex", {{"usePrefix", Value::integer(0)}});
    EXPECT_EQ(filters().filterHexColor({kViolet}), "aa00ff");
    EXPECT_EQ(filters().filterHexColor({kViolet, Value("0x")}), "0xaa00ff");
    setStyle("css", {{"useHexShorthand", Value::integer(1)}});
    EXPECT_EQ(filters().filterCSSHexColor({kViolet}), "#a0f");
    EXPECT_EQ(filters().filterCSSHexColor({kQuarter}), "#4000ff");
    setStyle("css", {{"useHexShorthand", Value::integer(1)}, {"useUppercase", Value::integer(1)}});
    EXPECT_EQ(filters().filterCSSHexColor({kViolet}), "#A0F");
}

TEST_F(QVColorFiltersTest, CSSColorNames)
{
    setStyle("css", {{"useW3CNames", Value::integer(1)}, {"useHexShorthand", Value::integer(1)}});
    EXPECT_EQ(filters().filterCSSHexColor({Color::sRGB(1, 0, 0).toValue()}), "red");
    EXPECT_EQ(filters().filterCSSHexColor({Color::sRGB(0, 1, 1).toValue()}), "aqua");
    EXPECT_EQ(filters().filterCSSHexColor({Color::sRGB(0.4, 0.2, 0.6, 0.5).toValue()}), "rebeccapurple");
    EXPECT_EQ(filters().filterCSSHexColor({kViolet}), "#a0f");
}

TEST_F(QVColorFiltersTest, SeparatorRuleAndKeyValueBlank)
{
    EXPECT_EQ(filters().filterWhiteSpaceSeparator(","), ", ");
    EXPECT_EQ(filters().filterWhiteSpaceSeparator(":"), ":");
    EXPECT_EQ(filters().filterWhiteSpaceSeparator(";"), ";");
    EXPECT_EQ(filters().filterKVCValue("64"), "64");
    setStyle("whiteSpace", {{"csv", Value::integer(0)}, {"kvc", Value::integer(1)}});
    EXPECT_EQ(filters().filterWhiteSpaceSeparator(","), ",");
    EXPECT_EQ(filters().filterWhiteSpaceSeparator(":"), ": ");
    EXPECT_EQ(filters().filterKVCValue("64"), " 64");
}

TEST_F(QVColorFiltersTest, RunningApplicationByNamePrefix)
{
    EXPECT_EQ(filters().filterRunningAppVersion(Value("Adobe Illustrator")), "Adobe Illustrator 2024");
    EXPECT_EQ(filters().filterRunningAppVersion(Value("Adobe")), "Adobe Illustrator 2024");
    EXPECT_EQ(filters().filterRunningAppVersion(Value("adobe")), "adobe");
    EXPECT_EQ(filters().filterRunningAppVersion(Value("Photoshop")), "Photoshop");
    EXPECT_EQ(filters().filterRunningAppVersion(kNumber), "(runningAppStartsWith: wrong argument (1)");
}
