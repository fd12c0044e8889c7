#pragma once

#include <cstddef>

// A range of UTF-16 units in a template string.
struct TextRange {
    std::size_t location = 0;
    std::size_t length = 0;

    std::size_t end() const { return location + length; }
    bool operator==(const TextRange&) const = default;
};
