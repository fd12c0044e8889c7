#include "GRMustacheDictionaryDataSource.h"

Value GRMustacheDictionaryDataSource::templateIDForName(GRMustacheTemplateRepository&, const std::string& name,
                                                        const Value&)
{
    return Value(name);
}

std::optional<std::string> GRMustacheDictionaryDataSource::templateStringForTemplateID(GRMustacheTemplateRepository&,
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
