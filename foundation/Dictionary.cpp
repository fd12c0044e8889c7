#include "Dictionary.h"

#include <cstring>

Dictionary::Dictionary(std::initializer_list<Entry> entries)
{
    for (const auto& [key, value] : entries)
        set(key, value);
}

std::uint64_t Dictionary::hashOf(const std::string& key)
{
    // Eight bytes at a time, mixed by multiplication; the last shift brings the high
    // bits down to the low ones that pick the slot.
    std::uint64_t hash = key.size() * 0x9E3779B97F4A7C15ull;
    std::size_t i = 0;
    for (; i + 8 <= key.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, key.data() + i, sizeof word);
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
        hash ^= hash >> 32;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, key.data() + i, key.size() - i);
    hash = (hash ^ tail) * 0xC4CEB9FE1A85EC53ull;
    return hash ^ (hash >> 29);
}

std::size_t Dictionary::indexedPosition(const std::string& key) const
{
    const std::uint64_t hash = hashOf(key);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t at = m_slots[slot];
        if (at == kEmptySlot)
            return m_entries.size();
        if (m_hashes[at] == hash && sameKey(m_entries[at].first, key))
            return at;
    }
}

void Dictionary::reindex()
{
    m_hashes.clear();
    m_slots.clear();
    if (m_entries.size() <= kIndexedSize)
        return;
    std::size_t slots = 32;
    while (slots < 2 * m_entries.size())
        slots *= 2;
    m_slots.assign(slots, kEmptySlot);
    m_hashes.reserve(m_entries.size());
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        m_hashes.push_back(hashOf(m_entries[i].first));
        addToIndex(i);
    }
}

void Dictionary::addToIndex(std::size_t position)
{
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = m_hashes[position] & mask;
    while (m_slots[slot] != kEmptySlot)
        slot = (slot + 1) & mask;
    m_slots[slot] = static_cast<std::uint32_t>(position);
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
    if (m_slots.empty() || 2 * m_entries.size() > m_slots.size()) {
        if (m_entries.size() > kIndexedSize)
            reindex();
        return;
    }
    m_hashes.push_back(hashOf(key));
    addToIndex(at);
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
    if (!m_slots.empty())
        reindex();
    return true;
}

void Dictionary::clear()
{
    m_entries.clear();
    m_hashes.clear();
    m_slots.clear();
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
