#include "QVTemplateEnvironment.h"

QVTemplateEnvironment::QVTemplateEnvironment(std::shared_ptr<const Dictionary> constants, Dictionary entries,
    std::shared_ptr<const QVCodeStyle> codeStyle)
    : m_constants(std::move(constants)), m_entries(std::move(entries)), m_codeStyle(std::move(codeStyle))
{
    m_entries.set(kCodeStyleKey, m_codeStyle->dictionaryValue());
}

Value QVTemplateEnvironment::get(const std::string& key) const
{
    if (Value value = m_entries.get(key))
        return value;
    return m_constants->get(key);
}

Dictionary QVTemplateEnvironment::dictionary() const
{
    Dictionary all = *m_constants;
    for (const auto& [key, value] : m_entries)
        all.set(key, value);
    return all;
}

std::string QVTemplateEnvironment::description() const
{
    return Value(dictionary()).description();
}

std::shared_ptr<const QVTemplateEnvironment> QVTemplateEnvironment::with(std::vector<Dictionary::Entry> entries) const
{
    auto copy = std::make_shared<QVTemplateEnvironment>(*this);
    for (auto& [key, value] : entries)
        copy->m_entries.set(key, std::move(value));
    return copy;
}

std::shared_ptr<const QVTemplateEnvironment> QVTemplateEnvironment::withCodeStyle(std::shared_ptr<const QVCodeStyle> codeStyle) const
{
    return std::make_shared<const QVTemplateEnvironment>(m_constants, m_entries, std::move(codeStyle));
}
