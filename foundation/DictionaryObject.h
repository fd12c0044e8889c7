#pragma once

#include "Dictionary.h"
#include "Object.h"

class DictionaryObject final : public Object {
public:
    explicit DictionaryObject(Dictionary entries) : Object(ObjectKind::Dictionary), m_entries(std::move(entries)) {}

    const Dictionary& entries() const { return m_entries; }

    std::string className() const override { return "NSDictionary"; }
    // "{\n    key = value;\n}" in insertion order; keys and string values that are
    // not plain words are quoted.
    std::string description() const override;
    bool isEqual(const Object& other) const override;
    std::size_t hash() const override;
    bool hasKeyedSubscript() const override { return true; }
    Value objectForKeyedSubscript(const std::string& key) const override { return m_entries.get(key); }
    Value valueForKey(const std::string& key) const override { return m_entries.get(key); }
    bool isSafeKey(const std::string&) const override { return true; }

private:
    Dictionary m_entries;
};
