#include "QVColorFilters.h"

#include "QVCodeStyle.h"
#include "QVColorNameTable.h"
#include "QVNumberFormatter.h"
#include "RunningApplications.h"

#include "formats/color/Color.h"
#include "formats/color/ColorComponentPath.h"
#include "foundation/Exception.h"
#include "foundation/StringUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>

namespace {

using Key = QVCodeStyle::Key;

constexpr const char* kUnknownComponent = "(decimal: unkown color model or component)";
constexpr const char* kIntegerArgumentCount = "(int%d: wrong number of arguments [2])";
constexpr const char* kIntegerWrongArgument = "(int%d: wrong argument (%d)";
constexpr const char* kHexArgumentCount = "(hex: wrong number of arguments [2, 3])";
constexpr const char* kHexWrongArgument1 = "(hex: wrong argument (1)";
constexpr const char* kHexWrongArgument2 = "(hex: wrong argument (2)";
constexpr const char* kDecimalArgumentCount = "(decimal: wrong number of arguments [2,3])";
constexpr const char* kDecimalWrongArgument1 = "(decimal: wrong argument (1)";
constexpr const char* kDecimalWrongArgument2 = "(decimal: wrong argument (2)";
constexpr const char* kDecimalWrongArgument3 = "(decimal: wrong argument (3)";
constexpr const char* kFractionArgumentCount = "(fraction: wrong number of arguments [2,3])";
constexpr const char* kFractionWrongArgument1 = "(fraction: wrong argument (1)";
constexpr const char* kIntegerRGBAArgumentCount = "(int%dRGBA: wrong number of arguments [2,3])";
constexpr const char* kIntegerRGBAWrongArgument = "(int%dRGBA: wrong argument (%d)";
constexpr const char* kDecimalRGBAArgumentCount = "(decimalRGBA: wrong number of arguments [2..4])";
constexpr const char* kDecimalRGBAWrongArgument1 = "(decimalRGBA: wrong argument (1)";
constexpr const char* kDecimalRGBAWrongArgument2 = "(decimalRGBA: wrong argument (2)";
constexpr const char* kDecimalRGBAWrongArgument3 = "(decimalRGBA: wrong argument (3)";
constexpr const char* kDecimalRGBAWrongArgument4 = "(decimalRGBA: wrong argument (4)";
constexpr const char* kHexRGBAArgumentCount = "(hexRGBA: wrong number of arguments [2,3])";
constexpr const char* kHexRGBAWrongArgument1 = "(hexRGBA: wrong argument (1)";
constexpr const char* kHexRGBAWrongArgument2 = "(hexRGBA: wrong argument (2)";
constexpr const char* kHexColorArgumentCount = "(hexColor: wrong number of arguments [1,2])";
constexpr const char* kHexColorWrongArgument1 = "(hexColor: wrong argument (1)";
constexpr const char* kHexColorWrongArgument2 = "(hexColor: wrong argument (2)";
constexpr const char* kCSSHexColorArgumentCount = "(csshexColor: wrong number of arguments [1])";
constexpr const char* kCSSHexColorWrongArgument1 = "(csshexColor: wrong argument (1)";
constexpr const char* kLabColorArgumentCount = "(labColor: wrong number of arguments [2..3])";
constexpr const char* kLabColorWrongArgument1 = "(labColor: wrong argument (1)";
constexpr const char* kLabColorWrongArgument2 = "(labColor: wrong argument (2)";
constexpr const char* kLabColorWrongArgument3 = "(labColor: wrong argument (3)";
constexpr const char* kRunningAppWrongArgument = "(runningAppStartsWith: wrong argument (1)";
constexpr const char* kUnrecognizedLength = "-[%@ length]: unrecognized selector sent to instance";

constexpr const char* kCsvSeparator = ",";
constexpr const char* kCsvSeparatorWide = ", ";
constexpr const char* kKvcSeparator = ":";
constexpr const char* kKvcSeparatorWide = ": ";
constexpr const char* kKvcValueBlank = " ";
constexpr const char* kColorNamePrefix = "#";

constexpr long long kMaxListCount = 4;
// Hex digits print 8-bit values.
constexpr int kHexBase = 255;

std::string formatted(const char* pattern, int first, int second = 0)
{
    char text[96];
    std::snprintf(text, sizeof text, pattern, first, second);
    return text;
}

const Color* colorOf(const Value& value)
{
    return value.as<Color>();
}

// What the filters do with a value that should have been a string and was not.
[[noreturn]] void raiseNotAString(const Value& value)
{
    const Value className(value.isNil() ? std::string("nil") : value.object()->className());
    throw Exception(kInvalidArgumentException, strings::format(kUnrecognizedLength, {className}));
}

const std::string& stringOrRaise(const Value& value)
{
    const std::string* text = value.string();
    if (!text)
        raiseNotAString(value);
    return *text;
}

std::optional<double> component(const Color& color, const std::string& path)
{
    if (!ColorComponentPath::parse(path))
        return std::nullopt;
    return color.colorComponentbyName(path);
}

std::vector<std::string> firstComponents(const ColorQuad& values, long long count,
    const std::function<std::string(double)>& print)
{
    std::vector<std::string> parts;
    for (long long i = 0; i < std::clamp(count, 0LL, kMaxListCount); ++i)
        parts.push_back(print(values[static_cast<std::size_t>(i)]));
    return parts;
}

// Half away from zero. Components of a colour that is far out of range (or not a
// number) have no integer; keep the conversion defined.
long long roundedInteger(double value)
{
    constexpr double kLimit = 9.2e18;
    if (std::isnan(value))
        return 0;
    return static_cast<long long>(std::round(std::clamp(value, -kLimit, kLimit)));
}

std::string joined(const std::vector<std::string>& parts, const Value& separator)
{
    if (parts.empty())
        return {};
    return strings::join(parts, stringOrRaise(separator));
}

} // namespace

