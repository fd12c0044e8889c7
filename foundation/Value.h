#pragma once

#include "Object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Dictionary;
class NumberObject;

// A cheap, nullable handle to an immutable, shared Object. The empty handle is nil.
// Identity (the same object) and equality (isEqual) are separate questions.
class Value {
public:
    using Kind = ObjectKind;

    Value() = default;
    Value(std::nullptr_t) {}
    explicit Value(std::shared_ptr<const Object> object) : m_object(std::move(object)) {}
    Value(const char* utf8);
    Value(std::string utf8);
    Value(std::string_view utf8);
    Value(std::vector<Value> array);
    Value(Dictionary dictionary);

    static Value null();
    static Value integer(long long n);
    static Value real(double d);
    static Value boolean(bool b);
    static Value data(std::vector<std::uint8_t> bytes);
    // Seconds since 2001-01-01 00:00:00 UTC, as property lists store dates.
    static Value date(double secondsSinceReferenceDate);

    Kind kind() const { return m_object ? m_object->kind() : Kind::Nil; }
    bool isNil() const { return !m_object; }
    explicit operator bool() const { return static_cast<bool>(m_object); }
    bool isNull() const { return kind() == Kind::Null; }
    bool isNumber() const { return kind() == Kind::Number; }
    bool isString() const { return kind() == Kind::String; }
    bool isData() const { return kind() == Kind::Data; }
    bool isDate() const { return kind() == Kind::Date; }
    bool isArray() const { return kind() == Kind::Array; }
    bool isDictionary() const { return kind() == Kind::Dictionary; }

    const Object* object() const { return m_object.get(); }
    const std::shared_ptr<const Object>& shared() const { return m_object; }
    template <class T> const T* as() const { return dynamic_cast<const T*>(m_object.get()); }
    template <class T> std::shared_ptr<const T> asShared() const { return std::dynamic_pointer_cast<const T>(m_object); }

    // Typed views; nullptr when the value is of another kind.
    const std::string* string() const;
    const std::vector<Value>* array() const;
    const Dictionary* dictionary() const;
    const std::vector<std::uint8_t>* bytes() const;
    const NumberObject* number() const;

    bool isIdenticalTo(const Value& other) const { return m_object == other.m_object; }
    // Equality as isEqual: nil equals only nil.
    bool operator==(const Value& other) const;
    std::size_t hash() const { return m_object ? m_object->hash() : 0; }

    // nil describes itself as "(null)".
    std::string description() const;

    // The original's coercions. nil answers NO / 0; a kind without them raises Exception.
    bool boolValue() const;
    int intValue() const;
    long long integerValue() const;
    double doubleValue() const;

    // Subscript for dictionaries (and objects that answer any key), else a safe
    // key of the kind; nil when the key is unknown or unsafe.
    Value valueForKey(const std::string& key, bool unsafeKeyAccess = false) const;

private:
    std::shared_ptr<const Object> m_object;
};

struct ValueHash {
    std::size_t operator()(const Value& v) const { return v.hash(); }
};
