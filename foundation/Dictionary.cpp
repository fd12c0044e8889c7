#include "Dictionary.h"

Dictionary::Dictionary(std::initializer_list<Entry> entries)
{
    for (const auto& [key, value] : entries)
        set(key, value);
}

Value Dictionary::get(const std::string& key) const
{
    const auto it = m_index.find(key);
    return it == m_index.end() ? Value() : m_entries[it->second].second;
}

void Dictionary::set(const std::string& key, Value value)
{
    const auto it = m_index.find(key);
    if (it != m_index.end()) {
        m_entries[it->second].second = std::move(value);
        return;
    }
    m_index.emplace(key, m_entries.size());
    m_entries.emplace_back(key, std::move(value));
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
    const auto it = m_index.find(key);
    if (it == m_index.end())
        return false;
    const std::size_t position = it->second;
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(position));
    m_index.erase(it);
    for (auto& [k, index] : m_index) {
        if (index > position)
            --index;
    }
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
        if (!other.contains(key) || !(other.get(key) == value))
            return false;
    }
    return true;
}
