#include "formats/processor/QVNumberFormatter.h"

#include "formats/processor/QVCodeStyle.h"
#include "foundation/Dictionary.h"

#include <gtest/gtest.h>

namespace {

QVCodeStyle decimalStyle(Dictionary decimal)
{
    return QVCodeStyle::merged(Value(Dictionary{{"decimal", Value(std::move(decimal))}}));
}

} // namespace

TEST(QVNumberFormatterTest, FormatDecimalRoundsHalfToEvenOnTheSinglePrecisionValue)
{
    EXPECT_EQ(QVNumberFormatter::formatDecimal(0.0625, 3, 0, 1), "0.062");
    EXPECT_EQ(QVNumberFormatter::formatDecimal(0.1875, 3, 0, 1), "0.188");
    EXPECT_EQ(QVNumberFormatter::formatDecimal(2.0 / 3.0, 3, 0, 1), "0.667");
    EXPECT_EQ(QVNumberFormatter::formatDecimal(0.5, 0, 0, 1), "0");
    EXPECT_EQ(QVNumberFormatter::formatDecimal(1.5, 0, 0, 1), "2");
    EXPECT_EQ(QVNumberFormatter::formatDecimal(0.9996, 3, 0, 1), "1");
    // 0.1 as a float is a little above 0.1.
    EXPECT_EQ(QVNumberFormatter::formatDecimal(0.1, 10, 0, 1), "0.1000000015");
    EXPECT_EQ(QVNumberFormatter::formatDecimal(0.0004, 3, 0, 1), "0");
}

TEST(QVNumberFormatterTest, FormatDecimalPrintsEveryIntegerDigit)
{
    EXPECT_EQ(QVNumberFormatter::formatDecimal(54.29, 2, 0, 1), "54.29");
    EXPECT_EQ(QVNumberFormatter::formatDecimal(100, 3, 0, 1), "100");
    EXPECT_EQ(QVNumberFormatter::formatDecimal(-80.125, 2, 0, 1), "-80.12");
    EXPECT_EQ(QVNumberFormatter::formatDecimal(99.9999, 3, 0, 0), "100");
}

TEST(QVNumberFormatterTest, FormatDecimalPadsAndDropsDigits)
{
    EXPECT_EQ(QVNumberFormatter::formatDecimal(0.25, 3, 3, 1), "0.250");
    EXPECT_EQ(QVNumberFormatter::formatDecimal(0.25, 3, 0, 0), ".25");
    EXPECT_EQ(QVNumberFormatter::formatDecimal(-0.25, 3, 0, 0), "-.25");
    EXPECT_EQ(QVNumberFormatter::formatDecimal(0, 3, 3, 0), ".000");
    EXPECT_EQ(QVNumberFormatter::formatDecimal(0, 3, 0, 0), "0");
    EXPECT_EQ(QVNumberFormatter::formatDecimal(1, 3, 3, 1), "1.000");
}

TEST(QVNumberFormatterTest, NegativeValuesThatRoundToZeroPrintWithoutSign)
{
    EXPECT_EQ(QVNumberFormatter::formatDecimal(-0.0001, 3, 0, 1), "0");
    EXPECT_EQ(QVNumberFormatter::formatDecimal(-0.0, 3, 0, 1), "0");
}

TEST(QVNumberFormatterTest, DecimalWithTheBuiltInStyle)
{
    const QVCodeStyle style;
    const QVNumberFormatter formatter(style);
    EXPECT_EQ(formatter.stringForDecimal(0.25, true), "0.25");
    EXPECT_EQ(formatter.stringForDecimal(1.0, true), "1");
    EXPECT_EQ(formatter.stringForDecimal(0.0, true), "0");
    EXPECT_EQ(formatter.stringForDecimal(0.99999, true), "1");
    EXPECT_EQ(formatter.stringForDecimal(54.2912, true), "54.291");
}

TEST(QVNumberFormatterTest, DecorationAddsSuffixPrefixAndDropsTheLeadingZero)
{
    const QVCodeStyle style = decimalStyle({{"useSuffix", Value::integer(1)}, {"usePrefix", Value::integer(1)},
        {"prefix", Value("(float)")}, {"removeLeadingZero", Value::integer(1)}});
    const QVNumberFormatter formatter(style);
    EXPECT_EQ(formatter.stringForDecimal(0.25, true), "(float).25f");
    EXPECT_EQ(formatter.stringForDecimal(0.25, false), "0.25");
    // Shortened values keep the prefix but never get a suffix.
    EXPECT_EQ(formatter.stringForDecimal(1.0, true), "(float)1");
    EXPECT_EQ(formatter.stringForDecimal(0.0, true), "(float)0");
    EXPECT_EQ(formatter.stringForDecimal(0.0, false), "0");
}

TEST(QVNumberFormatterTest, WithoutShorteningZeroAndOneKeepTheirFractionDigits)
{
    const QVCodeStyle style = decimalStyle({{"shortenOneAndZero", Value::integer(0)},
        {"removeTrailingZeroes", Value::integer(0)}, {"useSuffix", Value::integer(1)}});
    const QVNumberFormatter formatter(style);
    EXPECT_EQ(formatter.stringForDecimal(1.0, false), "1.000");
    EXPECT_EQ(formatter.stringForDecimal(0.0, false), "0.000");
    EXPECT_EQ(formatter.stringForDecimal(1.0, true), "1.000f");
    EXPECT_EQ(formatter.stringForDecimal(0.5, false), "0.500");
}

TEST(QVNumberFormatterTest, PrecisionSetsTheFractionDigits)
{
    const QVCodeStyle style = decimalStyle({{"precision", Value::integer(1)}});
    const QVNumberFormatter formatter(style);
    EXPECT_EQ(formatter.stringForDecimal(0.25, true), "0.2");
    EXPECT_EQ(formatter.stringForDecimal(0.96, true), "1");
    const QVCodeStyle negative = decimalStyle({{"precision", Value::integer(-4)}});
    EXPECT_EQ(QVNumberFormatter(negative).stringForDecimal(0.25, true), "0");
}

TEST(QVNumberFormatterTest, FractionsOf255)
{
    const QVCodeStyle style;
    const QVNumberFormatter formatter(style);
    EXPECT_EQ(formatter.stringForFraction(0.25), "64/255.");
    EXPECT_EQ(formatter.stringForFraction(128.0 / 255.0), "128/255.");
    EXPECT_EQ(formatter.stringForFraction(1.0), "1");
    EXPECT_EQ(formatter.stringForFraction(0.0), "0");
    const QVCodeStyle longForm = decimalStyle({{"shortenOneAndZero", Value::integer(0)}});
    EXPECT_EQ(QVNumberFormatter(longForm).stringForFraction(1.0), "255/255.");
    EXPECT_EQ(QVNumberFormatter(longForm).stringForFraction(0.0), "0/255.");
}
