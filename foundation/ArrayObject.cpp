#include "ArrayObject.h"

#include "CollectionDescription.h"

#include <set>

namespace {
const std::set<std::string> kSafeKeys = {"count", "firstObject", "lastObject", "description", "self"};
}

std::string ArrayObject::description() const
{
    return collectiondescription::describeArray(m_items, 0);
}

bool ArrayObject::isEqual(const Object& other) const
{
    const auto* array = dynamic_cast<const ArrayObject*>(&other);
    return array && array->m_items == m_items;
}

std::size_t ArrayObject::hash() const
{
    return m_items.size();
}

Value ArrayObject::valueForKey(const std::string& key) const
{
    if (key == "count")
        return Value::integer(static_cast<long long>(m_items.size()));
    if (key == "firstObject")
        return m_items.empty() ? Value() : m_items.front();
    if (key == "lastObject")
        return m_items.empty() ? Value() : m_items.back();
    return Object::valueForKey(key);
}

bool ArrayObject::isSafeKey(const std::string& key) const
{
    return kSafeKeys.count(key) != 0;
}
