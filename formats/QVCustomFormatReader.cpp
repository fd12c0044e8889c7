#include "QVCustomFormatReader.h"

#include "formats/QVColorProfile.h"
#include "formats/QVFormatTarget.h"
#include "foundation/Log.h"
#include "foundation/StringUtils.h"

namespace {

constexpr const char* kNotADictionary = "Error in custom format definition: Definition has to be a dictionary!";
constexpr const char* kKeyRequired = "Error in custom format definition: Key %@ required!";
constexpr const char* kValueNotAString = "Error in custom format definition: Value for %@ is not a string!";
constexpr const char* kProfileNotSupported = "Warning for custom format definition: Colorprofile %@ not supported";
constexpr const char* kTargetNotSupported = "Warning for custom format definition: Target %@ not supported";

void logWith(const char* pattern, const std::string& argument)
{
    logging::log(strings::format(pattern, {Value(argument)}));
}

bool isRequired(const std::string& key)
{
    return key == QVFormatDefinition::kName || key == QVFormatDefinition::kExportFormat;
}

// Every present value a string, the required ones present; the first failing key is logged.
bool hasValidValues(const Dictionary& entry)
{
    for (const std::string& key : QVFormatDefinition::keys()) {
        const Value value = entry.get(key);
        if (value.isNil()) {
            if (isRequired(key)) {
                logWith(kKeyRequired, key);
                return false;
            }
            continue;
        }
        if (!value.isString()) {
            logWith(kValueNotAString, key);
            return false;
        }
    }
    return true;
}

std::optional<std::string> optionalString(const Dictionary& entry, const std::string& key)
{
    const Value value = entry.get(key);
    if (const std::string* text = value.string())
        return *text;
    return std::nullopt;
}

std::string normalizedWord(const std::string& text)
{
    return strings::lowercase(strings::trimBlanks(text));
}

std::string colorProfileOf(const Dictionary& entry)
{
    const auto given = optionalString(entry, QVFormatDefinition::kColorProfile);
    if (!given)
        return QVColorProfile::supportedColorProfiles().front();
    const std::string profile = normalizedWord(*given);
    if (QVColorProfile::isSupported(profile))
        return profile;
    logWith(kProfileNotSupported, profile);
    return QVColorProfile::kSRGB;
}

std::string targetOf(const Dictionary& entry)
{
    const auto given = optionalString(entry, QVFormatDefinition::kTarget);
    if (!given)
        return QVFormatTarget::kClipboard;
    const std::string target = normalizedWord(*given);
    if (QVFormatTarget::isSupported(target))
        return target;
    logWith(kTargetNotSupported, target);
    return QVFormatTarget::kClipboard;
}

} // namespace

std::optional<QVFormatDefinition> QVCustomFormatReader::read(const Value& entry)
{
    const Dictionary* values = entry.dictionary();
    if (!values) {
        logging::log(kNotADictionary);
        return std::nullopt;
    }
    if (!hasValidValues(*values))
        return std::nullopt;

    const std::string exportFormat = *optionalString(*values, QVFormatDefinition::kExportFormat);
    const auto group = optionalString(*values, QVFormatDefinition::kGroup);
    const std::string profile = colorProfileOf(*values);
    std::string target = targetOf(*values);
    std::string script;
    if (target == QVFormatTarget::kAppleScript) {
        // An AppleScript format without a script can still be copied.
        if (const auto given = optionalString(*values, QVFormatDefinition::kScript))
            script = *given;
        else
            target = QVFormatTarget::kClipboard;
    }

    return QVFormatDefinition(Dictionary{
        {QVFormatDefinition::kName, Value(strings::trimBlanks(*optionalString(*values, QVFormatDefinition::kName)))},
        {QVFormatDefinition::kGroup, Value(group ? normalizedWord(*group) : std::string(kDefaultGroup))},
        {QVFormatDefinition::kColorProfile, Value(profile)},
        {QVFormatDefinition::kExportFormat, Value(exportFormat)},
        {QVFormatDefinition::kShortFormat,
         Value(optionalString(*values, QVFormatDefinition::kShortFormat).value_or(exportFormat))},
        {QVFormatDefinition::kDisplayFormat,
         Value(optionalString(*values, QVFormatDefinition::kDisplayFormat).value_or(kDefaultDisplayFormat))},
        {QVFormatDefinition::kTarget, Value(target)},
        {QVFormatDefinition::kScript, Value(script)},
    });
}
