#pragma once

#include "formats/QVFormatDefinition.h"

#include <optional>

class Value;

// Checks one user-written format from the "customFormats" setting and completes it
// to a definition with all eight keys. A rejected entry is logged.
class QVCustomFormatReader final {
public:
    static constexpr const char* kDefaultGroup = "custom";
    static constexpr const char* kDefaultDisplayFormat = "{{int255RGBA(color,3,space)}}";

    static std::optional<QVFormatDefinition> read(const Value& entry);
};
