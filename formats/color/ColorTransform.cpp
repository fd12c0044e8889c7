#include "formats/color/ColorTransform.h"

#include "formats/color/ColorSpaceCode.h"

#include <string>

namespace {

constexpr char kToSeparator = '>';
constexpr char kFromSeparator = '<';

bool isSkipped(char c)
{
    return c == ' ' || c == '\t' || c == '-' || c == '=';
}

char lowercased(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The function of `row` that maps `from` to the row's other space, or nullptr when
// the row does not touch `from`.
ConversionFunction functionLeaving(const ConversionRow& row, ColorSpaceCode from, ColorSpaceCode& reached)
{
    if (row.from == from) {
        reached = row.to;
        return row.forward;
    }
    if (row.to == from) {
        reached = row.from;
        return row.inverse;
    }
    return nullptr;
}

ConversionFunction directFunction(ColorSpaceCode from, ColorSpaceCode to)
{
    for (const ConversionRow& row : colorspacecodes::conversionTable()) {
        ColorSpaceCode reached = ColorSpaceCode::Unknown;
        const ConversionFunction function = functionLeaving(row, from, reached);
        if (function && reached == to)
            return function;
    }
    return nullptr;
}

} // namespace

std::optional<ColorTransform> ColorTransform::parse(std::string_view text)
{
    std::string source;
    std::string destination;
    std::string current;
    std::string* target = &source;
    for (const char c : text) {
        if (isSkipped(c))
            continue;
        if (c == kToSeparator) {
            source = std::move(current);
            current.clear();
            target = &destination;
        } else if (c == kFromSeparator) {
            destination = std::move(current);
            current.clear();
            target = &source;
        } else {
            current.push_back(lowercased(c));
        }
    }
    *target = std::move(current);

    const ColorSpaceCode from = colorspacecodes::codeForName(source);
    const ColorSpaceCode to = colorspacecodes::codeForName(destination);
    if (from == ColorSpaceCode::Unknown || to == ColorSpaceCode::Unknown)
        return std::nullopt;

    ColorTransform transform;
    if (from == to)
        return transform;
    if (const ConversionFunction direct = directFunction(from, to)) {
        transform.addStep(direct);
        return transform;
    }
    for (const ConversionRow& row : colorspacecodes::conversionTable()) {
        ColorSpaceCode common = ColorSpaceCode::Unknown;
        const ConversionFunction first = functionLeaving(row, from, common);
        if (!first)
            continue;
        if (const ConversionFunction second = directFunction(common, to)) {
            transform.addStep(first);
            transform.addStep(second);
            return transform;
        }
    }
    return std::nullopt;
}

ColorTriple ColorTransform::apply(const ColorTriple& triple) const
{
    ColorTriple result = triple;
    for (std::size_t i = 0; i < m_stepCount; ++i)
        result = m_steps[i](result);
    return result;
}
