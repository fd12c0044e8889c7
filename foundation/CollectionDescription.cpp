#include "CollectionDescription.h"


#include <cctype>

namespace collectiondescription {
namespace {

std::string quotedIfNeeded(const std::string& s)
{
    bool plain = !s.empty();
    for (const char c : s) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.')
            plain = false;
    }
    if (plain)
        return s;
    std::string result = "\"";
    for (const char c : s) {
        if (c == '"' || c == '\\')
            result += '\\';
        result += c;
    }
    return result + "\"";
}

std::string indent(int level)
{
    return std::string(static_cast<std::size_t>(level) * 4, ' ');
}

} // namespace

std::string describeArray(const std::vector<Value>& items, int level)
{
    std::string result = "(\n";
    for (std::size_t i = 0; i < items.size(); ++i) {
        result += indent(level + 1) + describe(items[i], level + 1);
        result += i + 1 < items.size() ? ",\n" : "\n";
    }
    return result + indent(level) + ")";
}

std::string describeDictionary(const Dictionary& entries, int level)
{
    std::string result = "{\n";
    for (const auto& [key, item] : entries)
        result += indent(level + 1) + quotedIfNeeded(key) + " = " + describe(item, level + 1) + ";\n";
    return result + indent(level) + "}";
}

std::string describe(const Value& value, int level)
{
    if (const auto* items = value.array())
        return describeArray(*items, level);
    if (const auto* entries = value.dictionary())
        return describeDictionary(*entries, level);
    if (const auto* string = value.string())
        return quotedIfNeeded(*string);
    return value.description();
}

} // namespace collectiondescription
