#pragma once

#include "formats/QVFormatDefinition.h"

#include <optional>
#include <string>
#include <vector>

class Value;

// The groups of built-in formats the user wants to see, from the setting
// "formatGroupWhiteList": an array of group names or one string of names
// separated by ",".
class QVGroupWhitelist final {
public:
    static constexpr const char* kSettingsKey = "formatGroupWhiteList";

    // nullopt when the setting is absent or names no groups in a usable form.
    static std::optional<QVGroupWhitelist> fromSetting(const Value& setting);

    const std::vector<std::string>& entries() const { return m_entries; }
    // An entry matches a group ignoring case; the group may hold "*" and "?" wildcards.
    bool admits(const std::string& group) const;
    QVFormatList apply(const QVFormatList& list) const;

private:
    explicit QVGroupWhitelist(std::vector<std::string> entries) : m_entries(std::move(entries)) {}

    std::vector<std::string> m_entries;
};
