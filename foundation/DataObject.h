#pragma once

#include "Object.h"

#include <cstdint>
#include <vector>

class DataObject final : public Object {
public:
    explicit DataObject(std::vector<std::uint8_t> bytes) : Object(ObjectKind::Data), m_bytes(std::move(bytes)) {}

    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

    std::string className() const override { return "NSData"; }
    // "<0a0b0c0d 0e>": lower-case hex, a blank after every four bytes.
    std::string description() const override;
    bool isEqual(const Object& other) const override;
    std::size_t hash() const override;
    Value valueForKey(const std::string& key) const override;
    bool isSafeKey(const std::string& key) const override;

private:
    std::vector<std::uint8_t> m_bytes;
};
