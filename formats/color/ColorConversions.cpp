#include "formats/color/ColorConversions.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace colorconversions {
namespace {

using Matrix3 = std::array<ColorTriple, 3>;

constexpr Matrix3 inverse(const Matrix3& m)
{
    const double c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1];
    const double c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2];
    const double c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
    const double det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
    return {{
        {c00 / det, (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det, (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det},
        {c01 / det, (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det, (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det},
        {c02 / det, (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det, (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det},
    }};
}

// An affine map v -> M v + offset together with its exact inverse.
class AffineMap {
public:
    constexpr AffineMap(const Matrix3& matrix, const ColorTriple& offset = {0.0, 0.0, 0.0})
        : m_matrix(matrix), m_inverse(inverse(matrix)), m_offset(offset) {}

    constexpr ColorTriple forward(const ColorTriple& v) const
    {
        return add(multiply(m_matrix, v), m_offset);
    }

    constexpr ColorTriple backward(const ColorTriple& v) const
    {
        return multiply(m_inverse, {v[0] - m_offset[0], v[1] - m_offset[1], v[2] - m_offset[2]});
    }

private:
    static constexpr ColorTriple multiply(const Matrix3& m, const ColorTriple& v)
    {
        return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
                m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
                m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
    }

    static constexpr ColorTriple add(const ColorTriple& a, const ColorTriple& b)
    {
        return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
    }

    Matrix3 m_matrix;
    Matrix3 m_inverse;
    ColorTriple m_offset;
};

constexpr ColorTriple kLumaRow{0.299, 0.587, 0.114};

constexpr AffineMap kYuv{{{kLumaRow, {-0.147, -0.289, 0.436}, {0.615, -0.515, -0.1}}}};
constexpr AffineMap kYCbCr{{{{65.481, 128.553, 24.966}, {-37.797, -74.203, 112.0}, {112.0, -93.786, -18.214}}},
                           {16.0, 128.0, 128.0}};
constexpr Matrix3 kJpegChromaMatrix{{kLumaRow, {-0.1687367, -0.331264, 0.5}, {0.5, -0.418688, -0.081312}}};
constexpr AffineMap kJpegYCbCr{kJpegChromaMatrix, {0.0, 0.5, 0.5}};
constexpr AffineMap kYPbPr{kJpegChromaMatrix};
constexpr AffineMap kYDbDr{{{kLumaRow, {-0.45, -0.883, 1.333}, {-1.333, 1.116, 0.217}}}};
constexpr AffineMap kYiq{{{kLumaRow, {0.595716, -0.274453, -0.321263}, {0.211456, -0.522591, 0.311135}}}};
// Linear sRGB to XYZ, adapted to D50.
constexpr AffineMap kLinearRgbToXyz{{{{0.4360747, 0.3850649, 0.1430804},
                                       {0.2225045, 0.7168786, 0.0606169},
                                       {0.0139322, 0.0971045, 0.7141733}}}};
constexpr AffineMap kCat02{{{{0.7328, 0.4296, -0.1624}, {-0.7036, 1.6975, 0.0061}, {0.003, 0.0136, 0.9834}}}};

constexpr double kLinearThreshold = 0.0404482362771076;
constexpr double kSlope = 12.92;
constexpr double kGamma = 2.4;

constexpr double kWhiteX = 0.9642;
constexpr double kWhiteZ = 0.82491;
constexpr double kLabEpsilon = 0.008856451679035631;
constexpr double kLabKappa = 7.787037037037037;
constexpr double kLabOffset = 0.13793103448275862;
constexpr double kLabExponent = 0.333333333333333;
constexpr double kWhiteU = 0.209166150096562;
constexpr double kWhiteV = 0.488097736690795;
constexpr double kSqrt3Half = 0.866025403784439;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

double labF(double t)
{
    return t >= kLabEpsilon ? std::pow(t, kLabExponent) : kLabKappa * t + kLabOffset;
}

double labFInverse(double f)
{
    static const double threshold = std::pow(kLabEpsilon, kLabExponent);
    return f >= threshold ? std::pow(f, 1.0 / kLabExponent) : (f - kLabOffset) / kLabKappa;
}

double lightnessFromY(double y)
{
    return 116.0 * labF(y) - 16.0;
}

double yFromLightness(double l)
{
    return labFInverse((l + 16.0) / 116.0);
}

double degreesInTurn(double radians)
{
    const double degrees = radians * kDegreesPerRadian;
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

// Hue in degrees and chroma of the hexagonal model shared by HSV and HSL.
ColorTriple hueChromaMax(const ColorTriple& rgb)
{
    const auto [r, g, b] = rgb;
    const double max = std::max({r, g, b});
    const double chroma = max - std::min({r, g, b});
    if (chroma <= 0.0)
        return {0.0, 0.0, max};
    double hue;
    if (max == r)
        hue = (g - b) / chroma + (b > g ? 6.0 : 0.0);
    else if (max == g)
        hue = (b - r) / chroma + 2.0;
    else
        hue = (r - g) / chroma + 4.0;
    return {hue * 60.0, chroma, max};
}

// RGB from hexagonal hue (degrees), chroma and the amount added to every channel.
ColorTriple rgbFromHueChroma(double hue, double chroma, double lift)
{
    const double sector = std::fmod(std::fmod(hue, 360.0) + 360.0, 360.0) / 60.0;
    const double x = chroma * (1.0 - std::fabs(std::fmod(sector, 2.0) - 1.0));
    ColorTriple rgb;
    switch (static_cast<int>(sector)) {
    case 0: rgb = {chroma, x, 0.0}; break;
    case 1: rgb = {x, chroma, 0.0}; break;
    case 2: rgb = {0.0, chroma, x}; break;
    case 3: rgb = {0.0, x, chroma}; break;
    case 4: rgb = {x, 0.0, chroma}; break;
    default: rgb = {chroma, 0.0, x}; break;
    }
    return {rgb[0] + lift, rgb[1] + lift, rgb[2] + lift};
}

} // namespace

double linearize(double c)
{
    return c <= kLinearThreshold ? c / kSlope : std::pow((c + 0.055) / 1.055, kGamma);
}

double compand(double c)
{
    return c <= kLinearThreshold / kSlope ? c * kSlope : 1.055 * std::pow(c, 1.0 / kGamma) - 0.055;
}

ColorTriple rgbToYuv(const ColorTriple& rgb) { return kYuv.forward(rgb); }
ColorTriple yuvToRgb(const ColorTriple& yuv) { return kYuv.backward(yuv); }
ColorTriple rgbToYCbCr(const ColorTriple& rgb) { return kYCbCr.forward(rgb); }
ColorTriple yCbCrToRgb(const ColorTriple& yCbCr) { return kYCbCr.backward(yCbCr); }
ColorTriple rgbToJpegYCbCr(const ColorTriple& rgb) { return kJpegYCbCr.forward(rgb); }
ColorTriple jpegYCbCrToRgb(const ColorTriple& yCbCr) { return kJpegYCbCr.backward(yCbCr); }
ColorTriple rgbToYPbPr(const ColorTriple& rgb) { return kYPbPr.forward(rgb); }
ColorTriple yPbPrToRgb(const ColorTriple& yPbPr) { return kYPbPr.backward(yPbPr); }
ColorTriple rgbToYDbDr(const ColorTriple& rgb) { return kYDbDr.forward(rgb); }
ColorTriple yDbDrToRgb(const ColorTriple& yDbDr) { return kYDbDr.backward(yDbDr); }
ColorTriple rgbToYiq(const ColorTriple& rgb) { return kYiq.forward(rgb); }
ColorTriple yiqToRgb(const ColorTriple& yiq) { return kYiq.backward(yiq); }
ColorTriple xyzToCat02Lms(const ColorTriple& xyz) { return kCat02.forward(xyz); }
ColorTriple cat02LmsToXyz(const ColorTriple& lms) { return kCat02.backward(lms); }

ColorTriple rgbToHsv(const ColorTriple& rgb)
{
    const auto [hue, chroma, max] = hueChromaMax(rgb);
    return {hue, chroma > 0.0 ? chroma / max : 0.0, max};
}

ColorTriple hsvToRgb(const ColorTriple& hsv)
{
    const auto [hue, saturation, value] = hsv;
    const double chroma = value * saturation;
    return rgbFromHueChroma(hue, chroma, value - chroma);
}

ColorTriple rgbToHsl(const ColorTriple& rgb)
{
    const auto [hue, chroma, max] = hueChromaMax(rgb);
    const double lightness = max - chroma / 2.0;
    if (chroma <= 0.0)
        return {0.0, 0.0, lightness};
    const double saturation = lightness <= 0.5 ? chroma / (2.0 * lightness) : chroma / (2.0 - 2.0 * lightness);
    return {hue, saturation, lightness};
}

ColorTriple hslToRgb(const ColorTriple& hsl)
{
    const auto [hue, saturation, lightness] = hsl;
    const double chroma = (1.0 - std::fabs(2.0 * lightness - 1.0)) * saturation;
    return rgbFromHueChroma(hue, chroma, lightness - chroma / 2.0);
}

ColorTriple rgbToHsi(const ColorTriple& rgb)
{
    const auto [r, g, b] = rgb;
    const double intensity = (r + g + b) / 3.0;
    if (intensity <= 0.0)
        return {0.0, 0.0, intensity};
    const double saturation = 1.0 - std::min({r, g, b}) / intensity;
    const double hue = degreesInTurn(std::atan2(kSqrt3Half * (g - b), (2.0 * r - g - b) / 2.0));
    return {hue, saturation, intensity};
}

ColorTriple hsiToRgb(const ColorTriple& hsi)
{
    const auto [hue, saturation, intensity] = hsi;
    const double turn = std::fmod(std::fmod(hue, 360.0) + 360.0, 360.0);
    const int sector = std::min(static_cast<int>(turn / 120.0), 2);
    const double angle = (turn - 120.0 * sector) / kDegreesPerRadian;
    const double low = intensity * (1.0 - saturation);
    const double high = intensity * (1.0 + saturation * std::cos(angle) / std::cos(std::numbers::pi / 3.0 - angle));
    const double rest = 3.0 * intensity - low - high;
    // The sector decides which channel is the lowest and which leads.
    switch (sector) {
    case 0: return {high, rest, low};
    case 1: return {low, high, rest};
    default: return {rest, low, high};
    }
}

ColorTriple rgbToXyz(const ColorTriple& rgb)
{
    return kLinearRgbToXyz.forward({linearize(rgb[0]), linearize(rgb[1]), linearize(rgb[2])});
}

ColorTriple xyzToRgb(const ColorTriple& xyz)
{
    const ColorTriple linear = kLinearRgbToXyz.backward(xyz);
    return {compand(linear[0]), compand(linear[1]), compand(linear[2])};
}

ColorTriple xyzToLab(const ColorTriple& xyz)
{
    const double fy = labF(xyz[1]);
    return {116.0 * fy - 16.0, 500.0 * (labF(xyz[0] / kWhiteX) - fy), 200.0 * (fy - labF(xyz[2] / kWhiteZ))};
}

ColorTriple labToXyz(const ColorTriple& lab)
{
    const double fy = (lab[0] + 16.0) / 116.0;
    return {kWhiteX * labFInverse(fy + lab[1] / 500.0), labFInverse(fy), kWhiteZ * labFInverse(fy - lab[2] / 200.0)};
}

ColorTriple xyzToLuv(const ColorTriple& xyz)
{
    const auto [x, y, z] = xyz;
    const double lightness = lightnessFromY(y);
    const double denominator = x + 15.0 * y + 3.0 * z;
    if (denominator == 0.0)
        return {lightness, 0.0, 0.0};
    return {lightness, 13.0 * lightness * (4.0 * x / denominator - kWhiteU),
            13.0 * lightness * (9.0 * y / denominator - kWhiteV)};
}

ColorTriple luvToXyz(const ColorTriple& luv)
{
    const auto [lightness, u, v] = luv;
    if (lightness == 0.0)
        return {0.0, 0.0, 0.0};
    const double y = yFromLightness(lightness);
    const double uPrime = u / (13.0 * lightness) + kWhiteU;
    const double vPrime = v / (13.0 * lightness) + kWhiteV;
    return {y * 9.0 * uPrime / (4.0 * vPrime), y, y * (12.0 - 3.0 * uPrime - 20.0 * vPrime) / (4.0 * vPrime)};
}

ColorTriple xyzToLch(const ColorTriple& xyz)
{
    const auto [lightness, a, b] = xyzToLab(xyz);
    return {lightness, std::hypot(a, b), degreesInTurn(std::atan2(b, a))};
}

ColorTriple lchToXyz(const ColorTriple& lch)
{
    const auto [lightness, chroma, hue] = lch;
    const double angle = hue / kDegreesPerRadian;
    return labToXyz({lightness, chroma * std::cos(angle), chroma * std::sin(angle)});
}

ColorTriple rgbToLab(const ColorTriple& rgb) { return xyzToLab(rgbToXyz(rgb)); }
ColorTriple labToRgb(const ColorTriple& lab) { return xyzToRgb(labToXyz(lab)); }
ColorTriple rgbToLuv(const ColorTriple& rgb) { return xyzToLuv(rgbToXyz(rgb)); }
ColorTriple luvToRgb(const ColorTriple& luv) { return xyzToRgb(luvToXyz(luv)); }
ColorTriple rgbToLch(const ColorTriple& rgb) { return xyzToLch(rgbToXyz(rgb)); }
ColorTriple lchToRgb(const ColorTriple& lch) { return xyzToRgb(lchToXyz(lch)); }
ColorTriple rgbToCat02Lms(const ColorTriple& rgb) { return xyzToCat02Lms(rgbToXyz(rgb)); }
ColorTriple cat02LmsToRgb(const ColorTriple& lms) { return xyzToRgb(cat02LmsToXyz(lms)); }

} // namespace colorconversions
