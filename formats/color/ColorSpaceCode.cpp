#include "formats/color/ColorSpaceCode.h"

#include <array>
#include <utility>

namespace colorspacecodes {
namespace {

using namespace colorconversions;

constexpr std::array<std::pair<std::string_view, ColorSpaceCode>, 23> kNames{{
    {"rgb", ColorSpaceCode::Rgb},
    {"", ColorSpaceCode::Rgb},
    {"yuv", ColorSpaceCode::Yuv},
    {"ycbcr", ColorSpaceCode::YCbCr},
    {"jpegycbcr", ColorSpaceCode::JpegYCbCr},
    {"ypbpr", ColorSpaceCode::YPbPr},
    {"ydbdr", ColorSpaceCode::YDbDr},
    {"yiq", ColorSpaceCode::Yiq},
    {"hsv", ColorSpaceCode::Hsv},
    {"hsb", ColorSpaceCode::Hsv},
    {"hsl", ColorSpaceCode::Hsl},
    {"hls", ColorSpaceCode::Hsl},
    {"hsi", ColorSpaceCode::Hsi},
    {"xyz", ColorSpaceCode::Xyz},
    {"ciexyz", ColorSpaceCode::Xyz},
    {"lab", ColorSpaceCode::Lab},
    {"cielab", ColorSpaceCode::Lab},
    {"luv", ColorSpaceCode::Luv},
    {"cieluv", ColorSpaceCode::Luv},
    {"lch", ColorSpaceCode::Lch},
    {"cielch", ColorSpaceCode::Lch},
    {"cat02lms", ColorSpaceCode::Cat02Lms},
    {"ciecat02lms", ColorSpaceCode::Cat02Lms},
}};

constexpr std::array<ConversionRow, 18> kTable{{
    {ColorSpaceCode::Rgb, ColorSpaceCode::Yuv, rgbToYuv, yuvToRgb},
    {ColorSpaceCode::Rgb, ColorSpaceCode::YCbCr, rgbToYCbCr, yCbCrToRgb},
    {ColorSpaceCode::Rgb, ColorSpaceCode::JpegYCbCr, rgbToJpegYCbCr, jpegYCbCrToRgb},
    {ColorSpaceCode::Rgb, ColorSpaceCode::YPbPr, rgbToYPbPr, yPbPrToRgb},
    {ColorSpaceCode::Rgb, ColorSpaceCode::YDbDr, rgbToYDbDr, yDbDrToRgb},
    {ColorSpaceCode::Rgb, ColorSpaceCode::Yiq, rgbToYiq, yiqToRgb},
    {ColorSpaceCode::Rgb, ColorSpaceCode::Hsv, rgbToHsv, hsvToRgb},
    {ColorSpaceCode::Rgb, ColorSpaceCode::Hsl, rgbToHsl, hslToRgb},
    {ColorSpaceCode::Rgb, ColorSpaceCode::Hsi, rgbToHsi, hsiToRgb},
    {ColorSpaceCode::Rgb, ColorSpaceCode::Xyz, rgbToXyz, xyzToRgb},
    {ColorSpaceCode::Xyz, ColorSpaceCode::Lab, xyzToLab, labToXyz},
    {ColorSpaceCode::Xyz, ColorSpaceCode::Luv, xyzToLuv, luvToXyz},
    {ColorSpaceCode::Xyz, ColorSpaceCode::Lch, xyzToLch, lchToXyz},
    {ColorSpaceCode::Xyz, ColorSpaceCode::Cat02Lms, xyzToCat02Lms, cat02LmsToXyz},
    {ColorSpaceCode::Rgb, ColorSpaceCode::Lab, rgbToLab, labToRgb},
    {ColorSpaceCode::Rgb, ColorSpaceCode::Luv, rgbToLuv, luvToRgb},
    {ColorSpaceCode::Rgb, ColorSpaceCode::Lch, rgbToLch, lchToRgb},
    {ColorSpaceCode::Rgb, ColorSpaceCode::Cat02Lms, rgbToCat02Lms, cat02LmsToRgb},
}};

} // namespace

ColorSpaceCode codeForName(std::string_view name)
{
    for (const auto& [known, code] : kNames) {
        if (known == name)
            return code;
    }
    return ColorSpaceCode::Unknown;
}

std::span<const ConversionRow> conversionTable()
{
    return kTable;
}

} // namespace colorspacecodes
