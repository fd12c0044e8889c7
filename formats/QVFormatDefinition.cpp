#include "QVFormatDefinition.h"

const std::vector<std::string>& QVFormatDefinition::keys()
{
    static const std::vector<std::string> all{kName, kGroup, kColorProfile, kExportFormat,
                                              kShortFormat, kDisplayFormat, kTarget, kScript};
    return all;
}

std::string QVFormatDefinition::string(const std::string& key) const
{
    const Value* value = dictionary().find(key);
    const std::string* text = value ? value->string() : nullptr;
    return text ? *text : std::string();
}
