#pragma once

#include "formats/template/GRMustacheContentType.h"

#include <map>
#include <memory>
#include <string>
#include <utility>

class GRMustacheTemplate;

// Compiled templates by their text and the content type they were compiled under.
// The same few format templates are rendered on every mouse move and for every row
// of the overlay; a compiled template keeps nothing of a rendering, so one
// compilation serves them all.
class QVTemplateCache final {
public:
    // The template compiled from the text under the current content type; null when
    // the text does not compile (that answer is not kept).
    std::shared_ptr<GRMustacheTemplate> templateFromString(const std::string& text);

private:
    static constexpr std::size_t kCapacity = 512;

    std::map<std::pair<std::string, GRMustacheContentType>, std::shared_ptr<GRMustacheTemplate>> m_templates;
};
