#include "formats/template/GRMustacheConfiguration.h"
#include "formats/template/GRMustacheError.h"
#include "formats/template/GRMustacheTemplateParser.h"
#include "formats/template/GRMustacheTemplateParserDelegate.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

class RecordingDelegate final : public GRMustacheTemplateParserDelegate {
public:
    bool shouldContinueAfterParsingToken(GRMustacheTemplateParser&, const GRMustacheTokenPtr& token) override
    {
        tokens.push_back(token);
        return tokens.size() < stopAfter;
    }
    void didFailWithError(GRMustacheTemplateParser&, const Error& e) override { error = e; }

    std::vector<GRMustacheTokenPtr> tokens;
    std::optional<Error> error;
    std::size_t stopAfter = SIZE_MAX;
};

struct Parse {
    std::vector<GRMustacheTokenPtr> tokens;
    std::optional<Error> error;
};

Parse parse(const std::string& text, const Value& templateID = {}, std::size_t stopAfter = SIZE_MAX)
{
    GRMustacheConfiguration configuration;
    GRMustacheTemplateParser parser(configuration);
    RecordingDelegate delegate;
    delegate.stopAfter = stopAfter;
    parser.setDelegate(&delegate);
    parser.parseTemplateString(std::make_shared<const std::string>(text), templateID);
    return {delegate.tokens, delegate.error};
}

} // namespace

TEST(GRMustacheTemplateParser, EmptyStringYieldsNothing)
{
    const Parse result = parse("");
    EXPECT_TRUE(result.tokens.empty());
    EXPECT_FALSE(result.error);
}

TEST(GRMustacheTemplateParser, NullStringIsReportedAsMissingTemplate)
{
    GRMustacheConfiguration configuration;
    GRMustacheTemplateParser parser(configuration);
    RecordingDelegate delegate;
    parser.setDelegate(&delegate);
    parser.parseTemplateString(nullptr, {});
    ASSERT_TRUE(delegate.error);
    EXPECT_EQ(delegate.error->code, GRMustacheErrorCodeTemplateNotFound);
    EXPECT_EQ(delegate.error->message, "Nil template string can not be parsed.");
    EXPECT_TRUE(delegate.tokens.empty());
}

TEST(GRMustacheTemplateParser, TextWithNewlinesIsOneToken)
{
    const Parse result = parse("a\nb");
    ASSERT_EQ(result.tokens.size(), 1u);
    EXPECT_EQ(result.tokens[0]->type(), GRMustacheTokenTypeText);
    EXPECT_EQ(result.tokens[0]->templateSubstring(), "a\nb");
    EXPECT_EQ(result.tokens[0]->line(), 2u);
}

TEST(GRMustacheTemplateParser, TripleAndAmpersandFormsAreUnescaped)
{
    for (const char* text : {"{{{name}}}", "{{&name}}"}) {
        const Parse result = parse(text);
        ASSERT_EQ(result.tokens.size(), 1u) << text;
        EXPECT_EQ(result.tokens[0]->type(), GRMustacheTokenTypeUnescapedVariable);
        EXPECT_EQ(result.tokens[0]->tagInnerContent(), "name");
        EXPECT_EQ(result.tokens[0]->templateSubstring(), text);
    }
}

TEST(GRMustacheTemplateParser, SigilsGiveTokenTypes)
{
    const std::vector<std::pair<std::string, GRMustacheTokenType>> cases = {
        {"{{!c}}", GRMustacheTokenTypeComment},
        {"{{#c}}", GRMustacheTokenTypeSectionOpening},
        {"{{$c}}", GRMustacheTokenTypeInheritableSectionOpening},
        {"{{%c}}", GRMustacheTokenTypePragma},
        {"{{/c}}", GRMustacheTokenTypeClosing},
        {"{{<c}}", GRMustacheTokenTypeInheritablePartial},
        {"{{>c}}", GRMustacheTokenTypePartial},
        {"{{^c}}", GRMustacheTokenTypeInvertedSectionOpening},
        {"{{c}}", GRMustacheTokenTypeEscapedVariable},
    };
    for (const auto& [text, type] : cases) {
        const Parse result = parse(text);
        ASSERT_EQ(result.tokens.size(), 1u) << text;
        EXPECT_EQ(result.tokens[0]->type(), type) << text;
        EXPECT_EQ(result.tokens[0]->tagInnerContent(), "c") << text;
    }
}

TEST(GRMustacheTemplateParser, TripleOpenerNeedsTripleCloser)
{
    const Parse result = parse("{{{name}}");
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->message, "Parse error at line 1: Unclosed Mustache tag");
    EXPECT_EQ(result.error->code, GRMustacheErrorCodeParseError);
}

