#include "QVNumberFormatter.h"

#include "QVCodeStyle.h"

#include "formats/color/Color.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace {

// Beyond this a float has no more digits to show.
constexpr long long kMaxFractionDigits = 64;
constexpr const char* kFractionSuffix = "/255.";
constexpr int kFractionBase = 255;

using Key = QVCodeStyle::Key;

struct Digits {
    std::string digits; // significant digits, no leading zeros unless the value is 0
    int pointPosition;  // digits before the decimal point; negative for leading zeros
};

// The shortest round-trip digits of a non-negative finite value, as a number
// formatter reads a double before rounding it.
Digits shortestDigits(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string_view text(buffer, result.ptr - buffer);
    const auto exponentAt = text.find('e');
    Digits d;
    for (char c : text.substr(0, exponentAt))
        if (c != '.')
            d.digits.push_back(c);
    int exponent = 0;
    const std::string_view exponentText = text.substr(exponentAt + 1);
    std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
        exponentText.data() + exponentText.size(), exponent);
    d.pointPosition = exponent + 1;
    return d;
}

// Keeps `fraction` fraction digits, rounding half to even.
void roundHalfEven(Digits& d, int fraction)
{
    const long long keep = static_cast<long long>(d.pointPosition) + fraction;
    if (keep >= static_cast<long long>(d.digits.size()))
        return;
    if (keep < 0) {
        d = {"0", 1};
        return;
    }
    const auto at = static_cast<std::size_t>(keep);
    const char decider = d.digits[at];
    const bool restIsZero = d.digits.find_first_not_of('0', at + 1) == std::string::npos;
    const bool previousIsOdd = at > 0 && (d.digits[at - 1] - '0') % 2 == 1;
    const bool up = decider > '5' || (decider == '5' && (!restIsZero || previousIsOdd));
    d.digits.resize(at);
    if (up) {
        std::size_t i = d.digits.size();
        while (i > 0 && d.digits[i - 1] == '9')
            d.digits[--i] = '0';
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.pointPosition;
        } else {
            ++d.digits[i - 1];
        }
    }
    if (d.digits.empty())
        d = {"0", 1};
}

std::string nonFiniteText(double value)
{
    if (std::isnan(value))
        return "NaN";
    return value < 0 ? "-∞" : "∞";
}

} // namespace

std::string QVNumberFormatter::formatDecimal(double value, int maxFraction, int minFraction, int minInteger)
{
    const double single = static_cast<float>(value);
    if (!std::isfinite(single))
        return nonFiniteText(single);
    Digits d = shortestDigits(std::fabs(single));
    roundHalfEven(d, maxFraction);

    std::string integerPart;
    std::string fractionPart;
    const int length = static_cast<int>(d.digits.size());
    if (d.pointPosition > 0) {
        integerPart = d.digits.substr(0, std::min(d.pointPosition, length));
        integerPart.append(std::max(0, d.pointPosition - length), '0');
        if (d.pointPosition < length)
            fractionPart = d.digits.substr(d.pointPosition);
    } else {
        fractionPart = std::string(-d.pointPosition, '0') + d.digits;
    }
    integerPart.erase(0, std::min(integerPart.find_first_not_of('0'), integerPart.size()));
    if (static_cast<int>(integerPart.size()) < minInteger)
        integerPart.insert(0, minInteger - integerPart.size(), '0');
    while (static_cast<int>(fractionPart.size()) > minFraction && !fractionPart.empty() && fractionPart.back() == '0')
        fractionPart.pop_back();
    if (static_cast<int>(fractionPart.size()) < minFraction)
        fractionPart.append(minFraction - fractionPart.size(), '0');

    const bool isZero = d.digits.find_first_not_of('0') == std::string::npos;
    std::string text = single < 0 && !isZero ? "-" : "";
    if (integerPart.empty() && fractionPart.empty())
        integerPart = "0";
    text += integerPart;
    if (!fractionPart.empty())
        text += "." + fractionPart;
    return text;
}

std::string QVNumberFormatter::stringForDecimal(double value, bool decorated) const
{
    const int precision = static_cast<int>(std::clamp(m_style.integer(Key::DecimalPrecision), 0LL, kMaxFractionDigits));
    const std::string prefix = decorated && m_style.flag(Key::DecimalUsePrefix) ? m_style.string(Key::DecimalPrefix) : "";

    const double scale = std::pow(10.0, precision);
    const double rounded = std::round(value * scale) / scale;
    if (m_style.flag(Key::DecimalShortenOneAndZero) && (rounded == 0.0 || rounded == 1.0))
        return prefix + formatDecimal(value, 0, 0, 1);

    const int minFraction = m_style.flag(Key::DecimalRemoveTrailingZeroes) ? 0 : precision;
    const int minInteger = decorated && m_style.flag(Key::DecimalRemoveLeadingZero) ? 0 : 1;
    const std::string suffix = decorated && m_style.flag(Key::DecimalUseSuffix) ? m_style.string(Key::DecimalSuffix) : "";
    return prefix + formatDecimal(value, precision, minFraction, minInteger) + suffix;
}

std::string QVNumberFormatter::stringForFraction(double value) const
{
    const int n = Color::scaledValue(value, kFractionBase);
    if (m_style.flag(Key::DecimalShortenOneAndZero) && (n == 0 || n == kFractionBase))
        return n == 0 ? "0" : "1";
    return std::to_string(n) + kFractionSuffix;
}
