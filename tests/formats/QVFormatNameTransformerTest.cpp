#include "formats/QVDisplayFormatNameTransformer.h"
#include "formats/QVExportFormatNameTransformer.h"
#include "formats/QVFormatRepository.h"

#include "FormatFixtures.h"

#include <gtest/gtest.h>

namespace {

class QVFormatNameTransformerTest : public testing::Test {
protected:
    QVFormatNameTransformerTest()
    {
        m_repository.loadExportFormats(fixturePath("ExportFormats.plist"));
        m_repository.loadDisplayFormats(fixturePath("DisplayFormats.plist"));
    }

    ScratchDefaults m_scratch;
    QVFormatRepository m_repository{m_scratch.defaults};
};

TEST_F(QVFormatNameTransformerTest, ExportNameToIndexAndBack)
{
    const QVExportFormatNameTransformer transformer(m_repository);
    EXPECT_EQ(transformer.transformedValue(Value("UIColor")), Value::integer(3));
    EXPECT_EQ(transformer.reverseTransformedValue(Value::integer(3)), Value("UIColor"));
    EXPECT_TRUE(QVExportFormatNameTransformer::allowsReverseTransformation());
    EXPECT_EQ(QVExportFormatNameTransformer::transformedValueKind(), Value::Kind::Number);
}

TEST_F(QVFormatNameTransformerTest, UnknownNamesMapToTheFirstIndex)
{
    const QVExportFormatNameTransformer transformer(m_repository);
    EXPECT_EQ(transformer.transformedValue(Value("No Such Format")), Value::integer(0));
    EXPECT_EQ(transformer.transformedValue(Value()), Value::integer(0));
    EXPECT_EQ(transformer.transformedValue(Value::integer(2)), Value::integer(0));
}

TEST_F(QVFormatNameTransformerTest, IndicesOutsideTheListOrNotNumbersAreUndefined)
{
    const QVExportFormatNameTransformer transformer(m_repository);
    EXPECT_EQ(transformer.reverseTransformedValue(Value::integer(-1)), Value("undefined"));
    EXPECT_EQ(transformer.reverseTransformedValue(Value::integer(7)), Value("undefined"));
    EXPECT_EQ(transformer.reverseTransformedValue(Value("2")), Value("undefined"));
    EXPECT_EQ(transformer.reverseTransformedValue(Value()), Value("undefined"));
}

TEST_F(QVFormatNameTransformerTest, DisplayTransformerWorksOnTheDisplayList)
{
    const QVDisplayFormatNameTransformer transformer(m_repository);
    EXPECT_EQ(transformer.transformedValue(Value("HSL")), Value::integer(2));
    EXPECT_EQ(transformer.transformedValue(Value("UIColor")), Value::integer(0));
    EXPECT_EQ(transformer.reverseTransformedValue(Value::integer(1)), Value("RGB"));
    EXPECT_EQ(transformer.reverseTransformedValue(Value::integer(3)), Value("undefined"));
}

} // namespace
