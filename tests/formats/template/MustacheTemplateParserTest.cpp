#include "formats/template/MustacheConfiguration.h"
#include "formats/template/MustacheError.h"
#include "formats/template/MustacheTemplateParser.h"
#include "formats/template/MustacheTemplateParserDelegate.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

class RecordingDelegate final : public MustacheTemplateParserDelegate {
public:
    bool shouldContinueAfterParsingToken(MustacheTemplateParser&, const MustacheTokenPtr& token) override
    {
        tokens.push_back(token);
        return tokens.size() < stopAfter;
    }
    void didFailWithError(MustacheTemplateParser&, const Error& e) override { error = e; }

    std::vector<MustacheTokenPtr> tokens;
    std::optional<Error> error;
    std::size_t stopAfter = SIZE_MAX;
};

struct Parse {
    std::vector<MustacheTokenPtr> tokens;
    std::optional<Error> error;
};

Parse parse(const std::string& text, const Value& templateID = {}, std::size_t stopAfter = SIZE_MAX)
{
    MustacheConfiguration configuration;
    MustacheTemplateParser parser(configuration);
    RecordingDelegate delegate;
    delegate.stopAfter = stopAfter;
    parser.setDelegate(&delegate);
    parser.parseTemplateString(std::make_shared<const std::string>(text), templateID);
    return {delegate.tokens, delegate.error};
}

} // namespace

TEST(MustacheTemplateParser, EmptyStringYieldsNothing)
{
    const Parse result = parse("");
    EXPECT_TRUE(result.tokens.empty());
    EXPECT_FALSE(result.error);
}

TEST(MustacheTemplateParser, NullStringIsReportedAsMissingTemplate)
{
    MustacheConfiguration configuration;
    MustacheTemplateParser parser(configuration);
    RecordingDelegate delegate;
    parser.setDelegate(&delegate);
    parser.parseTemplateString(nullptr, {});
    ASSERT_TRUE(delegate.error);
    EXPECT_EQ(delegate.error->code, MustacheErrorCodeTemplateNotFound);
    EXPECT_EQ(delegate.error->message, "Nil template string can not be parsed.");
    EXPECT_TRUE(delegate.tokens.empty());
}

TEST(MustacheTemplateParser, TextWithNewlinesIsOneToken)
{
    const Parse result = parse("a\nb");
    ASSERT_EQ(result.tokens.size(), 1u);
    EXPECT_EQ(result.tokens[0]->type(), MustacheTokenTypeText);
    EXPECT_EQ(result.tokens[0]->templateSubstring(), "a\nb");
    EXPECT_EQ(result.tokens[0]->line(), 2u);
}

TEST(MustacheTemplateParser, TripleAndAmpersandFormsAreUnescaped)
{
    for (const char* text : {"{{{name}}}", "{{&name}}"}) {
        const Parse result = parse(text);
        ASSERT_EQ(result.tokens.size(), 1u) << text;
        EXPECT_EQ(result.tokens[0]->type(), MustacheTokenTypeUnescapedVariable);
        EXPECT_EQ(result.tokens[0]->tagInnerContent(), "name");
        EXPECT_EQ(result.tokens[0]->templateSubstring(), text);
    }
}

TEST(MustacheTemplateParser, SigilsGiveTokenTypes)
{
    const std::vector<std::pair<std::string, MustacheTokenType>> cases = {
        {"{{!c}}", MustacheTokenTypeComment},
        {"{{#c}}", MustacheTokenTypeSectionOpening},
        {"{{$c}}", MustacheTokenTypeInheritableSectionOpening},
        {"{{%c}}", MustacheTokenTypePragma},
        {"{{/c}}", MustacheTokenTypeClosing},
        {"{{<c}}", MustacheTokenTypeInheritablePartial},
        {"{{>c}}", MustacheTokenTypePartial},
        {"{{^c}}", MustacheTokenTypeInvertedSectionOpening},
        {"{{c}}", MustacheTokenTypeEscapedVariable},
    };
    for (const auto& [text, type] : cases) {
        const Parse result = parse(text);
        ASSERT_EQ(result.tokens.size(), 1u) << text;
        EXPECT_EQ(result.tokens[0]->type(), type) << text;
        EXPECT_EQ(result.tokens[0]->tagInnerContent(), "c") << text;
    }
}

