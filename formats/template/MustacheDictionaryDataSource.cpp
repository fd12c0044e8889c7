#include "MustacheDictionaryDataSource.h"

Value MustacheDictionaryDataSource::templateIDForName(MustacheTemplateRepository&, const std::string& name,
                                                        const Value&)
{
    return Value(name);
}

std::optional<std::string> MustacheDictionaryDataSource::templateStringForTemplateID(MustacheTemplateRepository&,
                                                                                       const Value& templateID, Error*)
{
    const std::string* name = templateID.string();
    if (!name)
        return std::nullopt;
    const Value entry = m_templates.get(*name);
    if (const std::string* text = entry.string())
        return *text;
    return std::nullopt;
}
