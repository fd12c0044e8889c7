#pragma once

#include <cstddef>
#include <memory>
#include <string>

class Value;

// The kinds of value; nil is the empty Value, every class outside foundation is Object.
enum class ObjectKind : unsigned char { Nil, Null, Number, String, Data, Date, Array, Dictionary, Object };

// Base of every value a Value can hold. Objects are immutable once shared.
class Object : public std::enable_shared_from_this<Object> {
public:
    Object() = default;
    virtual ~Object() = default;

    // Fixed at construction, so values are classified without a cast.
    ObjectKind kind() const { return m_kind; }

    // Name of the kind, used in descriptions and exception texts.
    virtual std::string className() const { return "Object"; }
    virtual std::string description() const;

    // Equality; the default is identity.
    virtual bool isEqual(const Object& other) const { return this == &other; }
    virtual std::size_t hash() const;

    // Keyed subscripting: dictionaries and any object that answers every key.
    virtual bool hasKeyedSubscript() const { return false; }
    virtual Value objectForKeyedSubscript(const std::string& key) const;

    // Key-value reading. A key the object does not know answers nil.
    virtual Value valueForKey(const std::string& key) const;
    // Keys that may be read through templates without unsafe access.
    virtual bool isSafeKey(const std::string& key) const;

    // Coercions; the default raises an unrecognised-selector exception.
    virtual bool boolValue() const;
    virtual long long integerValue() const;
    virtual double doubleValue() const;

protected:
    // For foundation's own final classes.
    explicit Object(ObjectKind kind) : m_kind(kind) {}

    [[noreturn]] void unrecognizedSelector(const char* selector) const;

private:
    ObjectKind m_kind = ObjectKind::Object;
};
