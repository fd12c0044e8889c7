#include "StringObject.h"

#include "StringUtils.h"
#include "Value.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <functional>
#include <set>
#include <string_view>

namespace {

const std::set<std::string> kSafeKeys = {"length", "uppercaseString", "lowercaseString", "capitalizedString",
                                         "boolValue", "intValue", "integerValue", "doubleValue", "floatValue",
                                         "description", "self"};

std::size_t skipBlanks(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r' || s[i] == '\f' || s[i] == '\v'))
        ++i;
    return i;
}

long long scanInteger(const std::string& s, long long min, long long max)
{
    std::size_t i = skipBlanks(s);
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    // Accumulate towards the sign's side so the most negative value fits.
    long long result = 0;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) {
        const int digit = s[i] - '0';
        if (negative) {
            if (result < (min + digit) / 10)
                return min;
            result = result * 10 - digit;
        } else {
            if (result > (max - digit) / 10)
                return max;
            result = result * 10 + digit;
        }
    }
    return result;
}

} // namespace

bool StringObject::isEqual(const Object& other) const
{
    const auto* string = dynamic_cast<const StringObject*>(&other);
    return string && string->m_string == m_string;
}

std::size_t StringObject::hash() const
{
    return std::hash<std::string>()(m_string);
}

Value StringObject::valueForKey(const std::string& key) const
{
    if (key == "length")
        return Value::integer(static_cast<long long>(strings::utf16Length(m_string)));
    if (key == "uppercaseString")
        return Value(strings::uppercase(m_string));
    if (key == "lowercaseString")
        return Value(strings::lowercase(m_string));
    if (key == "capitalizedString")
        return Value(strings::capitalized(m_string));
    if (key == "boolValue")
        return Value::boolean(boolValue());
    if (key == "intValue")
        return Value::integer(intValue());
    if (key == "integerValue")
        return Value::integer(integerValue());
    if (key == "doubleValue" || key == "floatValue")
        return Value::real(doubleValue());
    return Object::valueForKey(key);
}

bool StringObject::isSafeKey(const std::string& key) const
{
    return kSafeKeys.count(key) != 0;
}

bool StringObject::boolValue() const
{
    std::size_t i = skipBlanks(m_string);
    if (i < m_string.size() && (m_string[i] == '+' || m_string[i] == '-'))
        ++i;
    while (i < m_string.size() && m_string[i] == '0')
        ++i;
    if (i == m_string.size())
        return false;
    const char c = m_string[i];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

long long StringObject::integerValue() const
{
    return scanInteger(m_string, LLONG_MIN, LLONG_MAX);
}

int StringObject::intValue() const
{
    return static_cast<int>(scanInteger(m_string, INT_MIN, INT_MAX));
}

double StringObject::doubleValue() const
{
    std::size_t i = skipBlanks(m_string);
    bool negative = false;
    if (i < m_string.size() && (m_string[i] == '+' || m_string[i] == '-')) {
        negative = m_string[i] == '-';
        ++i;
    }
    double result = 0;
    const char* first = m_string.data() + i;
    const char* last = m_string.data() + m_string.size();
    // Only the plain decimal forms: hex, "inf" and "nan" read as 0.
    if (first != last && (std::isdigit(static_cast<unsigned char>(*first)) || *first == '.')) {
        const auto [end, error] = std::from_chars(first, last, result, std::chars_format::general);
        if (error == std::errc::result_out_of_range) {
            const std::string_view number(first, static_cast<std::size_t>(end - first));
            const auto exponent = number.find_first_of("eE");
            const bool tiny = exponent != std::string_view::npos && number.substr(exponent + 1).starts_with('-');
            result = tiny ? 0.0 : HUGE_VAL;
        } else if (error != std::errc()) {
            result = 0;
        }
    }
    return negative ? -result : result;
}
