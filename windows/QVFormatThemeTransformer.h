#pragma once

#include "windows/ValueTransformer.h"

#include <string>
#include <vector>

// Turns a theme name of the "userInterface" setting into its index in themeNames()
// and back. An unknown name is index 0; an index outside the list is "light".
class QVFormatThemeTransformer final : public ValueTransformer {
public:
    static Value::Kind transformedValueKind() { return Value::Kind::Number; }
    static bool allowsReverseTransformation() { return true; }
    // "light", "dark".
    static const std::vector<std::string>& themeNames();

    Value transformedValue(const Value& value) const override;
    Value reverseTransformedValue(const Value& value) const override;
};
