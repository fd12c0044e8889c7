#include "formats/QVColorProfile.h"
#include "formats/QVFormatRepository.h"
#include "formats/QVFormatTarget.h"
#include "formats/processor/QVFormatProcessor.h"
#include "formats/template/MustacheConfiguration.h"

#include "FormatFixtures.h"
#include "foundation/Bundle.h"
#include "foundation/Log.h"
#include "foundation/PropertyList.h"
#include "foundation/StringUtils.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// What a shipped template may name: the colour, the filters and the symbols.
const std::set<std::string> kKnownNames{
    "color", "percent", "int255", "int360", "hex", "decimal", "fraction", "separator", "kvcValue", "kvcPercent",
    "kvcInt255", "kvcInt360", "kvcHex", "kvcFraction", "kvcDecimal", "int255RGBA", "decimalRGBA", "hexRGBA",
    "hexColor", "csshexColor", "labColor", "uppercase", "lowercase", "concat", "runningAppVersion",
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "true", "TRUE", "false", "FALSE",
    "semicolon", "point", "comma", "commaspace", "space", "csv", "kvc",
    "rgba.r", "rgba.g", "rgba.b", "rgba.a", "hsla.h", "hsla.s", "hsla.l", "hsla.a", "hsba.h", "hsba.s", "hsba.b",
    "hsba.a", "cmyka.c", "cmyka.m", "cmyka.y", "cmyka.k", "cmyka.a", "lab.l", "lab.a", "lab.b", "lab.alpha",
    "adobe.photoshop", "adobe.illustrator"};

// The problems of one template: unknown names, unbalanced calls, unclosed or triple tags.
std::vector<std::string> templateProblems(const std::string& text)
{
    std::vector<std::string> problems;
    std::string start = "{{";
    std::string end = "}}";
    for (std::size_t at = text.find(start); at != std::string::npos; at = text.find(start, at)) {
        if (start == "{{" && text.compare(at, 3, "{{{") == 0) {
            problems.push_back("triple tag at " + std::to_string(at));
            break;
        }
        if (text.compare(at + start.size(), 1, "=") == 0) {
            const std::size_t close = text.find("=" + end, at);
            if (close == std::string::npos) {
                problems.push_back("unclosed delimiter tag");
                break;
            }
            const auto pieces = strings::split(strings::trimWhitespaceAndNewlines(text.substr(at + start.size() + 1, close - at - start.size() - 1)), " ");
            if (pieces.size() != 2) {
                problems.push_back("bad delimiter tag");
                break;
            }
            at = close + 1 + end.size();
            start = pieces[0];
            end = pieces[1];
            continue;
        }
        const std::size_t close = text.find(end, at + start.size());
        if (close == std::string::npos) {
            problems.push_back("unclosed tag");
            break;
        }
        const std::string expression = text.substr(at + start.size(), close - at - start.size());
        if (std::count(expression.begin(), expression.end(), '(') != std::count(expression.begin(), expression.end(), ')'))
            problems.push_back("unbalanced " + expression);
        std::string name;
        for (const char c : expression + " ") {
            if (c == '(' || c == ')' || c == ',' || c == ' ') {
                if (!name.empty() && !kKnownNames.count(name))
                    problems.push_back("unknown " + name);
                name.clear();
            } else {
                name += c;
            }
        }
        at = close + end.size();
    }
    return problems;
}

std::vector<Value> shippedList(const std::string& resource)
{
    const auto path = Bundle::main().pathForResource(resource, "plist");
    if (!path)
        return {};
    const Value root = propertylist::readFile(*path);
    return root.array() ? *root.array() : std::vector<Value>{};
}

TEST(TemplateChecker, FindsTheFaultsItLooksFor)
{
    EXPECT_TRUE(templateProblems("#{{hex(color, rgba.r, false)}} {{=<% %>=}}{x}{<%int255RGBA(color, 3, comma)%>}").empty());
    EXPECT_EQ(templateProblems("{{hex(color, rgba.x)}}"), std::vector<std::string>{"unknown rgba.x"});
    EXPECT_EQ(templateProblems("{{hexColor(color}}"), std::vector<std::string>{"unbalanced hexColor(color"});
    EXPECT_EQ(templateProblems("{{{hexColor(color)}}}"), std::vector<std::string>{"triple tag at 0"});
    EXPECT_EQ(templateProblems("{{hexColor(color)"), std::vector<std::string>{"unclosed tag"});
}

