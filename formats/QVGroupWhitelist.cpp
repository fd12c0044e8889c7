#include "QVGroupWhitelist.h"

#include "foundation/Log.h"
#include "foundation/StringUtils.h"
#include "foundation/Value.h"

#include <algorithm>

namespace {

constexpr const char* kWhitelistLog = "Whitelist for groups: %@";
constexpr const char* kEntryNotAString = "Whitelist for groups: entry %@ is not a string and is ignored";
constexpr const char* kWrongKind = "Whitelist for groups ignored: %@ is neither an array nor a string";
constexpr const char* kSeparator = ",";

std::vector<Value> groupValues(const Value& setting)
{
    if (const std::string* text = setting.string()) {
        std::vector<Value> parts;
        for (const std::string& part : strings::split(*text, kSeparator))
            parts.emplace_back(part);
        return parts;
    }
    return *setting.array();
}

} // namespace

std::optional<QVGroupWhitelist> QVGroupWhitelist::fromSetting(const Value& setting)
{
    if (setting.isNil())
        return std::nullopt;
    if (!setting.isString() && !setting.isArray()) {
        logging::log(strings::format(kWrongKind, {setting}));
        return std::nullopt;
    }
    const std::vector<Value> values = groupValues(setting);
    logging::log(strings::format(kWhitelistLog, {Value(values)}));

    std::vector<std::string> entries;
    for (const Value& value : values) {
        if (const std::string* text = value.string())
            entries.push_back(strings::trimBlanks(*text));
        else
            logging::log(strings::format(kEntryNotAString, {value}));
    }
    return QVGroupWhitelist(std::move(entries));
}

bool QVGroupWhitelist::admits(const std::string& group) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&group](const std::string& entry) { return strings::like(entry, group); });
}

QVFormatList QVGroupWhitelist::apply(const QVFormatList& list) const
{
    QVFormatList kept;
    std::copy_if(list.begin(), list.end(), std::back_inserter(kept),
                 [this](const QVFormatDefinition& format) { return admits(format.group()); });
    return kept;
}
