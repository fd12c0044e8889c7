#pragma once

#include "formats/color/ColorConversions.h"

#include <span>
#include <string_view>

// Codes of the colour spaces the conversion table joins.
enum class ColorSpaceCode {
    Unknown = 0,
    Rgb,
    Yuv,
    YCbCr,
    JpegYCbCr,
    YPbPr,
    YDbDr,
    Yiq,
    Hsv,
    Hsl,
    Hsi,
    Xyz,
    Lab,
    Luv,
    Lch,
    Cat02Lms,
};

// One supported pair: the forward function maps `from` to `to`, the inverse back.
struct ConversionRow {
    ColorSpaceCode from;
    ColorSpaceCode to;
    ConversionFunction forward;
    ConversionFunction inverse;
};

namespace colorspacecodes {

// Exact match on a lower-case name; the empty name is RGB. Unknown names give Unknown.
ColorSpaceCode codeForName(std::string_view name);

std::span<const ConversionRow> conversionTable();

} // namespace colorspacecodes
