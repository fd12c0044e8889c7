#pragma once

#include "formats/template/MustacheContentType.h"
#include "formats/template/MustacheContext.h"
#include "foundation/Error.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

class MustacheTemplate;

// Compiled templates by their text and the engine settings they were compiled under
// (content type, tag delimiters, base context). The same few format templates are
// rendered on every mouse move and for every row of the overlay; a compiled template
// keeps nothing of a rendering, so one compilation serves them all.
class QVTemplateCache final {
public:
    // The template compiled from the text under the current settings; null when the
    // text does not compile (that answer is not kept).
    std::shared_ptr<MustacheTemplate> templateFromString(const std::string& text, Error* error = nullptr);

private:
    static constexpr std::size_t kCapacity = 512;

    // What a compilation depends on, looked up without copying the text.
    struct KeyView {
        std::string_view text;
        MustacheContentType contentType;
        std::string_view tagStartDelimiter;
        std::string_view tagEndDelimiter;
        const MustacheContext* baseContext;

        bool operator==(const KeyView&) const = default;
    };
    struct Key {
        std::string text;
        MustacheContentType contentType;
        std::string tagStartDelimiter;
        std::string tagEndDelimiter;
        MustacheContextPtr baseContext;

        KeyView view() const { return {text, contentType, tagStartDelimiter, tagEndDelimiter, baseContext.get()}; }
    };
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(const KeyView& key) const;
        std::size_t operator()(const Key& key) const { return (*this)(key.view()); }
    };
    struct KeyEqual {
        using is_transparent = void;
        static KeyView view(const KeyView& key) { return key; }
        static KeyView view(const Key& key) { return key.view(); }
        template <class A, class B> bool operator()(const A& a, const B& b) const { return view(a) == view(b); }
    };

    std::unordered_map<Key, std::shared_ptr<MustacheTemplate>, KeyHash, KeyEqual> m_templates;
};