std::string QVColorFilters::hexDigits(int value, bool uppercase) const
{
    // "%02x" or "%02X" of the value as unsigned.
    char text[16];
    char* const end = std::to_chars(text, text + sizeof text, static_cast<unsigned>(value), 16).ptr;
    std::string digits(text, end);
    if (digits.size() < 2)
        digits.insert(0, 2 - digits.size(), '0');
    if (uppercase)
        std::transform(digits.begin(), digits.end(), digits.begin(), [](char c) { return c >= 'a' ? c - 'a' + 'A' : c; });
    return digits;
}

std::string QVColorFilters::hexPrefix() const
{
    return m_style.flag(Key::HexUsePrefix) ? m_style.string(Key::HexPrefix) : std::string();
}

std::string QVColorFilters::decimalOrFraction(double value, bool decorated) const
{
    const QVNumberFormatter formatter(m_style);
    if (decorated && m_style.flag(Key::DecimalUseFractions))
        return formatter.stringForFraction(value);
    return formatter.stringForDecimal(value, decorated);
}

Value QVColorFilters::separatorArgument(const std::vector<Value>& arguments, std::size_t index, Key fallback) const
{
    return arguments.size() > index ? arguments[index] : Value(filterWhiteSpaceSeparator(m_style.string(fallback)));
}

std::string QVColorFilters::filterInteger(const std::vector<Value>& arguments, int base) const
{
    if (arguments.size() != 2)
        return formatted(kIntegerArgumentCount, base);
    const Color* color = colorOf(arguments[0]);
    if (!color)
        return formatted(kIntegerWrongArgument, base, 1);
    const std::string* path = arguments[1].string();
    if (!path)
        return formatted(kIntegerWrongArgument, base, 2);
    const auto value = component(*color, *path);
    if (!value)
        return kUnknownComponent;
    return std::to_string(Color::scaledValue(*value, base));
}

std::string QVColorFilters::filterHex(const std::vector<Value>& arguments) const
{
    if (arguments.size() != 2 && arguments.size() != 3)
        return kHexArgumentCount;
    const Color* color = colorOf(arguments[0]);
    if (!color)
        return kHexWrongArgument1;
    const std::string* path = arguments[1].string();
    if (!path)
        return kHexWrongArgument2;
    const auto value = component(*color, *path);
    if (!value)
        return kUnknownComponent;
    const std::string prefix = arguments.size() == 3 && !arguments[2].boolValue() ? std::string() : hexPrefix();
    return prefix + hexDigits(Color::scaledValue(*value, kHexBase), m_style.flag(Key::HexUseUppercase));
}

