#pragma once

#include "Dictionary.h"
#include "Value.h"

#include <string>

// The printed form of arrays and dictionaries:
//   (
//       item,
//       "two words"
//   )
//   {
//       key = value;
//   }
// Nested containers are indented four blanks per level. Keys and strings that are
// not plain words (letters, digits, '_' and '.') are quoted, with '"' and '\' escaped.
namespace collectiondescription {

std::string describe(const Value& value, int level);
std::string describeArray(const std::vector<Value>& items, int level);
std::string describeDictionary(const Dictionary& entries, int level);

} // namespace collectiondescription