TEST(GRMustacheTemplateParser, LinesAndRanges)
{
    const Parse result = parse("x\n{{#a}}\n");
    ASSERT_EQ(result.tokens.size(), 3u);
    EXPECT_EQ(result.tokens[0]->templateSubstring(), "x\n");
    EXPECT_EQ(result.tokens[0]->line(), 2u);
    EXPECT_EQ(result.tokens[1]->type(), GRMustacheTokenTypeSectionOpening);
    EXPECT_EQ(result.tokens[1]->templateSubstring(), "{{#a}}");
    EXPECT_EQ(result.tokens[1]->line(), 2u);
    EXPECT_EQ(result.tokens[1]->range(), (TextRange{2, 6}));
    EXPECT_EQ(result.tokens[1]->tagInnerRange(), (TextRange{5, 1}));
    EXPECT_EQ(result.tokens[2]->templateSubstring(), "\n");
    EXPECT_EQ(result.tokens[2]->line(), 3u);
}

TEST(GRMustacheTemplateParser, RangesCountUtf16Units)
{
    // "é" is one unit, "😀" two.
    const Parse result = parse("é😀{{n}}");
    ASSERT_EQ(result.tokens.size(), 2u);
    EXPECT_EQ(result.tokens[0]->range(), (TextRange{0, 3}));
    EXPECT_EQ(result.tokens[1]->range(), (TextRange{3, 5}));
    EXPECT_EQ(result.tokens[1]->tagInnerContent(), "n");
}

TEST(GRMustacheTemplateParser, MalformedBytesReadAsReplacementCharacters)
{
    // Each malformed byte is one U+FFFD: one unit in ranges, three bytes in texts.
    Parse result = parse("a\xff\xe9{{n\xc3}}\xf0\x9f\x98");
    ASSERT_EQ(result.tokens.size(), 3u);
    EXPECT_EQ(result.tokens[0]->templateSubstring(), "a\uFFFD\uFFFD");
    EXPECT_EQ(result.tokens[0]->range(), (TextRange{0, 3}));
    EXPECT_EQ(result.tokens[1]->range(), (TextRange{3, 6}));
    EXPECT_EQ(result.tokens[1]->tagInnerContent(), "n\uFFFD");
    EXPECT_EQ(result.tokens[1]->tagInnerRange(), (TextRange{5, 2}));
    EXPECT_EQ(result.tokens[2]->templateSubstring(), "\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(result.tokens[2]->range(), (TextRange{9, 3}));

    // Delimiters are read the same way, and set delimiters may be any characters.
    result = parse("\u00e9{{=\U0001F600 \u00bb=}}x\U0001F600n\u00bb\n\U0001F600#s\u00bb");
    ASSERT_EQ(result.tokens.size(), 6u);
    EXPECT_EQ(result.tokens[1]->type(), GRMustacheTokenTypeSetDelimiter);
    EXPECT_EQ(result.tokens[1]->range(), (TextRange{1, 10}));
    EXPECT_EQ(result.tokens[3]->templateSubstring(), "\U0001F600n\u00bb");
    EXPECT_EQ(result.tokens[3]->range(), (TextRange{12, 4}));
    EXPECT_EQ(result.tokens[3]->tagInnerContent(), "n");
    EXPECT_EQ(result.tokens[4]->templateSubstring(), "\n");
    EXPECT_EQ(result.tokens[5]->type(), GRMustacheTokenTypeSectionOpening);
    EXPECT_EQ(result.tokens[5]->line(), 2u);
    EXPECT_EQ(result.tokens[5]->range(), (TextRange{17, 5}));
    EXPECT_EQ(result.tokens[5]->tagInnerRange(), (TextRange{20, 1}));
    EXPECT_EQ(result.tokens[5]->tagInnerContent(), "s");
}

TEST(GRMustacheTemplateParser, UnicodeWhitespaceSeparatesSetDelimiters)
{
    // A no-break space and an ideographic space separate; a line separator too.
    for (const char* text : {"{{=<%\u00a0%>=}}<%n%>", "{{=<%\u3000%>=}}<%n%>", "{{=<%\u2028%>=}}<%n%>"}) {
        const Parse result = parse(text);
        ASSERT_EQ(result.tokens.size(), 2u) << text;
        EXPECT_EQ(result.tokens[1]->tagInnerContent(), "n") << text;
    }
    EXPECT_TRUE(parse("{{=<%\u00e9%>=}}").error);
}

TEST(GRMustacheTemplateParser, SetDelimitersApplyToTheRestOfTheParse)
{
    const Parse result = parse("{{=<% %>=}}<%name%>{{name}}");
    ASSERT_EQ(result.tokens.size(), 3u);
    EXPECT_EQ(result.tokens[0]->type(), GRMustacheTokenTypeSetDelimiter);
    EXPECT_EQ(result.tokens[0]->tagInnerContent(), "<% %>");
    EXPECT_EQ(result.tokens[1]->type(), GRMustacheTokenTypeEscapedVariable);
    EXPECT_EQ(result.tokens[1]->tagInnerContent(), "name");
    EXPECT_EQ(result.tokens[2]->type(), GRMustacheTokenTypeText);
    EXPECT_EQ(result.tokens[2]->templateSubstring(), "{{name}}");
}

TEST(GRMustacheTemplateParser, OtherDelimitersDisableTheTripleForm)
{
    const Parse result = parse("{{=[ ]=}}[{a}]");
    ASSERT_EQ(result.tokens.size(), 2u);
    EXPECT_EQ(result.tokens[1]->type(), GRMustacheTokenTypeUnescapedVariable);
    EXPECT_EQ(result.tokens[1]->tagInnerContent(), "a}");
}

TEST(GRMustacheTemplateParser, SetDelimitersNeedsTwoPieces)
{
    const Parse result = parse("a\n{{=<% %> x=}}");
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->message, "Parse error at line 2: Invalid set delimiters tag");
}

