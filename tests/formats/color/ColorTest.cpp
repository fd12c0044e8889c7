#include "formats/color/BgraImage.h"
#include "formats/color/Color.h"
#include "formats/color/ColorConversions.h"
#include "foundation/Exception.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

void expectQuadNear(const ColorQuad& actual, const ColorQuad& expected, double tolerance)
{
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
}

TEST(ColorHex, ParsesRgbaDigitsAndPrintsThemBack)
{
    const Color color = Color::colorWithHexRGBA("FF800040");
    EXPECT_EQ(color.colorSpace(), ColorSpace::SRGB);
    EXPECT_EQ(color.getRGBAComponents(), (ColorQuad{1.0, double(128.0f / 255.0f), 0.0, double(64.0f / 255.0f)}));
    EXPECT_EQ(color.getRGBAHexString(), "FF800040");
    EXPECT_EQ(Color::colorWithHexRGBA("0xff800040").getRGBAHexString(), "FF800040");
    EXPECT_EQ(Color::colorWithHexRGBA("  FF800040").getRGBAHexString(), "FF800040");
}

TEST(ColorHex, EveryEightBitValueRoundTrips)
{
    for (int v = 0; v <= 255; ++v) {
        char hex[9];
        std::snprintf(hex, sizeof hex, "%02X%02X%02X%02X", v, 255 - v, (v * 7) % 256, v);
        EXPECT_EQ(Color::colorWithHexRGBA(hex).getRGBAHexString(), hex);
        EXPECT_EQ(Color::eightBitValue(v / 255.0), v);
    }
}

TEST(ColorHex, ScaledValuesRoundHalfAwayAndClampOnlyAbove)
{
    EXPECT_EQ(Color::scaledValue(0.5, 255), 128);
    EXPECT_EQ(Color::scaledValue(2.0 / 3.0, 255), 170);
    EXPECT_EQ(Color::scaledValue(1.2, 255), 255);
    EXPECT_EQ(Color::scaledValue(-1.0, 255), -255);
    EXPECT_EQ(Color::eightBitValue(-1.0), 0);
    EXPECT_EQ(Color::scaledValue(0.25, 100), 25);
    EXPECT_EQ(Color::scaledValue(0.005, 100), 1);
    EXPECT_EQ(Color::scaledValue(240.0 / 360.0, 360), 240);
}

TEST(ColorHex, EmptyAndMalformedTextsGiveTransparentBlack)
{
    for (const char* text : {"", "zz", "  ", "#FF0000FF"}) {
        EXPECT_EQ(Color::colorWithHexRGBA(text).getRGBAHexString(), "00000000") << text;
        EXPECT_FALSE(Color::parseHexRGBA(text)) << text;
    }
    // The scanner reads the "0" of a bare "0x".
    EXPECT_EQ(Color::parseHexRGBA("0x")->getRGBAHexString(), "00000000");
    EXPECT_EQ(Color::colorWithHexRGB("nothing", 0.5).getRGBAComponents(), (ColorQuad{0, 0, 0, 0.5}));
}

TEST(ColorHex, ShortAndOverlongTextsFollowTheScanner)
{
    EXPECT_EQ(Color::colorWithHexRGBA("FF").getRGBAHexString(), "000000FF");
    EXPECT_EQ(Color::colorWithHexRGBA("123456789").getRGBAHexString(), "FFFFFFFF");
    EXPECT_EQ(Color::colorWithHexRGBA("12345678xyz").getRGBAHexString(), "12345678");
}

TEST(ColorHex, RgbFormTakesTheLow24BitsAndTheGivenAlpha)
{
    EXPECT_EQ(Color::colorWithHexRGB("FF8000", 0.25).getRGBAComponents(),
              (ColorQuad{1.0, double(128.0f / 255.0f), 0.0, 0.25}));
    EXPECT_EQ(Color::colorWithHexRGB("AAFF8000").getRGBAHexString(), "FF8000FF");
}

TEST(ColorHex, OutOfRangeComponentsAreClampedToTwoDigits)
{
    EXPECT_EQ(Color::sRGB(1.5, -0.2, 0.5, 2.0).getRGBAHexString(), "FF0080FF");
    EXPECT_EQ(Color::sRGB(1.5, -0.2, NAN, 1.0).getRGBA255String(), "255, 0, 0, 255");
}

