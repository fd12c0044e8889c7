#pragma once

#include <cstddef>
#include <string_view>

// The colour spaces a Color can hold its components in.
enum class ColorSpace {
    SRGB,
    LinearSRGB,
    GenericRGB,
    CalibratedRGB,
    DeviceRGB,
    GenericCMYK,
    GenericGray,
};

namespace colorspaces {

// The platform's kind shared by sRGB, linear sRGB and the generic spaces.
inline constexpr std::string_view kCustomColorSpace = "NSCustomColorSpace";

// The name a colour's description starts with, such as "sRGB IEC61966-2.1".
std::string_view localizedName(ColorSpace space);
// The platform's kind of space: "NSCustomColorSpace", "NSCalibratedRGBColorSpace", ...
std::string_view colorSpaceName(ColorSpace space);
// Components without alpha: 3 for the RGB spaces, 4 for CMYK, 1 for gray.
std::size_t channelCount(ColorSpace space);
bool isRGB(ColorSpace space);

} // namespace colorspaces
