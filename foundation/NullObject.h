#pragma once

#include "Object.h"

// The one shared null placeholder; it describes itself as "<null>".
class NullObject final : public Object {
public:
    NullObject() : Object(ObjectKind::Null) {}

    std::string className() const override { return "NSNull"; }
    std::string description() const override { return "<null>"; }
    bool isEqual(const Object& other) const override;
    std::size_t hash() const override { return 0x6e756c6c; }
};