TEST(ColorEightBit, ColoursThatRoundAlikeAreTheSame)
{
    EXPECT_TRUE(Color::sRGB(0.5, 0.2, 0.0).isSame32BitColorAs(Color::sRGB(0.501, 0.199, 0.001)));
    EXPECT_FALSE(Color::sRGB(0.5, 0.2, 0.0).isSame32BitColorAs(Color::sRGB(0.51, 0.2, 0.0)));
    EXPECT_FALSE(Color::sRGB(0.5, 0.2, 0.0, 1.0).isSame32BitColorAs(Color::sRGB(0.5, 0.2, 0.0, 0.9)));
    EXPECT_EQ(Color::colorWithHexRGBA("FF800040").getRGBA255String(), "255, 128, 0, 64");
    EXPECT_EQ(Color::sRGB(1.0, 0.5, 0.0).getPlainHexString(), "FF8000");
    // Generic RGB prints its own components; calibrated RGB is converted to sRGB first.
    EXPECT_EQ(Color::rgb(ColorSpace::GenericRGB, 1.0, 0.5, 0.0).getPlainHexString(), "FF8000");
    EXPECT_NE(Color::rgb(ColorSpace::CalibratedRGB, 1.0, 0.5, 0.0).getPlainHexString(), "FF8000");
}

TEST(ColorComponentByName, ReadsEachModel)
{
    const Color color = Color::sRGB(0.2, 0.4, 0.6, 0.8);
    EXPECT_DOUBLE_EQ(color.colorComponentbyName("rgba.g"), 0.4);
    EXPECT_DOUBLE_EQ(color.colorComponentbyName("rgba.a"), 0.8);
    EXPECT_DOUBLE_EQ(color.colorComponentbyName("lab.alpha"), 0.8);
    EXPECT_DOUBLE_EQ(color.colorComponentbyName("hsla.h"), 210.0 / 360.0);
    EXPECT_DOUBLE_EQ(color.colorComponentbyName("hsla.s"), 0.5);
    EXPECT_DOUBLE_EQ(color.colorComponentbyName("hsba.b"), 0.6);
    EXPECT_NEAR(color.colorComponentbyName("cmyka.c"), 2.0 / 3.0, 1e-12);
    EXPECT_NEAR(color.colorComponentbyName("cmyka.k"), 0.4, 1e-12);
    EXPECT_DOUBLE_EQ(color.colorComponentbyName("cmyka.a"), 0.8);
    EXPECT_NEAR(Color::sRGB(1, 0, 0).colorComponentbyName("lab.a"), 80.80, 0.05);
    EXPECT_NEAR(Color::white().colorComponentbyName("lab.l"), 100.0, 1e-6);
}

TEST(ColorComponentByName, PathsThatNameNoComponentGiveMinusOne)
{
    const Color color = Color::sRGB(0.2, 0.4, 0.6);
    for (const char* path : {"rgba", "rgba.x", "rgba.", ".r", "rgba.g.b", "xyz.x", "RGBA.r", "lab.beta", ""})
        EXPECT_EQ(color.colorComponentbyName(path), -1.0) << path;
}

TEST(ColorComponentByName, ColoursWithoutFourComponentsAreReadInSRGB)
{
    EXPECT_DOUBLE_EQ(Color::gray(0.25, 0.5).colorComponentbyName("rgba.b"), 0.25);
    EXPECT_DOUBLE_EQ(Color::gray(0.25, 0.5).colorComponentbyName("rgba.a"), 0.5);
    EXPECT_DOUBLE_EQ(Color::cmyk(0, 1, 1, 0).colorComponentbyName("rgba.r"), 1.0);
    EXPECT_DOUBLE_EQ(Color::cmyk(0, 1, 1, 0).colorComponentbyName("rgba.g"), 0.0);
}

