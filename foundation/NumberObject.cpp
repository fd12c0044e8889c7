#include "NumberObject.h"

#include "Value.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <functional>
#include <set>

namespace {

const std::set<std::string> kSafeKeys = {"boolValue", "intValue", "integerValue", "doubleValue", "floatValue",
                                         "stringValue", "description", "self"};

constexpr double kTwoToThe63 = 9223372036854775808.0;

// The shortest "%g" form that reads back as the same double, at the end of `text`.
void appendShortestDouble(std::string& text, double d)
{
    if (std::isnan(d)) {
        text += "nan";
        return;
    }
    if (std::isinf(d)) {
        text += d < 0 ? "-inf" : "inf";
        return;
    }
    std::array<char, 64> buffer;
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    // No "%g" precision below the digit count of the shortest round-trip form reads back,
    // and that count almost always does.
    char* const shortestEnd = std::to_chars(first, last, d, std::chars_format::scientific).ptr;
    const auto digits = std::count_if(first, std::find(first, shortestEnd, 'e'),
                                      [](char c) { return c >= '0' && c <= '9'; });
    char* end = first;
    for (int precision = std::max(1, static_cast<int>(digits)); precision <= 17; ++precision) {
        // The form "%.*g" prints.
        end = std::to_chars(first, last, d, std::chars_format::general, precision).ptr;
        double back = 0;
        std::from_chars(first, end, back);
        if (back == d)
            break;
    }
    text.append(first, static_cast<std::size_t>(end - first));
}

} // namespace

NumberObject::NumberObject(double d)
    : Object(ObjectKind::Number)
    , m_type(Type::Double)
    , m_integer(0)
    , m_double(d)
{
    if (std::isfinite(d) && d >= static_cast<double>(LLONG_MIN) && d < static_cast<double>(LLONG_MAX))
        m_integer = static_cast<long long>(d);
    else if (std::isfinite(d))
        m_integer = d < 0 ? LLONG_MIN : LLONG_MAX;
}

std::string NumberObject::description() const
{
    std::string text;
    appendDescription(text);
    return text;
}

void NumberObject::appendDescription(std::string& text) const
{
    if (m_type == Type::Double) {
        appendShortestDouble(text, m_double);
        return;
    }
    std::array<char, 24> digits;
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), m_integer).ptr;
    text.append(digits.data(), static_cast<std::size_t>(end - digits.data()));
}

bool NumberObject::isEqual(const Object& other) const
{
    const auto* number = dynamic_cast<const NumberObject*>(&other);
    if (!number)
        return false;
    if (m_type != Type::Double && number->m_type != Type::Double)
        return m_integer == number->m_integer;
    if (m_type == Type::Double && number->m_type == Type::Double)
        return m_double == number->m_double;
    // An integer and a double: equal only when the double is exactly that integer, which
    // comparing as doubles cannot tell beyond 2^53.
    const NumberObject& real = m_type == Type::Double ? *this : *number;
    const NumberObject& integer = m_type == Type::Double ? *number : *this;
    return real.m_double == integer.m_double && real.m_double < kTwoToThe63 && real.m_integer == integer.m_integer;
}

std::size_t NumberObject::hash() const
{
    return std::hash<double>()(m_double);
}

Value NumberObject::valueForKey(const std::string& key) const
{
    if (key == "boolValue")
        return Value::boolean(boolValue());
    if (key == "intValue")
        return Value::integer(intValue());
    if (key == "integerValue")
        return Value::integer(m_integer);
    if (key == "doubleValue" || key == "floatValue")
        return Value::real(m_double);
    if (key == "stringValue")
        return Value(description());
    return Object::valueForKey(key);
}

bool NumberObject::isSafeKey(const std::string& key) const
{
    return kSafeKeys.count(key) != 0;
}

bool NumberObject::boolValue() const
{
    return m_type == Type::Double ? m_double != 0.0 : m_integer != 0;
}

long long NumberObject::integerValue() const
{
    return m_integer;
}

int NumberObject::intValue() const
{
    // Truncates to 32 bits as the original's int accessor does.
    return static_cast<int>(static_cast<unsigned long long>(m_integer) & 0xFFFFFFFFull);
}
