#include "QVTemplateCache.h"

#include "formats/template/MustacheConfiguration.h"
#include "formats/template/MustacheRendering.h"
#include "formats/template/MustacheTemplate.h"

std::size_t QVTemplateCache::KeyHash::operator()(const KeyView& key) const
{
    return std::hash<std::string_view>()(key.text) ^ std::hash<const void*>()(key.baseContext)
        ^ (static_cast<std::size_t>(key.contentType) << 1);
}

std::shared_ptr<MustacheTemplate> QVTemplateCache::templateFromString(const std::string& text, Error* error)
{
    // Every compilation copies the default configuration, so a template compiled under
    // other settings is another template.
    const MustacheConfiguration& configuration = MustacheConfiguration::defaultConfiguration();
    const KeyView key{text, MustacheRendering::currentContentType(), configuration.tagStartDelimiter(),
        configuration.tagEndDelimiter(), configuration.baseContext().get()};
    if (const auto found = m_templates.find(key); found != m_templates.end())
        return found->second;
    auto compiled = MustacheTemplate::templateFromString(text, error);
    if (!compiled)
        return nullptr;
    // User formats can be edited without end; a full cache starts over.
    if (m_templates.size() >= kCapacity)
        m_templates.clear();
    m_templates.emplace(Key{text, key.contentType, configuration.tagStartDelimiter(), configuration.tagEndDelimiter(),
                            configuration.baseContext()},
                        compiled);
    return compiled;
}