std::string QVColorFilters::filterDecimal(const std::vector<Value>& arguments) const
{
    if (arguments.size() != 2 && arguments.size() != 3)
        return kDecimalArgumentCount;
    const Color* color = colorOf(arguments[0]);
    if (!color)
        return kDecimalWrongArgument1;
    const std::string* path = arguments[1].string();
    if (!path)
        return kDecimalWrongArgument2;
    if (arguments.size() == 3 && !arguments[2].isNumber())
        return kDecimalWrongArgument3;
    const auto value = component(*color, *path);
    if (!value)
        return kUnknownComponent;
    const bool decorated = arguments.size() == 3 ? arguments[2].boolValue() : true;
    return decimalOrFraction(*value, decorated);
}

std::string QVColorFilters::filterFraction(const std::vector<Value>& arguments) const
{
    if (arguments.size() != 2)
        return kFractionArgumentCount;
    const Color* color = colorOf(arguments[0]);
    if (!color)
        return kFractionWrongArgument1;
    const auto value = component(*color, stringOrRaise(arguments[1]));
    if (!value)
        return kUnknownComponent;
    return QVNumberFormatter(m_style).stringForFraction(*value);
}

std::string QVColorFilters::filterIntegerRGBA(const std::vector<Value>& arguments, int base) const
{
    if (arguments.size() != 2 && arguments.size() != 3)
        return formatted(kIntegerRGBAArgumentCount, base);
    if (!colorOf(arguments[0]))
        return formatted(kIntegerRGBAWrongArgument, base, 1);
    if (!arguments[1].isNumber())
        return formatted(kIntegerRGBAWrongArgument, base, 2);
    const Value separator = separatorArgument(arguments, 2, Key::IntListSeparator);
    return colorAsIntRGBA(*colorOf(arguments[0]), arguments[1].integerValue(), base, separator);
}

std::string QVColorFilters::filterDecimalRGBA(const std::vector<Value>& arguments) const
{
    if (arguments.size() < 2 || arguments.size() > 4)
        return kDecimalRGBAArgumentCount;
    if (!colorOf(arguments[0]))
        return kDecimalRGBAWrongArgument1;
    if (!arguments[1].isNumber())
        return kDecimalRGBAWrongArgument2;
    if (arguments.size() >= 3 && !arguments[2].isString())
        return kDecimalRGBAWrongArgument3;
    if (arguments.size() == 4 && !arguments[3].isNumber())
        return kDecimalRGBAWrongArgument4;
    const Value separator = separatorArgument(arguments, 2, Key::DecimalListSeparator);
    const bool decorated = arguments.size() == 4 ? arguments[3].boolValue() : true;
    return colorAsDecimalRGBA(*colorOf(arguments[0]), arguments[1].integerValue(), separator, decorated);
}

std::string QVColorFilters::filterHexRGBA(const std::vector<Value>& arguments) const
{
    if (arguments.size() != 2 && arguments.size() != 3)
        return kHexRGBAArgumentCount;
    if (!colorOf(arguments[0]))
        return kHexRGBAWrongArgument1;
    if (!arguments[1].isNumber())
        return kHexRGBAWrongArgument2;
    const Value separator = separatorArgument(arguments, 2, Key::HexListSeparator);
    return colorAsHexRGBA(*colorOf(arguments[0]), arguments[1].integerValue(), separator);
}

std::string QVColorFilters::filterHexColor(const std::vector<Value>& arguments) const
{
    if (arguments.size() != 1 && arguments.size() != 2)
        return kHexColorArgumentCount;
    const Color* color = colorOf(arguments[0]);
    if (!color)
        return kHexColorWrongArgument1;
    if (arguments.size() == 2 && !arguments[1].isString())
        return kHexColorWrongArgument2;
    const std::string prefix = arguments.size() == 2 ? *arguments[1].string() : hexPrefix();
    const bool uppercase = m_style.flag(Key::HexUseUppercase);
    const ColorQuad rgba = color->getRGBAComponents();
    std::string text = prefix;
    for (std::size_t i = 0; i < 3; ++i)
        text += hexDigits(Color::scaledValue(rgba[i], kHexBase), uppercase);
    return text;
}

