#pragma once

#include "QVCodeStyle.h"

#include "foundation/Dictionary.h"
#include "foundation/Object.h"
#include "foundation/Value.h"

#include <memory>
#include <string>
#include <vector>

// What every format template renders against: the symbols, the filters, the code
// style, the colour in the current profile, the colour table and the current format.
// Immutable; every update makes a new one. The symbols and filters never change, so
// they are shared between environments and only the other entries are copied.
class QVTemplateEnvironment final : public Object {
public:
    static constexpr const char* kCodeStyleKey = "codeStyle";
    static constexpr const char* kColorProfileKey = "colorProfile";
    static constexpr const char* kColorKey = "color";
    static constexpr const char* kColorValuesKey = "colorValues";
    static constexpr const char* kFormatKey = "format";

    // `constants` are the entries no update changes; `entries` are laid over them.
    QVTemplateEnvironment(std::shared_ptr<const Dictionary> constants, Dictionary entries,
        std::shared_ptr<const QVCodeStyle> codeStyle);

    // nil when absent.
    Value get(const std::string& key) const;
    // Every entry in one dictionary.
    Dictionary dictionary() const;
    // The typed style behind "codeStyle".
    const QVCodeStyle& codeStyle() const { return *m_codeStyle; }

    // A copy with these entries set.
    std::shared_ptr<const QVTemplateEnvironment> with(std::vector<Dictionary::Entry> entries) const;
    // A copy with another code style.
    std::shared_ptr<const QVTemplateEnvironment> withCodeStyle(std::shared_ptr<const QVCodeStyle> codeStyle) const;

    std::string className() const override { return "NSDictionary"; }
    std::string description() const override;
    bool hasKeyedSubscript() const override { return true; }
    Value objectForKeyedSubscript(const std::string& key) const override { return get(key); }
    Value valueForKey(const std::string& key) const override { return get(key); }

private:
    std::shared_ptr<const Dictionary> m_constants;
    Dictionary m_entries;
    std::shared_ptr<const QVCodeStyle> m_codeStyle;
};
