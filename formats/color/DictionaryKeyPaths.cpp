#include "formats/color/DictionaryKeyPaths.h"

namespace keypaths {
namespace {

constexpr char kSeparator = '.';

} // namespace

std::vector<std::string> extractAllKeyPathes(const Dictionary& dictionary)
{
    std::vector<std::string> paths;
    collectAllKeyPathesInto(paths, dictionary, std::nullopt);
    return paths;
}

void collectAllKeyPathesInto(std::vector<std::string>& paths, const Dictionary& dictionary,
                             std::optional<std::string_view> prefix)
{
    for (const auto& [key, value] : dictionary) {
        std::string path = prefix ? std::string(*prefix) + kSeparator + key : key;
        if (const Dictionary* nested = value.dictionary())
            collectAllKeyPathesInto(paths, *nested, path);
        else
            paths.push_back(std::move(path));
    }
}

Dictionary mutableDeepCopy(const Dictionary& dictionary)
{
    Dictionary copy;
    for (const auto& [key, value] : dictionary) {
        if (const Dictionary* nested = value.dictionary())
            copy.set(key, Value(mutableDeepCopy(*nested)));
        else
            copy.set(key, value);
    }
    return copy;
}

Dictionary dictionaryByMergingDictionary(const Dictionary& receiver, const Dictionary& other)
{
    Dictionary merged = receiver;
    for (const auto& [key, value] : other) {
        if (!merged.contains(key))
            merged.set(key, value);
    }
    return merged;
}

} // namespace keypaths
