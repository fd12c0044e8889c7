#include "formats/processor/QVFormatProcessor.h"

#include "BuiltInFormats.h"
#include "FakeRunningApplications.h"

#include "formats/template/MustacheConfiguration.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// Set to a path to write the current renderings there instead of checking them.
constexpr const char* kWriteVariable = "VENDREL_WRITE_GOLDEN";

struct NamedColor {
    const char* label;
    Color color;
};

const std::vector<NamedColor>& goldenColors()
{
    static const std::vector<NamedColor> colors{
        {"black", Color::black()},
        {"white", Color::white()},
        {"red", Color::sRGB(1, 0, 0)},
        {"translucent", Color::sRGB(0.2, 0.4, 0.6, 0.5)},
        {"rounding", Color::sRGB(0.1234, 0.5678, 0.9012, 0.7531)},
    };
    return colors;
}

std::string escaped(const std::string& text)
{
    std::string result;
    for (char c : text) {
        if (c == '\\')
            result += "\\\\";
        else if (c == '\n')
            result += "\\n";
        else
            result += c;
    }
    return result;
}

bool isErrorText(const std::string& text)
{
    for (const char* marker : {"wrong argument", "wrong number of arguments", "unkown color", "Error in format"})
        if (text.find(marker) != std::string::npos)
            return true;
    return false;
}

// Every template of every built-in format, for every golden colour, one line each.
std::vector<std::string> renderAll()
{
    MustacheConfiguration::defaultConfiguration().setContentType(MustacheContentTypeText);
    QVFormatProcessor processor(std::make_shared<FakeRunningApplications>());
    std::vector<std::string> lines;
    const auto renderList = [&](const char* list, const std::vector<QVFormatDefinition>& formats,
                                std::initializer_list<const char*> fields) {
        for (const QVFormatDefinition& format : formats) {
            for (const NamedColor& named : goldenColors()) {
                processor.updateColorValuesWithColor(named.color, format);
                for (const char* field : fields) {
                    const std::string text = format.string(field);
                    if (text.empty())
                        continue;
                    const auto rendered = processor.renderFormat(text);
                    EXPECT_TRUE(rendered) << format.name() << " " << field;
                    EXPECT_FALSE(isErrorText(rendered.value_or(""))) << format.name() << " " << field << ": " << *rendered;
                    lines.push_back(std::string(list) + "\t" + format.name() + "\t" + field + "\t" + named.label + "\t" +
                        escaped(rendered.value_or("<nil>")));
                }
            }
        }
    };
    renderList("export", readBuiltInFormats("ExportFormats"), {"exportFormat", "shortFormat", "displayFormat", "script"});
    renderList("display", readBuiltInFormats("DisplayFormats"), {"displayFormat"});
    return lines;
}

} // namespace

TEST(QVFormatGoldenTest, EveryBuiltInFormatRendersAsRecorded)
{
    const std::vector<std::string> lines = renderAll();
    ASSERT_FALSE(lines.empty());

    if (const char* target = std::getenv(kWriteVariable)) {
        std::ofstream out(target);
        for (const std::string& line : lines)
            out << line << '\n';
        GTEST_SKIP() << "wrote " << target;
    }

    std::ifstream in(VENDREL_PROCESSOR_GOLDEN);
    ASSERT_TRUE(in) << VENDREL_PROCESSOR_GOLDEN;
    std::vector<std::string> expected;
    for (std::string line; std::getline(in, line);)
        expected.push_back(line);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]);
}
