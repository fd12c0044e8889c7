#include "windows/QVFormatThemeTransformer.h"
#include "windows/QVOddFloatTransformer.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(QVOddFloatTransformerTest, RaisesEveryNumberToTheOddNumberAtOrJustAboveIt)
{
    const QVOddFloatTransformer transformer;
    const std::vector<std::pair<double, double>> cases {
        {0, 1}, {2, 3}, {3, 3}, {10, 11}, {11, 11}, {12.7, 13}, {31, 31}, {-3, -1},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_DOUBLE_EQ(transformer.transformedValue(Value::real(in)).doubleValue(), out) << in;
        EXPECT_DOUBLE_EQ(transformer.reverseTransformedValue(Value::real(in)).doubleValue(), out) << in;
    }
    EXPECT_DOUBLE_EQ(transformer.transformedValue(Value()).doubleValue(), 0);
    EXPECT_DOUBLE_EQ(transformer.reverseTransformedValue(Value()).doubleValue(), 0);
}

TEST(QVFormatThemeTransformerTest, MapsThemeNamesToTheirIndexAndBack)
{
    const QVFormatThemeTransformer transformer;
    EXPECT_EQ(transformer.transformedValue(Value("light")).integerValue(), 0);
    EXPECT_EQ(transformer.transformedValue(Value("dark")).integerValue(), 1);
    EXPECT_EQ(transformer.transformedValue(Value("sepia")).integerValue(), 0);
    EXPECT_EQ(transformer.transformedValue(Value()).integerValue(), 0);

    EXPECT_EQ(transformer.reverseTransformedValue(Value::integer(1)), Value("dark"));
    EXPECT_EQ(transformer.reverseTransformedValue(Value::integer(0)), Value("light"));
    EXPECT_EQ(transformer.reverseTransformedValue(Value::integer(7)), Value("light"));
    EXPECT_EQ(transformer.reverseTransformedValue(Value::integer(-1)), Value("light"));
    EXPECT_EQ(transformer.reverseTransformedValue(Value()), Value("light"));
}
