#pragma once

#include "GRMustacheFilter.h"
#include "GRMustacheRendering.h"

#include "foundation/Dictionary.h"

#include <string>

class Bundle;

// localize: translates a value, or a section's text with its variable tags as format
// arguments, through a strings table of a bundle. Missing keys stay as they are.
class GRMustacheLocalizer final : public GRMustacheFilter, public GRMustacheRendering {
public:
    // The main bundle when null; "Localizable" when the table name is empty.
    GRMustacheLocalizer(const Bundle* bundle, std::string tableName);

    static constexpr const char* kPlaceholder = "GRMustacheLocalizerValuePlaceholder";
    static constexpr std::size_t kMaximumArguments = 10;

    std::string className() const override { return "GRMustacheLocalizer"; }
    const std::string& tableName() const { return m_tableName; }
    std::string localizedStringForKey(const std::string& key) const;

    Value transformedValue(const Value& object) const override;
    std::optional<std::string> renderForMustacheTag(const GRMustacheTag& tag, const GRMustacheContextPtr& context,
                                                    bool& HTMLSafe, Error& error) const override;

private:
    std::string m_tableName;
    Dictionary m_table;
};
