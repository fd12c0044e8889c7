#include "formats/QVCustomFormatReader.h"

#include "foundation/Log.h"

#include <gtest/gtest.h>

namespace {

Value entry(Dictionary values)
{
    return Value(std::move(values));
}

TEST(QVCustomFormatReader, CompletesAMinimalFormatWithTheDefaults)
{
    const auto format = QVCustomFormatReader::read(entry({{"name", Value("Mine")}, {"exportFormat", Value("{{hexColor(color)}}")}}));
    ASSERT_TRUE(format);
    EXPECT_EQ(format->dictionary().keys(), QVFormatDefinition::keys());
    EXPECT_EQ(format->name(), "Mine");
    EXPECT_EQ(format->group(), "custom");
    EXPECT_EQ(format->colorProfile(), "srgb");
    EXPECT_EQ(format->exportFormat(), "{{hexColor(color)}}");
    EXPECT_EQ(format->shortFormat(), "{{hexColor(color)}}");
    EXPECT_EQ(format->displayFormat(), "{{int255RGBA(color,3,space)}}");
    EXPECT_EQ(format->target(), "clipboard");
    EXPECT_EQ(format->script(), "");
}

TEST(QVCustomFormatReader, TrimsAndLowerCasesTheWordsButNotTheTemplates)
{
    const auto format = QVCustomFormatReader::read(entry({
        {"name", Value(" \tMy Format\t ")},
        {"group", Value(" CSS ")},
        {"colorProfile", Value("\tGeneric ")},
        {"exportFormat", Value("  {{x}}  ")},
        {"shortFormat", Value(" s ")},
        {"displayFormat", Value(" d ")},
        {"target", Value(" Clipboard")},
    }));
    ASSERT_TRUE(format);
    EXPECT_EQ(format->name(), "My Format");
    EXPECT_EQ(format->group(), "css");
    EXPECT_EQ(format->colorProfile(), "generic");
    EXPECT_EQ(format->exportFormat(), "  {{x}}  ");
    EXPECT_EQ(format->shortFormat(), " s ");
    EXPECT_EQ(format->displayFormat(), " d ");
    EXPECT_EQ(format->target(), "clipboard");
}

TEST(QVCustomFormatReader, AppleScriptWithoutAScriptBecomesAClipboardFormat)
{
    const auto format = QVCustomFormatReader::read(
        entry({{"name", Value("A")}, {"exportFormat", Value("x")}, {"target", Value("AppleScript ")}}));
    ASSERT_TRUE(format);
    EXPECT_EQ(format->target(), "clipboard");
    EXPECT_EQ(format->script(), "");
}

TEST(QVCustomFormatReader, KeepsTheScriptOnlyForAppleScript)
{
    const auto script = QVCustomFormatReader::read(entry(
        {{"name", Value("A")}, {"exportFormat", Value("x")}, {"target", Value("applescript")}, {"script", Value("beep")}}));
    ASSERT_TRUE(script);
    EXPECT_EQ(script->target(), "applescript");
    EXPECT_EQ(script->script(), "beep");

    const auto clipboard = QVCustomFormatReader::read(entry({{"name", Value("B")}, {"exportFormat", Value("x")}, {"script", Value("beep")}}));
    ASSERT_TRUE(clipboard);
    EXPECT_EQ(clipboard->script(), "");
}

TEST(QVCustomFormatReader, UnsupportedProfileAndTargetFallBackWithAWarning)
{
    logging::Capture log;
    const auto format = QVCustomFormatReader::read(entry(
        {{"name", Value("A")}, {"exportFormat", Value("x")}, {"colorProfile", Value("AdobeRGB")}, {"target", Value("Printer")}}));
    ASSERT_TRUE(format);
    EXPECT_EQ(format->colorProfile(), "srgb");
    EXPECT_EQ(format->target(), "clipboard");
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "Warning for custom format definition: Colorprofile adobergb not supported",
                               "Warning for custom format definition: Target printer not supported",
                           }));
}

struct Rejection {
    const char* title;
    Value entry;
    const char* logLine;
};

class QVCustomFormatRejection : public testing::TestWithParam<Rejection> {};

TEST_P(QVCustomFormatRejection, IsLoggedAndSkipped)
{
    logging::Capture log;
    EXPECT_FALSE(QVCustomFormatReader::read(GetParam().entry));
    EXPECT_EQ(log.lines(), std::vector<std::string>{GetParam().logLine});
}

INSTANTIATE_TEST_SUITE_P(
    Entries, QVCustomFormatRejection,
    testing::Values(
        Rejection{"NotADictionary", Value("Hex"), "Error in custom format definition: Definition has to be a dictionary!"},
        Rejection{"MissingName", entry({{"exportFormat", Value("x")}}), "Error in custom format definition: Key name required!"},
        Rejection{"MissingExportFormat", entry({{"name", Value("A")}, {"group", Value("g")}}),
                  "Error in custom format definition: Key exportFormat required!"},
        Rejection{"NumberAsGroup", entry({{"name", Value("A")}, {"group", Value::integer(5)}, {"exportFormat", Value("x")}}),
                  "Error in custom format definition: Value for group is not a string!"},
        Rejection{"FirstFailingKeyWins", entry({{"group", Value::integer(5)}, {"exportFormat", Value("x")}}),
                  "Error in custom format definition: Key name required!"},
        Rejection{"ScriptNotAString",
                  entry({{"name", Value("A")}, {"exportFormat", Value("x")}, {"script", Value(std::vector<Value>{})}}),
                  "Error in custom format definition: Value for script is not a string!"}),
    [](const testing::TestParamInfo<Rejection>& info) { return std::string(info.param.title); });

} // namespace
