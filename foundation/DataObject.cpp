#include "DataObject.h"

#include "Value.h"

#include <cstdio>
#include <string_view>

std::string DataObject::description() const
{
    std::string result = "<";
    char hex[3];
    for (std::size_t i = 0; i < m_bytes.size(); ++i) {
        if (i > 0 && i % 4 == 0)
            result += ' ';
        std::snprintf(hex, sizeof hex, "%02x", m_bytes[i]);
        result += hex;
    }
    return result + ">";
}

bool DataObject::isEqual(const Object& other) const
{
    const auto* data = dynamic_cast<const DataObject*>(&other);
    return data && data->m_bytes == m_bytes;
}

std::size_t DataObject::hash() const
{
    return std::hash<std::string_view>()(
        std::string_view(reinterpret_cast<const char*>(m_bytes.data()), m_bytes.size()));
}

Value DataObject::valueForKey(const std::string& key) const
{
    if (key == "length")
        return Value::integer(static_cast<long long>(m_bytes.size()));
    return Object::valueForKey(key);
}

bool DataObject::isSafeKey(const std::string& key) const
{
    return key == "length" || key == "description" || key == "self";
}
