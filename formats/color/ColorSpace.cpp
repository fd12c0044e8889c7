#include "formats/color/ColorSpace.h"

namespace colorspaces {
namespace {

constexpr std::string_view kCalibratedRGBColorSpace = "NSCalibratedRGBColorSpace";
constexpr std::string_view kDeviceRGBColorSpace = "NSDeviceRGBColorSpace";

} // namespace

std::string_view localizedName(ColorSpace space)
{
    switch (space) {
    case ColorSpace::SRGB: return "sRGB IEC61966-2.1";
    case ColorSpace::LinearSRGB: return "Linear sRGB";
    case ColorSpace::GenericRGB: return "Generic RGB";
    case ColorSpace::CalibratedRGB: return "Calibrated RGB";
    case ColorSpace::DeviceRGB: return "Device RGB";
    case ColorSpace::GenericCMYK: return "Generic CMYK";
    case ColorSpace::GenericGray: return "Generic Gray";
    }
    return {};
}

std::string_view colorSpaceName(ColorSpace space)
{
    switch (space) {
    case ColorSpace::CalibratedRGB: return kCalibratedRGBColorSpace;
    case ColorSpace::DeviceRGB: return kDeviceRGBColorSpace;
    default: return kCustomColorSpace;
    }
}

std::size_t channelCount(ColorSpace space)
{
    switch (space) {
    case ColorSpace::GenericCMYK: return 4;
    case ColorSpace::GenericGray: return 1;
    default: return 3;
    }
}

bool isRGB(ColorSpace space)
{
    return channelCount(space) == 3;
}

} // namespace colorspaces
