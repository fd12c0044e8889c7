#pragma once

#include <cstddef>

// A range in a template string, of UTF-16 units or of bytes as its holder says.
struct TextRange {
    std::size_t location = 0;
    std::size_t length = 0;

    std::size_t end() const { return location + length; }
    bool operator==(const TextRange&) const = default;
};
