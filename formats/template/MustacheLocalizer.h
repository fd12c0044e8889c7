#pragma once

#include "MustacheFilter.h"
#include "MustacheRendering.h"

#include "foundation/Dictionary.h"

#include <string>

class Bundle;

// localize: translates a value, or a section's text with its variable tags as format
// arguments, through a strings table of a bundle. Missing keys stay as they are.
class MustacheLocalizer final : public MustacheFilter, public MustacheRendering {
public:
    // The main bundle when null; "Localizable" when the table name is empty.
    MustacheLocalizer(const Bundle* bundle, std::string tableName);

    static constexpr const char* kPlaceholder = "MustacheLocalizerValuePlaceholder";
    static constexpr std::size_t kMaximumArguments = 10;

    std::string className() const override { return "MustacheLocalizer"; }
    const std::string& tableName() const { return m_tableName; }
    std::string localizedStringForKey(const std::string& key) const;

    Value transformedValue(const Value& object) const override;
    std::optional<std::string> renderForMustacheTag(const MustacheTag& tag, const MustacheContextPtr& context,
                                                    bool& HTMLSafe, Error& error) const override;

private:
    std::string m_tableName;
    Dictionary m_table;
};
