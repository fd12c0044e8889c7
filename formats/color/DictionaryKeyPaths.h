#pragma once

#include "foundation/Dictionary.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Key paths ("decimal.precision") through nested dictionaries.
namespace keypaths {

// Every leaf key path, depth first, in each level's key order. A dictionary value is
// descended into; any other value is a leaf.
std::vector<std::string> extractAllKeyPathes(const Dictionary& dictionary);
// The recursive step: adds the leaf paths below `dictionary`, each prefixed with
// "prefix." when a prefix is given.
void collectAllKeyPathesInto(std::vector<std::string>& paths, const Dictionary& dictionary,
                             std::optional<std::string_view> prefix);

// A copy whose nested dictionaries are copies too.
Dictionary mutableDeepCopy(const Dictionary& dictionary);
// The receiver's entries plus the other's entries for keys the receiver lacks
// (one level only; the receiver wins).
Dictionary dictionaryByMergingDictionary(const Dictionary& receiver, const Dictionary& other);

} // namespace keypaths
