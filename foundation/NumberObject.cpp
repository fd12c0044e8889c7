#include "NumberObject.h"

#include "Value.h"

#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>

namespace {

const std::set<std::string> kSafeKeys = {"boolValue", "intValue", "integerValue", "doubleValue", "floatValue",
                                         "stringValue", "description", "self"};

constexpr double kTwoToThe63 = 9223372036854775808.0;

// The shortest "%g" form that reads back as the same double.
std::string shortestDouble(double d)
{
    if (std::isnan(d))
        return "nan";
    if (std::isinf(d))
        return d < 0 ? "-inf" : "inf";
    std::array<char, 64> buffer{};
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(buffer.data(), buffer.size(), "%.*g", precision, d);
        if (std::strtod(buffer.data(), nullptr) == d)
            break;
    }
    return buffer.data();
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
        text += shortestDouble(m_double);
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
