#pragma once

#include "Dictionary.h"
#include "Error.h"
#include "Value.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Values read straight from XML property-list text, without a second tree of the
// whole document, and without recursion: nesting is bounded by a depth limit.
class PropertyListXmlReader final {
public:
    // nil, with the Error set, when the text is not a property list.
    static Value read(std::string_view text, Error* error);

private:
    explicit PropertyListXmlReader(std::string_view text) : m_text(text) {}

    struct Tag {
        std::string_view name;
        bool closing = false;
        bool empty = false;
    };
    // An open array or dictionary.
    struct Container {
        bool isDictionary;
        std::vector<Value> items;
        Dictionary entries;
        std::optional<std::string> key;
    };

    Value readDocument(Error* error);
    // Skips comments, processing instructions and, where allowed, a document type;
    // false at anything else that is no tag.
    bool skipToTag(bool inContent);
    std::optional<Tag> readTag();
    // The text up to the end tag of `name`, entities and sections resolved.
    std::optional<std::string> readText(std::string_view name, const Tag& tag);
    std::optional<Value> scalar(std::string_view name, const Tag& tag);
    // Hands a finished value to the open container; false when it has no place there.
    bool place(Value value);

    std::string_view m_text;
    std::size_t m_at = 0;
    std::vector<Container> m_open;
    Value m_root;
};