TEST(ShippedFormats, EveryExportFormatIsCompleteAndValid)
{
    const std::vector<Value> entries = shippedList(QVFormatRepository::kExportFormatsResource);
    ASSERT_FALSE(entries.empty());
    std::set<std::string> foldedNames;
    std::vector<std::string> groupOrder;
    int clipboardFormats = 0;
    for (const Value& entry : entries) {
        const Dictionary* values = entry.dictionary();
        ASSERT_TRUE(values) << entry.description();
        const QVFormatDefinition format(*values);
        SCOPED_TRACE(format.name());
        EXPECT_EQ(values->size(), QVFormatDefinition::keys().size());
        for (const std::string& key : QVFormatDefinition::keys())
            EXPECT_TRUE(values->get(key).isString()) << key;

        EXPECT_FALSE(format.name().empty());
        EXPECT_EQ(format.name(), strings::trimBlanks(format.name()));
        EXPECT_TRUE(foldedNames.insert(strings::lowercase(format.name())).second) << "name taken";
        EXPECT_FALSE(format.group().empty());
        EXPECT_EQ(format.group(), strings::lowercase(format.group()));
        if (groupOrder.empty() || groupOrder.back() != format.group()) {
            EXPECT_EQ(std::count(groupOrder.begin(), groupOrder.end(), format.group()), 0) << "group split";
            groupOrder.push_back(format.group());
        }
        EXPECT_TRUE(QVColorProfile::isSupported(format.colorProfile())) << format.colorProfile();
        EXPECT_TRUE(QVFormatTarget::isSupported(format.target())) << format.target();
        if (format.target() == QVFormatTarget::kClipboard) {
            ++clipboardFormats;
            EXPECT_EQ(format.script(), "");
        } else {
            EXPECT_FALSE(format.script().empty());
        }
        for (const char* key : {QVFormatDefinition::kExportFormat, QVFormatDefinition::kShortFormat, QVFormatDefinition::kDisplayFormat}) {
            EXPECT_FALSE(format.string(key).empty()) << key;
            EXPECT_EQ(templateProblems(format.string(key)), std::vector<std::string>{}) << key;
        }
    }
    EXPECT_GE(clipboardFormats, 2);
}

TEST(ShippedFormats, EveryDisplayFormatIsCompleteAndValid)
{
    const std::vector<Value> entries = shippedList(QVFormatRepository::kDisplayFormatsResource);
    ASSERT_FALSE(entries.empty());
    std::set<std::string> names;
    for (const Value& entry : entries) {
        const Dictionary* values = entry.dictionary();
        ASSERT_TRUE(values) << entry.description();
        const QVDisplayFormatDefinition format(*values);
        SCOPED_TRACE(format.name());
        EXPECT_FALSE(format.name().empty());
        EXPECT_TRUE(names.insert(format.name()).second) << "name taken";
        EXPECT_FALSE(format.displayFormat().empty());
        EXPECT_EQ(templateProblems(format.displayFormat()), std::vector<std::string>{});
        EXPECT_TRUE(QVColorProfile::isSupported(values->get(QVFormatDefinition::kColorProfile).description()));
    }
}

TEST(ShippedFormats, TheRepositoryLoadsThemWithoutComplaint)
{
    ScratchDefaults scratch;
    QVFormatRepository repository(scratch.defaults);
    logging::Capture log;
    repository.loadExportFormats(*Bundle::main().pathForResource(QVFormatRepository::kExportFormatsResource, "plist"));
    repository.loadDisplayFormats(*Bundle::main().pathForResource(QVFormatRepository::kDisplayFormatsResource, "plist"));
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(repository.exportFormatList()->size(), shippedList(QVFormatRepository::kExportFormatsResource).size());
    EXPECT_EQ(repository.displayFormatList()->size(), shippedList(QVFormatRepository::kDisplayFormatsResource).size());
    EXPECT_EQ(repository.getExportFormatNameByIndex(0), "HEX");
}

// Code that a developer pastes must stay valid whatever list separators the code style
// sets for the plain lists; only the bare lists of the design and hex groups follow them.
TEST(ShippedFormats, CodeFormatsKeepTheirSyntaxUnderOtherListSeparators)
{
    MustacheConfiguration::defaultConfiguration().setContentType(MustacheContentTypeText);
    const Color color = Color::sRGB(0.1234, 0.5678, 0.9012, 0.7531);
    QVFormatProcessor standard;
    QVFormatProcessor separated;
    separated.applyCodeStyle(Value(Dictionary{
        {"int", Value(Dictionary{{"listseparator", Value(";")}})},
        {"decimal", Value(Dictionary{{"listseparator", Value(";")}})},
        {"hex", Value(Dictionary{{"listseparator", Value(";")}})},
    }));
    int checked = 0;
    for (const Value& entry : shippedList(QVFormatRepository::kExportFormatsResource)) {
        const QVFormatDefinition format(*entry.dictionary());
        if (format.group() == "design" || format.group() == "hex")
            continue;
        SCOPED_TRACE(format.name());
        standard.updateColorValuesWithColor(color, format);
        separated.updateColorValuesWithColor(color, format);
        const auto expected = standard.renderFormat(format.exportFormat());
        ASSERT_TRUE(expected);
        EXPECT_EQ(separated.renderFormat(format.exportFormat()), expected);
        ++checked;
    }
    EXPECT_GT(checked, 30);
}

} // namespace
