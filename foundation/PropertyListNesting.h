#pragma once

#include <string_view>

// libplist's binary reader recurses once per level of nesting and overflows the stack
// on a document nested deeply enough, and its readers abort on a string holding a NUL
// character; these checks run before it sees the bytes.
namespace propertylist {

enum class Nesting {
    Fine,
    TooDeep,
};

// Binary documents start with "bplist00"; anything else is read as XML.
bool isBinary(std::string_view bytes);

// The nesting of a binary document: only dictionaries and arrays (and sets) count as
// levels.
Nesting nesting(std::string_view bytes, int maximumDepth);

// A NUL character anywhere in an XML document, or inside a string (key or value) of
// a binary one.
bool holdsNulInString(std::string_view bytes);

} // namespace propertylist
