#pragma once

#include "foundation/Dictionary.h"
#include "foundation/Value.h"

#include <string>
#include <vector>

// One export format: a dictionary of strings. Definitions the repository builds
// itself hold all eight keys; the built-in list is taken as it is written.
class QVFormatDefinition final {
public:
    static constexpr const char* kName = "name";
    static constexpr const char* kGroup = "group";
    static constexpr const char* kColorProfile = "colorProfile";
    static constexpr const char* kExportFormat = "exportFormat";
    static constexpr const char* kShortFormat = "shortFormat";
    static constexpr const char* kDisplayFormat = "displayFormat";
    static constexpr const char* kTarget = "target";
    static constexpr const char* kScript = "script";

    // The eight keys in their canonical order.
    static const std::vector<std::string>& keys();

    QVFormatDefinition() : QVFormatDefinition(Dictionary()) {}
    explicit QVFormatDefinition(Dictionary values) : m_value(std::move(values)) {}

    const Dictionary& dictionary() const { return *m_value.dictionary(); }
    // The dictionary as a value, shared: templates read it on every rendering.
    const Value& value() const { return m_value; }
    // The string under the key; "" when it is absent or not a string.
    std::string string(const std::string& key) const;

    std::string name() const { return string(kName); }
    std::string group() const { return string(kGroup); }
    std::string colorProfile() const { return string(kColorProfile); }
    std::string exportFormat() const { return string(kExportFormat); }
    std::string shortFormat() const { return string(kShortFormat); }
    std::string displayFormat() const { return string(kDisplayFormat); }
    std::string target() const { return string(kTarget); }
    std::string script() const { return string(kScript); }

    bool operator==(const QVFormatDefinition& other) const { return m_value == other.m_value; }

private:
    // Always a dictionary.
    Value m_value;
};

using QVFormatList = std::vector<QVFormatDefinition>;
