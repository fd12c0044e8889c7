#pragma once

#include "foundation/Dictionary.h"
#include "foundation/Value.h"

#include <string>
#include <vector>

// One loupe display format: at least a name and the template drawn in the info box.
// Taken from the resource as it is written.
class QVDisplayFormatDefinition final {
public:
    static constexpr const char* kName = "name";
    static constexpr const char* kDisplayFormat = "displayFormat";

    QVDisplayFormatDefinition() = default;
    explicit QVDisplayFormatDefinition(Dictionary values) : m_values(std::move(values)) {}

    const Dictionary& dictionary() const { return m_values; }
    Value value() const { return Value(m_values); }
    // The string under the key; "" when it is absent or not a string.
    std::string string(const std::string& key) const;

    std::string name() const { return string(kName); }
    std::string displayFormat() const { return string(kDisplayFormat); }

    bool operator==(const QVDisplayFormatDefinition& other) const { return m_values == other.m_values; }

private:
    Dictionary m_values;
};

using QVDisplayFormatList = std::vector<QVDisplayFormatDefinition>;