TEST(MustacheTemplateParser, TripleOpenerNeedsTripleCloser)
{
    const Parse result = parse("{{{name}}");
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->message, "Parse error at line 1: Unclosed Mustache tag");
    EXPECT_EQ(result.error->code, MustacheErrorCodeParseError);
}

TEST(MustacheTemplateParser, LinesAndRanges)
{
    const Parse result = parse("x\n{{#a}}\n");
    ASSERT_EQ(result.tokens.size(), 3u);
    EXPECT_EQ(result.tokens[0]->templateSubstring(), "x\n");
    EXPECT_EQ(result.tokens[0]->line(), 2u);
    EXPECT_EQ(result.tokens[1]->type(), MustacheTokenTypeSectionOpening);
    EXPECT_EQ(result.tokens[1]->templateSubstring(), "{{#a}}");
    EXPECT_EQ(result.tokens[1]->line(), 2u);
    EXPECT_EQ(result.tokens[1]->range(), (TextRange{2, 6}));
    EXPECT_EQ(result.tokens[1]->tagInnerRange(), (TextRange{5, 1}));
    EXPECT_EQ(result.tokens[2]->templateSubstring(), "\n");
    EXPECT_EQ(result.tokens[2]->line(), 3u);
}

TEST(MustacheTemplateParser, RangesCountUtf16Units)
{
    // "é" is one unit, "😀" two.
    const Parse result = parse("é😀{{n}}");
    ASSERT_EQ(result.tokens.size(), 2u);
    EXPECT_EQ(result.tokens[0]->range(), (TextRange{0, 3}));
    EXPECT_EQ(result.tokens[1]->range(), (TextRange{3, 5}));
    EXPECT_EQ(result.tokens[1]->tagInnerContent(), "n");
}

TEST(MustacheTemplateParser, MalformedBytesReadAsReplacementCharacters)
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
    EXPECT_EQ(result.tokens[1]->type(), MustacheTokenTypeSetDelimiter);
    EXPECT_EQ(result.tokens[1]->range(), (TextRange{1, 10}));
    EXPECT_EQ(result.tokens[3]->templateSubstring(), "\U0001F600n\u00bb");
    EXPECT_EQ(result.tokens[3]->range(), (TextRange{12, 4}));
    EXPECT_EQ(result.tokens[3]->tagInnerContent(), "n");
    EXPECT_EQ(result.tokens[4]->templateSubstring(), "\n");
    EXPECT_EQ(result.tokens[5]->type(), MustacheTokenTypeSectionOpening);
    EXPECT_EQ(result.tokens[5]->line(), 2u);
    EXPECT_EQ(result.tokens[5]->range(), (TextRange{17, 5}));
    EXPECT_EQ(result.tokens[5]->tagInnerRange(), (TextRange{20, 1}));
    EXPECT_EQ(result.tokens[5]->tagInnerContent(), "s");
}

TEST(MustacheTemplateParser, UnicodeWhitespaceSeparatesSetDelimiters)
{
    // A no-break space and an ideographic space separate; a line separator too.
    for (const char* text : {"{{=<%\u00a0%>=}}<%n%>", "{{=<%\u3000%>=}}<%n%>", "{{=<%\u2028%>=}}<%n%>"}) {
        const Parse result = parse(text);
        ASSERT_EQ(result.tokens.size(), 2u) << text;
        EXPECT_EQ(result.tokens[1]->tagInnerContent(), "n") << text;
    }
    EXPECT_TRUE(parse("{{=<%\u00e9%>=}}").error);
}

TEST(MustacheTemplateParser, SetDelimitersApplyToTheRestOfTheParse)
{
    const Parse result = parse("{{=<% %>=}}<%name%>{{name}}");
    ASSERT_EQ(result.tokens.size(), 3u);
    EXPECT_EQ(result.tokens[0]->type(), MustacheTokenTypeSetDelimiter);
    EXPECT_EQ(result.tokens[0]->tagInnerContent(), "<% %>");
    EXPECT_EQ(result.tokens[1]->type(), MustacheTokenTypeEscapedVariable);
    EXPECT_EQ(result.tokens[1]->tagInnerContent(), "name");
    EXPECT_EQ(result.tokens[2]->type(), MustacheTokenTypeText);
    EXPECT_EQ(result.tokens[2]->templateSubstring(), "{{name}}");
}

