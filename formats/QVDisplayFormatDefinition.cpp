#include "QVDisplayFormatDefinition.h"

std::string QVDisplayFormatDefinition::string(const std::string& key) const
{
    const Value value = m_values.get(key);
    const std::string* text = value.string();
    return text ? *text : std::string();
}