TEST(ColorHsl, RoundsToWholeDegreesAndPercent)
{
    EXPECT_EQ(Color::sRGB(0, 0, 1).getHueSaturationLightnessAlpha()[0], 240.0 / 360.0);
    expectQuadNear(Color::sRGB(0.5, 0.5, 0.5).getHueSaturationLightnessAlpha(), {0, 0, 0.5, 1}, 0.0);
    expectQuadNear(Color::sRGB(0.123, 0.456, 0.789, 0.3).getHueSaturationLightnessAlpha(),
                   {210.0 / 360.0, 0.73, 0.46, 0.3}, 1e-15);
    // 359.7 degrees rounds to a full turn, which is capped at 1.
    EXPECT_EQ(Color::sRGB(1, 0, 0.005).getHueSaturationLightnessAlpha()[0], 1.0);
    EXPECT_EQ(Color::sRGB(1.2, 1.1, 1.0).getHueSaturationLightnessAlpha()[2], 1.0);
}

TEST(ColorHsb, FollowsThePlatformModel)
{
    expectQuadNear(Color::sRGB(1, 0.5, 0, 0.5).getHueSaturationBrightnessAlpha(), {30.0 / 360.0, 1, 1, 0.5}, 1e-15);
    expectQuadNear(Color::sRGB(0, 0, 0).getHueSaturationBrightnessAlpha(), {0, 0, 0, 1}, 0.0);
}

TEST(ColorContrast, PicksBlackOnLightAndWhiteOnDark)
{
    EXPECT_TRUE(Color::white().invertedSelectColor().isEqual(Color::black()));
    EXPECT_TRUE(Color::black().invertedSelectColor().isEqual(Color::white()));
    EXPECT_TRUE(Color::sRGB(1, 1, 0).invertedSelectColor().isEqual(Color::black()));
    EXPECT_TRUE(Color::sRGB(0, 0, 1).invertedSelectColor().isEqual(Color::white()));
    // Any colour with alpha 0 is the clear colour.
    EXPECT_TRUE(Color::sRGB(0, 0, 0, 0).invertedSelectColor().isEqual(Color::black()));
    EXPECT_TRUE(Color::sRGB(0, 0, 1, 0).isClearColor());
    EXPECT_TRUE(Color::sRGB(0, 0, 1, 0).invertedSelectColor().isEqual(Color::black()));
}

TEST(ColorLightnessDifference, HalfAcrossTheMiddleElseTheDistance)
{
    EXPECT_EQ(Color::white().lightnessDifference(Color::black()), 0.5);
    EXPECT_NEAR(Color::sRGB(0.3, 0.3, 0.3).lightnessDifference(Color::sRGB(0.4, 0.4, 0.4)), 0.1, 1e-12);
    EXPECT_NEAR(Color::sRGB(0.5, 0.5, 0.5).lightnessDifference(Color::sRGB(0.9, 0.9, 0.9)), 0.4, 1e-12);
    EXPECT_NEAR(Color::gray(0.2).lightnessDifference(Color::sRGB(0.3, 0.3, 0.3)), 0.1, 1e-12);
}

class ColorPixelRead : public ::testing::Test {
protected:
    // 3 x 2 pixels, rows padded to 16 bytes; pixel (x, y) holds B = x, G = y, R = 200, A = 255.
    ColorPixelRead() : m_bytes(32, 0xEE)
    {
        for (std::uint8_t y = 0; y < 2; ++y) {
            for (std::uint8_t x = 0; x < 3; ++x) {
                std::uint8_t* pixel = &m_bytes[y * 16 + x * 4];
                pixel[0] = x;
                pixel[1] = y;
                pixel[2] = 200;
                pixel[3] = 255;
            }
        }
        m_image = BgraImage{m_bytes, 3, 2, 16, ColorSpace::SRGB};
    }

    std::string hexAt(std::int32_t x, std::int32_t y) const
    {
        const auto color = Color::getColorFromCGImage(&m_image, x, y);
        return color ? color->getRGBAHexString() : "none";
    }

    std::vector<std::uint8_t> m_bytes;
    BgraImage m_image;
};

