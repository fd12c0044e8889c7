#pragma once

#include "formats/color/ColorConversions.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// A conversion from one colour space to another made of zero, one or two table
// functions, parsed from a text such as "rgb->lab" or "lab<-rgb".
class ColorTransform final {
public:
    // nullopt when either name is unknown or no path of at most two steps joins them.
    static std::optional<ColorTransform> parse(std::string_view text);

    std::size_t stepCount() const { return m_stepCount; }
    ConversionFunction step(std::size_t index) const { return m_steps[index]; }

    ColorTriple apply(const ColorTriple& triple) const;

private:
    ColorTransform() = default;
    void addStep(ConversionFunction function) { m_steps[m_stepCount++] = function; }

    std::size_t m_stepCount = 0;
    std::array<ConversionFunction, 2> m_steps{};
};
