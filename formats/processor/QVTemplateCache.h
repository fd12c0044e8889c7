#pragma once

#include "formats/template/GRMustacheContentType.h"
#include "formats/template/GRMustacheContext.h"

#include <compare>
#include <map>
#include <memory>
#include <string>

class GRMustacheTemplate;

// Compiled templates by their text and the engine settings they were compiled under
// (content type, tag delimiters, base context). The same few format templates are
// rendered on every mouse move and for every row of the overlay; a compiled template
// keeps nothing of a rendering, so one compilation serves them all.
class QVTemplateCache final {
public:
    // The template compiled from the text under the current settings; null when the
    // text does not compile (that answer is not kept).
    std::shared_ptr<GRMustacheTemplate> templateFromString(const std::string& text);

private:
    static constexpr std::size_t kCapacity = 512;

    struct Key {
        std::string text;
        GRMustacheContentType contentType;
        std::string tagStartDelimiter;
        std::string tagEndDelimiter;
        GRMustacheContextPtr baseContext;

        auto operator<=>(const Key&) const = default;
    };

    std::map<Key, std::shared_ptr<GRMustacheTemplate>> m_templates;
};