std::string QVColorFilters::filterCSSHexColor(const std::vector<Value>& arguments) const
{
    if (arguments.size() != 1)
        return kCSSHexColorArgumentCount;
    const Color* color = colorOf(arguments[0]);
    if (!color)
        return kCSSHexColorWrongArgument1;
    const ColorQuad rgba = color->getRGBAComponents();
    const int red = Color::scaledValue(rgba[0], kHexBase);
    const int green = Color::scaledValue(rgba[1], kHexBase);
    const int blue = Color::scaledValue(rgba[2], kHexBase);

    if (m_style.flag(Key::CssUseW3CNames)) {
        const std::string key = kColorNamePrefix + hexDigits(red, true) + hexDigits(green, true) + hexDigits(blue, true);
        if (auto name = m_colorNames.nameForKey(key))
            return *name;
    }
    const bool uppercase = m_style.flag(Key::CssUseUppercase);
    const auto isDoubleDigit = [](int value) { return value / 16 == value % 16; };
    if (m_style.flag(Key::CssUseHexShorthand) && isDoubleDigit(red) && isDoubleDigit(green) && isDoubleDigit(blue)) {
        char text[16];
        std::snprintf(text, sizeof text, uppercase ? "#%01X%01X%01X" : "#%01x%01x%01x", static_cast<unsigned>(red / 16),
            static_cast<unsigned>(green / 16), static_cast<unsigned>(blue / 16));
        return text;
    }
    return kColorNamePrefix + hexDigits(red, uppercase) + hexDigits(green, uppercase) + hexDigits(blue, uppercase);
}

std::string QVColorFilters::filterLabColor(const std::vector<Value>& arguments) const
{
    if (arguments.size() != 2 && arguments.size() != 3)
        return kLabColorArgumentCount;
    if (!colorOf(arguments[0]))
        return kLabColorWrongArgument1;
    if (!arguments[1].isNumber())
        return kLabColorWrongArgument2;
    if (arguments.size() == 3 && !arguments[2].isString())
        return kLabColorWrongArgument3;
    const Value separator = separatorArgument(arguments, 2, Key::IntListSeparator);
    return colorAsLAB(*colorOf(arguments[0]), arguments[1].integerValue(), separator);
}

std::string QVColorFilters::filterWhiteSpaceSeparator(const std::string& separator) const
{
    if (separator == kCsvSeparator && m_style.flag(Key::WhiteSpaceCsv))
        return kCsvSeparatorWide;
    if (separator == kKvcSeparator && m_style.flag(Key::WhiteSpaceKvc))
        return kKvcSeparatorWide;
    return separator;
}

std::string QVColorFilters::filterKVCValue(const std::string& text) const
{
    return m_style.flag(Key::WhiteSpaceKvc) ? kKvcValueBlank + text : text;
}

std::string QVColorFilters::filterRunningAppVersion(const Value& prefix) const
{
    const std::string* text = prefix.string();
    if (!text)
        return kRunningAppWrongArgument;
    for (const std::string& name : m_applications.names())
        if (strings::startsWith(name, *text))
            return name;
    return *text;
}

std::string QVColorFilters::colorAsIntRGBA(const Color& color, long long count, int base, const Value& separator) const
{
    const auto print = [base](double c) { return std::to_string(Color::scaledValue(c, base)); };
    return joined(firstComponents(color.getRGBAComponents(), count, print), separator);
}

std::string QVColorFilters::colorAsDecimalRGBA(const Color& color, long long count, const Value& separator, bool decorated) const
{
    const auto print = [this, decorated](double c) { return decimalOrFraction(c, decorated); };
    return joined(firstComponents(color.getRGBAComponents(), count, print), separator);
}

std::string QVColorFilters::colorAsHexRGBA(const Color& color, long long count, const Value& separator) const
{
    const std::string prefix = hexPrefix();
    const bool uppercase = m_style.flag(Key::HexUseUppercase);
    const auto print = [&](double c) { return prefix + hexDigits(Color::scaledValue(c, kHexBase), uppercase); };
    return joined(firstComponents(color.getRGBAComponents(), count, print), separator);
}

std::string QVColorFilters::colorAsLAB(const Color& color, long long count, const Value& separator) const
{
    const auto print = [](double c) { return std::to_string(roundedInteger(c)); };
    return joined(firstComponents(color.getLABComponents(), count, print), separator);
}
