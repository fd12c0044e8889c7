#pragma once

#include "formats/color/ColorConversions.h"

#include <memory>

// sRGB to and from the generic RGB space (primaries R 0.63/0.34, G 0.295/0.605,
// B 0.155/0.077, white D65, gamma 1.8), through LittleCMS with the relative
// colorimetric intent. The profiles and transforms are made once, on first use.
class GenericRgbConversion final {
public:
    static const GenericRgbConversion& shared();

    ~GenericRgbConversion();
    GenericRgbConversion(const GenericRgbConversion&) = delete;
    GenericRgbConversion& operator=(const GenericRgbConversion&) = delete;

    ColorTriple fromSRGB(const ColorTriple& rgb) const;
    ColorTriple toSRGB(const ColorTriple& rgb) const;

private:
    GenericRgbConversion();

    struct Transforms;
    std::unique_ptr<Transforms> m_transforms;
};
