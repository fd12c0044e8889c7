#pragma once

#include "Object.h"

// A number that remembers whether it was made from an integer, a double or a boolean.
class NumberObject final : public Object {
public:
    enum class Type { Integer, Double, Boolean };

    explicit NumberObject(long long n)
        : Object(ObjectKind::Number), m_type(Type::Integer), m_integer(n), m_double(static_cast<double>(n)) {}
    explicit NumberObject(double d);
    explicit NumberObject(bool b)
        : Object(ObjectKind::Number), m_type(Type::Boolean), m_integer(b ? 1 : 0), m_double(b ? 1.0 : 0.0) {}

    Type type() const { return m_type; }

    std::string className() const override { return "NSNumber"; }
    // Integers plainly, booleans as 1/0, doubles in their shortest round-trip form.
    std::string description() const override;
    // The description, written at the end of `text`.
    void appendDescription(std::string& text) const;
    // Numbers compare by value, whatever they were made from.
    bool isEqual(const Object& other) const override;
    std::size_t hash() const override;
    Value valueForKey(const std::string& key) const override;
    bool isSafeKey(const std::string& key) const override;

    bool boolValue() const override;
    long long integerValue() const override;
    double doubleValue() const override { return m_double; }
    int intValue() const;

private:
    Type m_type;
    long long m_integer;
    double m_double;
};
