#pragma once

#include "Object.h"

// UTF-8 text. Lengths and ranges seen from outside are in UTF-16 units.
class StringObject final : public Object {
public:
    explicit StringObject(std::string utf8) : Object(ObjectKind::String), m_string(std::move(utf8)) {}

    const std::string& string() const { return m_string; }

    std::string className() const override { return "NSString"; }
    std::string description() const override { return m_string; }
    bool isEqual(const Object& other) const override;
    std::size_t hash() const override;
    Value valueForKey(const std::string& key) const override;
    bool isSafeKey(const std::string& key) const override;

    // YES on a leading Y, y, T, t or a digit 1-9 after blanks, a sign and zeros.
    bool boolValue() const override;
    // Blanks, a sign and digits; clamped to the type's range on overflow.
    long long integerValue() const override;
    int intValue() const;
    // Blanks, then a decimal number; 0 when there is none.
    double doubleValue() const override;

private:
    std::string m_string;
};
