#include "Value.h"

#include "ArrayObject.h"
#include "DataObject.h"
#include "DateObject.h"
#include "Dictionary.h"
#include "DictionaryObject.h"
#include "NullObject.h"
#include "NumberObject.h"
#include "StringObject.h"

Value::Value(const char* utf8)
    : m_object(std::make_shared<StringObject>(utf8 ? std::string(utf8) : std::string()))
{
}

Value::Value(std::string utf8)
    : m_object(std::make_shared<StringObject>(std::move(utf8)))
{
}

Value::Value(std::string_view utf8)
    : m_object(std::make_shared<StringObject>(std::string(utf8)))
{
}

Value::Value(std::vector<Value> array)
    : m_object(std::make_shared<ArrayObject>(std::move(array)))
{
}

Value::Value(Dictionary dictionary)
    : m_object(std::make_shared<DictionaryObject>(std::move(dictionary)))
{
}

Value Value::null()
{
    static const Value shared(std::make_shared<NullObject>());
    return shared;
}

Value Value::integer(long long n)
{
    return Value(std::make_shared<NumberObject>(n));
}

Value Value::real(double d)
{
    return Value(std::make_shared<NumberObject>(d));
}

Value Value::boolean(bool b)
{
    static const Value yes(std::make_shared<NumberObject>(true));
    static const Value no(std::make_shared<NumberObject>(false));
    return b ? yes : no;
}

Value Value::data(std::vector<std::uint8_t> bytes)
{
    return Value(std::make_shared<DataObject>(std::move(bytes)));
}

Value Value::date(double secondsSinceReferenceDate)
{
    return Value(std::make_shared<DateObject>(secondsSinceReferenceDate));
}

// The kinds below belong to final classes, so the kind names the class.
const std::string* Value::string() const
{
    return kind() == Kind::String ? &static_cast<const StringObject*>(m_object.get())->string() : nullptr;
}

const std::vector<Value>* Value::array() const
{
    return kind() == Kind::Array ? &static_cast<const ArrayObject*>(m_object.get())->items() : nullptr;
}

const Dictionary* Value::dictionary() const
{
    return kind() == Kind::Dictionary ? &static_cast<const DictionaryObject*>(m_object.get())->entries() : nullptr;
}

const std::vector<std::uint8_t>* Value::bytes() const
{
    return kind() == Kind::Data ? &static_cast<const DataObject*>(m_object.get())->bytes() : nullptr;
}

const NumberObject* Value::number() const
{
    return kind() == Kind::Number ? static_cast<const NumberObject*>(m_object.get()) : nullptr;
}

bool Value::operator==(const Value& other) const
{
    if (m_object == other.m_object)
        return true;
    if (!m_object || !other.m_object)
        return false;
    return m_object->isEqual(*other.m_object);
}

std::string Value::description() const
{
    return m_object ? m_object->description() : "(null)";
}

bool Value::boolValue() const
{
    return m_object && m_object->boolValue();
}

int Value::intValue() const
{
    if (const auto* n = number())
        return n->intValue();
    if (kind() == Kind::String)
        return static_cast<const StringObject*>(m_object.get())->intValue();
    return m_object ? static_cast<int>(m_object->integerValue()) : 0;
}

long long Value::integerValue() const
{
    return m_object ? m_object->integerValue() : 0;
}

double Value::doubleValue() const
{
    return m_object ? m_object->doubleValue() : 0.0;
}

Value Value::valueForKey(const std::string& key, bool unsafeKeyAccess) const
{
    if (!m_object)
        return {};
    if (m_object->hasKeyedSubscript())
        return m_object->objectForKeyedSubscript(key);
    if (!unsafeKeyAccess && !m_object->isSafeKey(key))
        return {};
    return m_object->valueForKey(key);
}
