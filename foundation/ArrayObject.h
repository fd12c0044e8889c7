#pragma once

#include "Object.h"
#include "Value.h"

#include <vector>

class ArrayObject final : public Object {
public:
    explicit ArrayObject(std::vector<Value> items) : Object(ObjectKind::Array), m_items(std::move(items)) {}

    const std::vector<Value>& items() const { return m_items; }

    std::string className() const override { return "NSArray"; }
    // "(\n    a,\n    b\n)", nested containers indented by four more blanks.
    std::string description() const override;
    bool isEqual(const Object& other) const override;
    std::size_t hash() const override;
    // count, firstObject, lastObject: read from the array itself, never mapped over items.
    Value valueForKey(const std::string& key) const override;
    bool isSafeKey(const std::string& key) const override;

private:
    std::vector<Value> m_items;
};
