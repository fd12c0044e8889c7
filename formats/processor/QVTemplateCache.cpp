#include "QVTemplateCache.h"

#include "formats/template/GRMustacheRendering.h"
#include "formats/template/GRMustacheTemplate.h"

std::shared_ptr<GRMustacheTemplate> QVTemplateCache::templateFromString(const std::string& text)
{
    auto key = std::make_pair(text, GRMustacheRendering::currentContentType());
    if (const auto found = m_templates.find(key); found != m_templates.end())
        return found->second;
    auto compiled = GRMustacheTemplate::templateFromString(text);
    if (!compiled)
        return nullptr;
    // User formats can be edited without end; a full cache starts over.
    if (m_templates.size() >= kCapacity)
        m_templates.clear();
    m_templates.emplace(std::move(key), compiled);
    return compiled;
}