TEST(MustacheTemplateParser, OtherDelimitersDisableTheTripleForm)
{
    const Parse result = parse("{{=[ ]=}}[{a}]");
    ASSERT_EQ(result.tokens.size(), 2u);
    EXPECT_EQ(result.tokens[1]->type(), MustacheTokenTypeUnescapedVariable);
    EXPECT_EQ(result.tokens[1]->tagInnerContent(), "a}");
}

TEST(MustacheTemplateParser, SetDelimitersNeedsTwoPieces)
{
    const Parse result = parse("a\n{{=<% %> x=}}");
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->message, "Parse error at line 2: Invalid set delimiters tag");
}

TEST(MustacheTemplateParser, BlankTagAndNestedOpeners)
{
    Parse result = parse("{{ }}");
    ASSERT_EQ(result.tokens.size(), 1u);
    EXPECT_EQ(result.tokens[0]->type(), MustacheTokenTypeEscapedVariable);
    EXPECT_EQ(result.tokens[0]->tagInnerContent(), " ");

    result = parse("{{a{{b}}");
    ASSERT_EQ(result.tokens.size(), 1u);
    EXPECT_EQ(result.tokens[0]->tagInnerContent(), "a{{b");
}

TEST(MustacheTemplateParser, UnclosedTagReportsItsStartLine)
{
    Parse result = parse("x\ny\n{{a\nb");
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->message, "Parse error at line 3: Unclosed Mustache tag");

    result = parse("{{a", Value("main"));
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->message, "Parse error at line 1 of template main: Unclosed Mustache tag");
}

TEST(MustacheTemplateParser, DelegateCanStopTheParse)
{
    const Parse result = parse("a{{b}}c{{d}}", {}, 2);
    EXPECT_EQ(result.tokens.size(), 2u);
    EXPECT_FALSE(result.error);
}

TEST(MustacheTemplateParser, EndDelimiterRightAfterOpenerIsNoSigil)
{
    MustacheConfiguration configuration;
    configuration.setTagStartDelimiter("<%");
    configuration.setTagEndDelimiter("#>");
    MustacheTemplateParser parser(configuration);
    RecordingDelegate delegate;
    parser.setDelegate(&delegate);
    parser.parseTemplateString(std::make_shared<const std::string>("<%#>"), {});
    ASSERT_EQ(delegate.tokens.size(), 1u);
    EXPECT_EQ(delegate.tokens[0]->type(), MustacheTokenTypeEscapedVariable);
    EXPECT_EQ(delegate.tokens[0]->tagInnerContent(), "");
}

TEST(MustacheTemplateParser, NameParsers)
{
    bool empty = false;
    Error error;
    EXPECT_EQ(MustacheTemplateParser::parseTemplateName(" \n partial\t", &empty, &error), "partial");

    EXPECT_FALSE(MustacheTemplateParser::parseTemplateName("  ", &empty, &error));
    EXPECT_TRUE(empty);
    EXPECT_EQ(error.message, "Missing template name");

    EXPECT_FALSE(MustacheTemplateParser::parseTemplateName("a b", &empty, &error));
    EXPECT_FALSE(empty);
    EXPECT_EQ(error.message, "Invalid template name");

    EXPECT_FALSE(MustacheTemplateParser::parseInheritableSectionName("", &empty, &error));
    EXPECT_EQ(error.message, "Missing inheritable section name");
    EXPECT_FALSE(MustacheTemplateParser::parseInheritableSectionName("a\nb", nullptr, &error));
    EXPECT_EQ(error.message, "Invalid inheritable section name");
    EXPECT_EQ(error.domain, MustacheErrorDomain);

    EXPECT_EQ(MustacheTemplateParser::parsePragma(" CONTENT_TYPE:TEXT "), "CONTENT_TYPE:TEXT");
    EXPECT_FALSE(MustacheTemplateParser::parsePragma(" "));
}
