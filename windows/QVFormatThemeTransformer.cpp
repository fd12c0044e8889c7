#include "QVFormatThemeTransformer.h"

#include "uikit/application/UserInterfaceSetting.h"

#include <algorithm>

const std::vector<std::string>& QVFormatThemeTransformer::themeNames()
{
    static const std::vector<std::string> names {userinterface::kLight, userinterface::kDark};
    return names;
}

Value QVFormatThemeTransformer::transformedValue(const Value& value) const
{
    const std::vector<std::string>& names = themeNames();
    const std::string* name = value.string();
    const auto found = name ? std::find(names.begin(), names.end(), *name) : names.end();
    return Value::integer(found == names.end() ? 0 : found - names.begin());
}

Value QVFormatThemeTransformer::reverseTransformedValue(const Value& value) const
{
    const std::vector<std::string>& names = themeNames();
    const long long index = value.isNumber() || value.isString() ? value.integerValue() : -1;
    if (index < 0 || index >= static_cast<long long>(names.size()))
        return Value(names.front());
    return Value(names[static_cast<std::size_t>(index)]);
}
