#include "SettingsStore.h"

#include "foundation/Bundle.h"
#include "foundation/Error.h"
#include "foundation/Log.h"
#include "foundation/NumberObject.h"
#include "foundation/PropertyList.h"
#include "foundation/StringUtils.h"
#include "foundation/UserDefaults.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr const char* kIgnoredValueLog = "Ignoring the setting \"%@\": %@ is not %@";
constexpr const char* kIgnoredEntryLog = "Ignoring an entry of the setting \"%@\": %@ is not a string";
constexpr const char* kMissingDefaultsLog = "The default settings %@ could not be read: %@";
constexpr const char* kMissingResource = "no such resource";
constexpr const char* kNotADictionary = "its root is not a dictionary";

const char* typeDescription(SettingType type)
{
    switch (type) {
    case SettingType::Boolean:
        return "a boolean";
    case SettingType::Integer:
        return "an integer";
    case SettingType::Real:
        return "a number";
    case SettingType::String:
        return "a string";
    case SettingType::StringList:
        return "a list of strings";
    case SettingType::Dictionary:
        return "a dictionary";
    case SettingType::Data:
        return "data";
    case SettingType::Any:
        break;
    }
    return "a value";
}

// Whole-text numbers only: "12", " 3.5"; not "12abc" or "".
std::optional<double> parseNumber(const std::string& text)
{
    const std::string trimmed = strings::trimWhitespaceAndNewlines(text);
    if (trimmed.empty())
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double number = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size() || errno == ERANGE || !std::isfinite(number))
        return std::nullopt;
    return number;
}

std::optional<double> numberOf(const Value& value)
{
    if (value.isNumber()) {
        const double number = value.doubleValue();
        return std::isfinite(number) ? std::optional<double>(number) : std::nullopt;
    }
    if (const std::string* text = value.string())
        return parseNumber(*text);
    return std::nullopt;
}

long long clampedInteger(double number)
{
    // The largest double below 2^63 and its negation bound the conversion.
    constexpr double kLimit = 9223372036854774784.0;
    return static_cast<long long>(std::clamp(std::trunc(number), -kLimit, kLimit));
}

bool fits(const Value& value, SettingType expected)
{
    switch (expected) {
    case SettingType::Boolean:
        return value.isNumber() || value.isString();
    case SettingType::Integer:
    case SettingType::Real:
        return numberOf(value).has_value();
    case SettingType::String:
        return value.isString();
    case SettingType::StringList:
        return value.isArray();
    case SettingType::Dictionary:
        return value.isDictionary();
    case SettingType::Data:
        return value.isData();
    case SettingType::Any:
        break;
    }
    return true;
}

} // namespace

SettingsStore::SettingsStore(UserDefaults& defaults)
    : m_defaults(defaults)
{
}

Dictionary SettingsStore::readBundleDefaults()
{
    const auto path = Bundle::main().pathForResource(kDefaultsResource, Bundle::kPropertyListType);
    const Value name(std::string(kDefaultsResource) + "." + Bundle::kPropertyListType);
    if (!path) {
        logging::log(strings::format(kMissingDefaultsLog, {name, Value(kMissingResource)}));
        return {};
    }
    Error error;
    const Value root = propertylist::readFile(*path, &error);
    if (const Dictionary* values = root.dictionary())
        return *values;
    logging::log(strings::format(kMissingDefaultsLog, {name, Value(root.isNil() ? error.message : kNotADictionary)}));
    return {};
}

bool SettingsStore::isStored(const SettingsKey& key) const
{
    return m_defaults.isStored(key.name);
}

bool SettingsStore::isPresent(const SettingsKey& key) const
{
    return m_defaults.isPresent(key.name);
}

void SettingsStore::reportIgnored(const SettingsKey& key, const Value& value) const
{
    logging::log(strings::format(kIgnoredValueLog, {Value(key.name), value, Value(typeDescription(key.type))}));
}

Value SettingsStore::checked(const SettingsKey& key, SettingType expected) const
{
    assert(key.type == expected);
    // A damaged stored value counts as absent, so the registered default shows through.
    for (const Value& value : {m_defaults.storedValues().get(key.name), m_defaults.registeredDefaults().get(key.name)}) {
        if (value.isNil())
            continue;
        if (fits(value, expected))
            return value;
        reportIgnored(key, value);
    }
    return {};
}

std::optional<bool> SettingsStore::boolean(const SettingsKey& key) const
{
    const Value value = checked(key, SettingType::Boolean);
    return value ? std::optional<bool>(value.boolValue()) : std::nullopt;
}

std::optional<long long> SettingsStore::integer(const SettingsKey& key) const
{
    const Value value = checked(key, SettingType::Integer);
    if (!value)
        return std::nullopt;
    const NumberObject* number = value.number();
    if (number && number->type() != NumberObject::Type::Double)
        return number->integerValue();
    return clampedInteger(*numberOf(value));
}

std::optional<double> SettingsStore::real(const SettingsKey& key) const
{
    const Value value = checked(key, SettingType::Real);
    return value ? numberOf(value) : std::nullopt;
}

std::optional<std::string> SettingsStore::string(const SettingsKey& key) const
{
    const Value value = checked(key, SettingType::String);
    return value ? std::optional<std::string>(*value.string()) : std::nullopt;
}

std::optional<std::vector<std::string>> SettingsStore::strings(const SettingsKey& key) const
{
    const Value value = checked(key, SettingType::StringList);
    if (!value)
        return std::nullopt;
    std::vector<std::string> entries;
    logging::LimitedRun ignored;
    for (const Value& entry : *value.array()) {
        if (const std::string* text = entry.string())
            entries.push_back(*text);
        else
            ignored.log(strings::format(kIgnoredEntryLog, {Value(key.name), entry}));
    }
    return entries;
}

std::optional<std::vector<Value>> SettingsStore::array(const SettingsKey& key) const
{
    const Value value = checked(key, SettingType::StringList);
    return value ? std::optional<std::vector<Value>>(*value.array()) : std::nullopt;
}

std::optional<Dictionary> SettingsStore::dictionary(const SettingsKey& key) const
{
    const Value value = checked(key, SettingType::Dictionary);
    return value ? std::optional<Dictionary>(*value.dictionary()) : std::nullopt;
}

std::optional<std::vector<std::uint8_t>> SettingsStore::data(const SettingsKey& key) const
{
    const Value value = checked(key, SettingType::Data);
    return value ? std::optional<std::vector<std::uint8_t>>(*value.bytes()) : std::nullopt;
}

void SettingsStore::set(const SettingsKey& key, Value value)
{
    m_defaults.setObject(key.name, std::move(value));
}

bool SettingsStore::setAll(const Dictionary& values, Error* error)
{
    return m_defaults.setObjects(values, error);
}
