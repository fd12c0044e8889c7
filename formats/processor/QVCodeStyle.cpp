#include "QVCodeStyle.h"

#include "foundation/Dictionary.h"
#include "foundation/Log.h"
#include "foundation/StringUtils.h"

namespace {

enum class Kind { Flag, Integer, String };

struct Entry {
    const char* group;
    const char* key;
    Kind kind;
    long long number;
    const char* text;
};

// In the order of QVCodeStyle::Key.
constexpr std::array<Entry, QVCodeStyle::kKeyCount> kTable{{
    {"decimal", "useFractions", Kind::Flag, 0, nullptr},
    {"decimal", "prefix", Kind::String, 0, ""},
    {"decimal", "usePrefix", Kind::Flag, 0, nullptr},
    {"decimal", "suffix", Kind::String, 0, "f"},
    {"decimal", "useSuffix", Kind::Flag, 0, nullptr},
    {"decimal", "removeLeadingZero", Kind::Flag, 0, nullptr},
    {"decimal", "removeTrailingZeroes", Kind::Flag, 1, nullptr},
    {"decimal", "precision", Kind::Integer, 3, nullptr},
    {"decimal", "shortenOneAndZero", Kind::Flag, 1, nullptr},
    {"decimal", "listseparator", Kind::String, 0, ","},
    {"int", "listseparator", Kind::String, 0, ","},
    {"hex", "prefix", Kind::String, 0, "0x"},
    {"hex", "usePrefix", Kind::Flag, 1, nullptr},
    {"hex", "useUppercase", Kind::Flag, 0, nullptr},
    {"hex", "listseparator", Kind::String, 0, " "},
    {"css", "useUppercase", Kind::Flag, 0, nullptr},
    {"css", "useHexShorthand", Kind::Flag, 0, nullptr},
    {"css", "useW3CNames", Kind::Flag, 0, nullptr},
    {"whiteSpace", "csv", Kind::Flag, 1, nullptr},
    {"whiteSpace", "kvc", Kind::Flag, 0, nullptr},
}};

constexpr const char* kStyleNotDictionaryLog = "Code style is not a dictionary, using the built-in style: %@";
constexpr const char* kGroupNotDictionaryLog = "Code style group %@ is not a dictionary, ignored: %@";
constexpr const char* kWrongKindLog = "Code style value for %@ is not a %@, keeping the built-in value: %@";
constexpr const char* kNumberKind = "number";
constexpr const char* kStringKind = "string";

const Entry& entry(QVCodeStyle::Key key)
{
    return kTable[static_cast<std::size_t>(key)];
}

bool hasKind(const Value& value, Kind kind)
{
    return kind == Kind::String ? value.isString() : value.isNumber();
}

} // namespace

QVCodeStyle::QVCodeStyle()
{
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        const Entry& e = kTable[i];
        m_values[i] = e.kind == Kind::String ? Value(e.text) : Value::integer(e.number);
    }
}

QVCodeStyle QVCodeStyle::merged(const Value& stored)
{
    QVCodeStyle style;
    if (stored.isNil())
        return style;
    const Dictionary* groups = stored.dictionary();
    if (!groups) {
        logging::log(strings::format(kStyleNotDictionaryLog, {stored}));
        return style;
    }
    for (const auto& [groupName, group] : *groups) {
        if (!group.isDictionary())
            logging::log(strings::format(kGroupNotDictionaryLog, {Value(groupName), group}));
    }
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        const Entry& e = kTable[i];
        const Dictionary* group = groups->get(e.group).dictionary();
        if (!group)
            continue;
        const Value value = group->get(e.key);
        if (value.isNil())
            continue;
        if (!hasKind(value, e.kind)) {
            const Value kindName(e.kind == Kind::String ? kStringKind : kNumberKind);
            logging::log(strings::format(kWrongKindLog, {Value(keyPath(Key(i))), kindName, value}));
            continue;
        }
        style.m_values[i] = value;
    }
    return style;
}

std::string QVCodeStyle::keyPath(Key key)
{
    const Entry& e = entry(key);
    return std::string(e.group) + "." + e.key;
}

const std::vector<std::string>& QVCodeStyle::keyPaths()
{
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> result;
        for (std::size_t i = 0; i < kKeyCount; ++i)
            result.push_back(keyPath(Key(i)));
        return result;
    }();
    return paths;
}

bool QVCodeStyle::flag(Key key) const
{
    return value(key).boolValue();
}

long long QVCodeStyle::integer(Key key) const
{
    return value(key).integerValue();
}

const std::string& QVCodeStyle::string(Key key) const
{
    static const std::string empty;
    const std::string* text = value(key).string();
    return text ? *text : empty;
}

Value QVCodeStyle::dictionaryValue() const
{
    Dictionary groups;
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        const Entry& e = kTable[i];
        Dictionary group = groups.contains(e.group) ? *groups.get(e.group).dictionary() : Dictionary();
        group.set(e.key, m_values[i]);
        groups.set(e.group, Value(std::move(group)));
    }
    return Value(std::move(groups));
}
