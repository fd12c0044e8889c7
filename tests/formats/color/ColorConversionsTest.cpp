#include "formats/color/ColorConversions.h"
#include "formats/color/ColorSpaceCode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace colorconversions;

void expectTripleNear(const ColorTriple& actual, const ColorTriple& expected, double tolerance, const std::string& what)
{
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << what << ", component " << i;
}

struct LabReference {
    const char* name;
    ColorTriple rgb;
    ColorTriple lab;
};

// Published sRGB -> CIE L*a*b* values for the D50 white (Bradford-adapted sRGB,
// as in Lindbloom's colour calculator). The formulas use rounded matrix
// coefficients and Z white 0.82491, which moves b* by up to about 0.025, so the
// values are compared to 0.05 L*a*b* units: far below one just-noticeable difference.
constexpr double kLabTolerance = 0.05;
const LabReference kLabReferences[] = {
    {"red", {1, 0, 0}, {54.2905, 80.8049, 69.8910}},
    {"green", {0, 1, 0}, {87.8185, -79.2711, 80.9946}},
    {"blue", {0, 0, 1}, {29.5676, 68.2874, -112.0294}},
    {"yellow", {1, 1, 0}, {97.6071, -15.7528, 93.3885}},
    {"cyan", {0, 1, 1}, {90.6655, -50.6654, -14.9620}},
    {"magenta", {1, 0, 1}, {60.1697, 93.5500, -60.4986}},
    {"white", {1, 1, 1}, {100.0, 0.0, 0.0}},
    {"black", {0, 0, 0}, {0.0, 0.0, 0.0}},
    {"mid grey", {0.5, 0.5, 0.5}, {53.3889, 0.0, 0.0}},
};

TEST(RgbToLab, MatchesPublishedD50References)
{
    for (const LabReference& reference : kLabReferences)
        expectTripleNear(rgbToLab(reference.rgb), reference.lab, kLabTolerance, reference.name);
}

TEST(RgbToLab, BlackIsExactlyZeroAndWhiteHasLightness100)
{
    const ColorTriple black = rgbToLab({0, 0, 0});
    EXPECT_EQ(black, (ColorTriple{0.0, 0.0, 0.0}));
    EXPECT_NEAR(rgbToLab({1, 1, 1})[0], 100.0, 1e-6);
}

TEST(RgbToLab, LchAndLuvAgreeWithPublishedRed)
{
    expectTripleNear(rgbToLch({1, 0, 0}), {54.2905, 106.8390, 40.8526}, kLabTolerance, "LCh red");
    expectTripleNear(rgbToLuv({1, 1, 1}), {100.0, 0.0, 0.0}, kLabTolerance, "Luv white");
}

TEST(ColorRoundTrips, SRGBThroughXyzAndLabWithinOneMillionth)
{
    constexpr int kSteps = 10;
    for (int r = 0; r <= kSteps; ++r) {
        for (int g = 0; g <= kSteps; ++g) {
            for (int b = 0; b <= kSteps; ++b) {
                const ColorTriple rgb{double(r) / kSteps, double(g) / kSteps, double(b) / kSteps};
                const ColorTriple back = xyzToRgb(labToXyz(xyzToLab(rgbToXyz(rgb))));
                expectTripleNear(back, rgb, 1e-6, "rgb " + std::to_string(r) + "," + std::to_string(g) + "," + std::to_string(b));
            }
        }
    }
}

TEST(ColorRoundTrips, OutOfRangeComponentsSurviveLab)
{
    for (const ColorTriple rgb : {ColorTriple{1.2, -0.1, 0.5}, ColorTriple{-0.5, 2.0, 0.0}, ColorTriple{0.001, 0.002, 1.5}})
        expectTripleNear(labToRgb(rgbToLab(rgb)), rgb, 1e-6, "out of range");
}

TEST(ColorRoundTrips, EveryTableRowInvertsItsForwardFunction)
{
    const ColorTriple samples[] = {{0.8, 0.3, 0.1}, {0.2, 0.9, 0.4}, {0.3, 0.1, 0.7}, {0.5, 0.5, 0.5}, {0.95, 0.05, 0.6}};
    for (const ConversionRow& row : colorspacecodes::conversionTable()) {
        for (const ColorTriple& rgb : samples) {
            const ColorTriple input = row.from == ColorSpaceCode::Xyz ? rgbToXyz(rgb) : rgb;
            expectTripleNear(row.inverse(row.forward(input)), input, 1e-9,
                             "row " + std::to_string(static_cast<int>(row.to)));
        }
    }
}

TEST(ForwardConversions, KnownValues)
{
    expectTripleNear(rgbToYCbCr({1, 1, 1}), {235, 128, 128}, 1e-9, "studio white");
    expectTripleNear(rgbToYCbCr({0, 0, 0}), {16, 128, 128}, 1e-9, "studio black");
    expectTripleNear(rgbToJpegYCbCr({1, 1, 1}), {1, 0.5, 0.5}, 1e-6, "jpeg white");
    expectTripleNear(rgbToYPbPr({1, 1, 1}), {1, 0, 0}, 1e-6, "ypbpr white");
    expectTripleNear(rgbToHsv({1, 0.5, 0}), {30, 1, 1}, 1e-12, "hsv orange");
    expectTripleNear(rgbToHsv({1, 0, 0.5}), {330, 1, 1}, 1e-12, "hsv rose wraps");
    expectTripleNear(rgbToHsl({1, 0.5, 0}), {30, 1, 0.5}, 1e-12, "hsl orange");
    expectTripleNear(rgbToHsl({0.4, 0.4, 0.4}), {0, 0, 0.4}, 1e-12, "hsl grey");
    expectTripleNear(rgbToHsi({1, 0, 0}), {0, 1, 1.0 / 3.0}, 1e-12, "hsi red");
    expectTripleNear(rgbToHsi({0, 0, 1}), {240, 1, 1.0 / 3.0}, 1e-9, "hsi blue");
    expectTripleNear(rgbToHsi({0, 0, 0}), {0, 0, 0}, 0.0, "hsi black");
    expectTripleNear(rgbToYuv({1, 1, 1}), {1, 0, 0}, 1e-3, "yuv white");
}

TEST(Linearization, MeetsAtTheThresholdAndInverts)
{
    EXPECT_DOUBLE_EQ(linearize(0.0404482362771076), 0.0404482362771076 / 12.92);
    EXPECT_NEAR(linearize(0.5), 0.21404114048223255, 1e-12);
    for (const double c : {-0.2, 0.0, 0.001, 0.04, 0.0405, 0.5, 1.0, 1.3})
        EXPECT_NEAR(compand(linearize(c)), c, 1e-12) << c;
}

} // namespace