TEST_F(ColorPixelRead, ReadsBlueGreenRedAlphaBytes)
{
    EXPECT_EQ(hexAt(0, 0), "C80000FF");
    EXPECT_EQ(hexAt(1, 1), "C80101FF");
    EXPECT_EQ(hexAt(2, 1), "C80102FF");
    const auto color = Color::getColorFromCGImage(&m_image, 2, 0);
    ASSERT_TRUE(color);
    EXPECT_EQ(color->colorSpace(), ColorSpace::SRGB);
    EXPECT_DOUBLE_EQ(color->component(2), double(2.0f / 255.0f));
}

TEST_F(ColorPixelRead, OutsideTheImageIsTransparentBlack)
{
    for (const auto& [x, y] : {std::pair{3, 0}, {0, 2}, {-1, 0}, {0, -1}, {INT_MAX, INT_MAX}, {INT_MIN, 0}})
        EXPECT_EQ(hexAt(x, y), "00000000") << x << "," << y;
}

TEST_F(ColorPixelRead, NeverReadsPastAShortBuffer)
{
    m_image.bytes = std::span<const std::uint8_t>(m_bytes).first(20);
    EXPECT_EQ(hexAt(0, 1), "C80100FF");
    EXPECT_EQ(hexAt(1, 1), "00000000");
    EXPECT_FALSE(Color::getColorFromCGImage(nullptr, 0, 0));
}

TEST(ColorSpaces, GenericRGBRoundTripsInGamutColours)
{
    int inGamut = 0;
    for (int r = 0; r <= 10; ++r) {
        for (int g = 0; g <= 10; ++g) {
            for (int b = 0; b <= 10; ++b) {
                const Color color = Color::sRGB(r / 10.0, g / 10.0, b / 10.0);
                const Color generic = color.colorUsingColorSpace(ColorSpace::GenericRGB);
                const ColorQuad c = generic.getRedGreenBlueAlpha();
                if (std::min({c[0], c[1], c[2]}) <= 0.0 || std::max({c[0], c[1], c[2]}) >= 1.0)
                    continue;
                ++inGamut;
                expectQuadNear(generic.getassRGBColor().getRGBAComponents(), color.getRGBAComponents(), 1e-6);
            }
        }
    }
    EXPECT_GT(inGamut, 500);
}

TEST(ColorSpaces, GenericRGBKeepsNeutralsAndUsesGamma18)
{
    const double linearHalf = colorconversions::linearize(0.5);
    const double expected = std::pow(linearHalf, 1.0 / 1.8);
    expectQuadNear(Color::sRGB(0.5, 0.5, 0.5).colorUsingColorSpace(ColorSpace::GenericRGB).getRedGreenBlueAlpha(),
                   {expected, expected, expected, 1}, 1e-5);
    expectQuadNear(Color::white().colorUsingColorSpace(ColorSpace::CalibratedRGB).getRedGreenBlueAlpha(), {1, 1, 1, 1}, 1e-6);
}

TEST(ColorSpaces, GenericRGBClipsColoursOutsideItsGamut)
{
    for (const Color& color : {Color::sRGB(0, 1, 0), Color::sRGB(0, 1, 1), Color::sRGB(0, 0, 1), Color::sRGB(1, 0, 1)}) {
        const ColorQuad c = color.colorUsingColorSpace(ColorSpace::GenericRGB).getRedGreenBlueAlpha();
        EXPECT_GE(std::min({c[0], c[1], c[2]}), 0.0) << color.description();
        EXPECT_LE(std::max({c[0], c[1], c[2]}), 1.0) << color.description();
    }
    EXPECT_EQ(Color::sRGB(0, 1, 0).colorUsingColorSpace(ColorSpace::CalibratedRGB).getRedGreenBlueAlpha()[1], 1.0);
}

TEST(ColorSpaces, CmykUsesTheDeviceFormula)
{
    const Color red = Color::sRGB(1, 0, 0, 0.5).colorUsingColorSpace(ColorSpace::GenericCMYK);
    EXPECT_EQ(red.numberOfComponents(), 5u);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_DOUBLE_EQ(red.component(i), (std::array<double, 5>{0, 1, 1, 0, 0.5})[i]);
    const Color black = Color::black().colorUsingColorSpace(ColorSpace::GenericCMYK);
    EXPECT_EQ(black.description(), "Generic CMYK 0 0 0 1 1");
    expectQuadNear(Color::cmyk(0.2, 0.4, 0.6, 0.5).getassRGBColor().getRGBAComponents(), {0.4, 0.3, 0.2, 1}, 1e-12);
}