TEST(GRMustacheTemplateParser, BlankTagAndNestedOpeners)
{
    Parse result = parse("{{ }}");
    ASSERT_EQ(result.tokens.size(), 1u);
    EXPECT_EQ(result.tokens[0]->type(), GRMustacheTokenTypeEscapedVariable);
    EXPECT_EQ(result.tokens[0]->tagInnerContent(), " ");

    result = parse("{{a{{b}}");
    ASSERT_EQ(result.tokens.size(), 1u);
    EXPECT_EQ(result.tokens[0]->tagInnerContent(), "a{{b");
}

TEST(GRMustacheTemplateParser, UnclosedTagReportsItsStartLine)
{
    Parse result = parse("x\ny\n{{a\nb");
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->message, "Parse error at line 3: Unclosed Mustache tag");

    result = parse("{{a", Value("main"));
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->message, "Parse error at line 1 of template main: Unclosed Mustache tag");
}

TEST(GRMustacheTemplateParser, DelegateCanStopTheParse)
{
    const Parse result = parse("a{{b}}c{{d}}", {}, 2);
    EXPECT_EQ(result.tokens.size(), 2u);
    EXPECT_FALSE(result.error);
}

TEST(GRMustacheTemplateParser, EndDelimiterRightAfterOpenerIsNoSigil)
{
    GRMustacheConfiguration configuration;
    configuration.setTagStartDelimiter("<%");
    configuration.setTagEndDelimiter("#>");
    GRMustacheTemplateParser parser(configuration);
    RecordingDelegate delegate;
    parser.setDelegate(&delegate);
    parser.parseTemplateString(std::make_shared<const std::string>("<%#>"), {});
    ASSERT_EQ(delegate.tokens.size(), 1u);
    EXPECT_EQ(delegate.tokens[0]->type(), GRMustacheTokenTypeEscapedVariable);
    EXPECT_EQ(delegate.tokens[0]->tagInnerContent(), "");
}

TEST(GRMustacheTemplateParser, NameParsers)
{
    bool empty = false;
    Error error;
    EXPECT_EQ(GRMustacheTemplateParser::parseTemplateName(" \n partial\t", &empty, &error), "partial");

    EXPECT_FALSE(GRMustacheTemplateParser::parseTemplateName("  ", &empty, &error));
    EXPECT_TRUE(empty);
    EXPECT_EQ(error.message, "Missing template name");

    EXPECT_FALSE(GRMustacheTemplateParser::parseTemplateName("a b", &empty, &error));
    EXPECT_FALSE(empty);
    EXPECT_EQ(error.message, "Invalid template name");

    EXPECT_FALSE(GRMustacheTemplateParser::parseInheritableSectionName("", &empty, &error));
    EXPECT_EQ(error.message, "Missing inheritable section name");
    EXPECT_FALSE(GRMustacheTemplateParser::parseInheritableSectionName("a\nb", nullptr, &error));
    EXPECT_EQ(error.message, "Invalid inheritable section name");
    EXPECT_EQ(error.domain, GRMustacheErrorDomain);

    EXPECT_EQ(GRMustacheTemplateParser::parsePragma(" CONTENT_TYPE:TEXT "), "CONTENT_TYPE:TEXT");
    EXPECT_FALSE(GRMustacheTemplateParser::parsePragma(" "));
}
