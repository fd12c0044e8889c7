#include "Dictionary.h"

Dictionary::Dictionary(std::initializer_list<Entry> entries)
{
    for (const auto& [key, value] : entries)
        set(key, value);
}

std::size_t Dictionary::position(const std::string& key) const
{
    if (m_index.empty()) {
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].first == key)
                return i;
        }
        return m_entries.size();
    }
    const auto it = m_index.find(key);
    return it == m_index.end() ? m_entries.size() : it->second;
}

void Dictionary::reindex()
{
    m_index.clear();
    if (m_entries.size() <= kIndexedSize)
        return;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        m_index.emplace(m_entries[i].first, i);
}

const Value* Dictionary::find(const std::string& key) const
{
    const std::size_t at = position(key);
    return at == m_entries.size() ? nullptr : &m_entries[at].second;
}

Value Dictionary::get(const std::string& key) const
{
    const Value* value = find(key);
    return value ? *value : Value();
}

void Dictionary::set(const std::string& key, Value value)
{
    const std::size_t at = position(key);
    if (at != m_entries.size()) {
        m_entries[at].second = std::move(value);
        return;
    }
    m_entries.emplace_back(key, std::move(value));
    if (!m_index.empty())
        m_index.emplace(key, at);
    else if (m_entries.size() > kIndexedSize)
        reindex();
}

void Dictionary::setOrRemove(const std::string& key, Value value)
{
    if (value.isNil())
        remove(key);
    else
        set(key, std::move(value));
}

bool Dictionary::remove(const std::string& key)
{
    const std::size_t at = position(key);
    if (at == m_entries.size())
        return false;
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(at));
    if (!m_index.empty())
        reindex();
    return true;
}

void Dictionary::clear()
{
    m_entries.clear();
    m_index.clear();
}

std::vector<std::string> Dictionary::keys() const
{
    std::vector<std::string> result;
    result.reserve(m_entries.size());
    for (const auto& entry : m_entries)
        result.push_back(entry.first);
    return result;
}

bool Dictionary::operator==(const Dictionary& other) const
{
    if (size() != other.size())
        return false;
    for (const auto& [key, value] : m_entries) {
        const Value* otherValue = other.find(key);
        if (!otherValue || !(*otherValue == value))
            return false;
    }
    return true;
}