TEST(ColorSpaces, LinearDeviceAndUnconvertedCopies)
{
    const Color color = Color::sRGB(0.5, 1.0, 0.0, 0.7);
    const Color linear = color.getasLinearRGBColor();
    EXPECT_EQ(linear.colorSpace(), ColorSpace::LinearSRGB);
    expectQuadNear(linear.getRGBAComponents(), {0.21404114048223255, 1, 0, 0.7}, 1e-12);
    expectQuadNear(linear.getassRGBColor().getRGBAComponents(), color.getRGBAComponents(), 1e-12);

    EXPECT_EQ(color.getasDeviceColor().colorSpace(), ColorSpace::DeviceRGB);
    EXPECT_EQ(color.getasDeviceColor().getRGBAComponents(), color.getRGBAComponents());
    const Color relabelled = color.getColorInColorSpace(ColorSpace::GenericRGB);
    EXPECT_EQ(relabelled.colorSpace(), ColorSpace::GenericRGB);
    EXPECT_EQ(relabelled.getRGBAComponents(), color.getRGBAComponents());
    EXPECT_NE(color.colorUsingColorSpace(ColorSpace::GenericRGB).getRGBAComponents(), color.getRGBAComponents());
    EXPECT_EQ(Color::gray(0.3).getColorInColorSpace(ColorSpace::SRGB).getRGBAComponents(), (ColorQuad{0.3, 0.3, 0.3, 1}));
    EXPECT_NEAR(Color::sRGB(0.3, 0.3, 0.3).colorUsingColorSpace(ColorSpace::GenericGray).component(0), 0.3, 1e-12);
    EXPECT_THROW(Color::rgb(ColorSpace::GenericCMYK, 0, 0, 0), Exception);
    EXPECT_THROW(Color::gray(0.3).component(2), Exception);
}

TEST(ColorSpaces, RasterizingRoundsToEightBitsAndCapsAtOne)
{
    const Color rounded = Color::sRGB(0.3, 1.2, -0.001, 0.5).getSRGBTransformedColorWithRounding(true);
    expectQuadNear(rounded.getRGBAComponents(), {77.0 / 255.0, 1.0, 0.0, 128.0 / 255.0}, 1e-15);
    EXPECT_EQ(Color::sRGB(0.3, 1.2, 0, 1).getSRGBTransformedColorWithRounding(false).getRGBAComponents(),
              (ColorQuad{0.3, 1.2, 0, 1}));
}

TEST(ColorLab, GoesThroughSRGBWhateverTheSpace)
{
    const ColorQuad red = Color::sRGB(1, 0, 0, 0.4).getLABComponents();
    expectQuadNear(red, {54.2905, 80.8049, 69.8910, 0.4}, 0.05);
    const Color generic = Color::sRGB(0.3, 0.6, 0.2).colorUsingColorSpace(ColorSpace::GenericRGB);
    expectQuadNear(generic.getLABComponents(), Color::sRGB(0.3, 0.6, 0.2).getLABComponents(), 1e-4);
}

TEST(ColorValue, SitsInAValueAndDescribesItself)
{
    const Value value = Color::sRGB(1, 0.5, 0, 1).toValue();
    ASSERT_NE(value.as<Color>(), nullptr);
    EXPECT_EQ(value.kind(), Value::Kind::Object);
    EXPECT_EQ(value.description(), "sRGB IEC61966-2.1 1 0.5 0 1");
    EXPECT_EQ(value, Color::sRGB(1, 0.5, 0, 1).toValue());
    EXPECT_FALSE(value == Color::sRGB(1, 0.5, 0, 1).getasDeviceColor().toValue());
    EXPECT_EQ(value.hash(), Color::sRGB(1, 0.5, 0, 1).toValue().hash());
    EXPECT_EQ(Color::gray(0.25, 0.5).description(), "Generic Gray 0.25 0.5");
}

} // namespace
