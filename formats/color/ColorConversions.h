#pragma once

#include <array>

// One colour triple in the order of its space's usual component names
// (R, G, B in 0..1; X, Y, Z; L*, a*, b*; H in degrees, ...).
using ColorTriple = std::array<double, 3>;
using ConversionFunction = ColorTriple (*)(const ColorTriple&);

// Plain conversions between colour spaces. sRGB is companded; XYZ and the spaces
// derived from it use the D50 white point. Each forward function has its inverse.
namespace colorconversions {

// sRGB transfer curve for one component.
double linearize(double c);
double compand(double c);

ColorTriple rgbToYuv(const ColorTriple& rgb);
ColorTriple yuvToRgb(const ColorTriple& yuv);
ColorTriple rgbToYCbCr(const ColorTriple& rgb);
ColorTriple yCbCrToRgb(const ColorTriple& yCbCr);
ColorTriple rgbToJpegYCbCr(const ColorTriple& rgb);
ColorTriple jpegYCbCrToRgb(const ColorTriple& yCbCr);
ColorTriple rgbToYPbPr(const ColorTriple& rgb);
ColorTriple yPbPrToRgb(const ColorTriple& yPbPr);
ColorTriple rgbToYDbDr(const ColorTriple& rgb);
ColorTriple yDbDrToRgb(const ColorTriple& yDbDr);
ColorTriple rgbToYiq(const ColorTriple& rgb);
ColorTriple yiqToRgb(const ColorTriple& yiq);
ColorTriple rgbToHsv(const ColorTriple& rgb);
ColorTriple hsvToRgb(const ColorTriple& hsv);
ColorTriple rgbToHsl(const ColorTriple& rgb);
ColorTriple hslToRgb(const ColorTriple& hsl);
ColorTriple rgbToHsi(const ColorTriple& rgb);
ColorTriple hsiToRgb(const ColorTriple& hsi);
ColorTriple rgbToXyz(const ColorTriple& rgb);
ColorTriple xyzToRgb(const ColorTriple& xyz);
ColorTriple xyzToLab(const ColorTriple& xyz);
ColorTriple labToXyz(const ColorTriple& lab);
ColorTriple xyzToLuv(const ColorTriple& xyz);
ColorTriple luvToXyz(const ColorTriple& luv);
ColorTriple xyzToLch(const ColorTriple& xyz);
ColorTriple lchToXyz(const ColorTriple& lch);
ColorTriple xyzToCat02Lms(const ColorTriple& xyz);
ColorTriple cat02LmsToXyz(const ColorTriple& lms);
ColorTriple rgbToLab(const ColorTriple& rgb);
ColorTriple labToRgb(const ColorTriple& lab);
ColorTriple rgbToLuv(const ColorTriple& rgb);
ColorTriple luvToRgb(const ColorTriple& luv);
ColorTriple rgbToLch(const ColorTriple& rgb);
ColorTriple lchToRgb(const ColorTriple& lch);
ColorTriple rgbToCat02Lms(const ColorTriple& rgb);
ColorTriple cat02LmsToRgb(const ColorTriple& lms);

} // namespace colorconversions
