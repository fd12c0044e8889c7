#pragma once

#include "Value.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A string-keyed map that keeps insertion order, as property lists do.
class Dictionary {
public:
    using Entry = std::pair<std::string, Value>;

    Dictionary() = default;
    Dictionary(std::initializer_list<Entry> entries);

    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    bool contains(const std::string& key) const { return find(key) != nullptr; }
    // nil when absent.
    Value get(const std::string& key) const;
    // The value in place; null when absent.
    const Value* find(const std::string& key) const
    {
        const std::size_t at = position(key);
        return at == m_entries.size() ? nullptr : &m_entries[at].second;
    }
    // Replaces in place when present, else appends.
    void set(const std::string& key, Value value);
    // Setting nil removes the key, as the original's setValue:forKey: did.
    void setOrRemove(const std::string& key, Value value);
    bool remove(const std::string& key);
    void clear();

    std::vector<std::string> keys() const;
    std::vector<Entry>::const_iterator begin() const { return m_entries.begin(); }
    std::vector<Entry>::const_iterator end() const { return m_entries.end(); }

    // Equal when both hold the same keys with equal values, whatever their order.
    bool operator==(const Dictionary& other) const;

private:
    // Small dictionaries are searched in order: faster than hashing the key.
    static constexpr std::size_t kIndexedSize = 8;
    static constexpr std::uint32_t kEmptySlot = UINT32_MAX;

    static std::uint64_t hashOf(const std::string& key);
    // Keys are short: comparing their bytes in place beats calling memcmp.
    static bool sameKey(const std::string& a, const std::string& b)
    {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (a[i] != b[i])
                return false;
        }
        return true;
    }
    // The entry's position, or size() when absent.
    std::size_t position(const std::string& key) const
    {
        if (!m_slots.empty())
            return indexedPosition(key);
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (sameKey(m_entries[i].first, key))
                return i;
        }
        return m_entries.size();
    }
    std::size_t indexedPosition(const std::string& key) const;
    void reindex();
    void addToIndex(std::size_t position);

    std::vector<Entry> m_entries;
    // Only above kIndexedSize entries: each entry's hash, and a table of entry positions
    // by hash, open-addressed, at most half full so that every search ends at an empty slot.
    std::vector<std::uint64_t> m_hashes;
    std::vector<std::uint32_t> m_slots;
};
