#include "formats/template/GRMustacheExpressionGenerator.h"
#include "formats/template/GRMustacheExpressionParser.h"
#include "formats/template/GRMustacheFilteredExpression.h"
#include "formats/template/GRMustacheIdentifierExpression.h"
#include "formats/template/GRMustacheImplicitIteratorExpression.h"
#include "formats/template/GRMustacheScopedExpression.h"

#include <gtest/gtest.h>

namespace {

GRMustacheExpressionPtr parse(const std::string& text)
{
    return GRMustacheExpressionParser().parseExpression(text, nullptr, nullptr);
}

std::string printed(const std::string& text)
{
    GRMustacheExpressionPtr expression = parse(text);
    return expression ? GRMustacheExpressionGenerator().stringWithExpression(*expression) : "<invalid>";
}

GRMustacheExpressionPtr identifier(const char* name)
{
    return GRMustacheIdentifierExpression::expressionWithIdentifier(name);
}

} // namespace

TEST(GRMustacheExpressionParser, EmptyInputIsMissing)
{
    for (const char* text : {"", " ", " \t\r\n"}) {
        bool empty = false;
        Error error;
        EXPECT_FALSE(GRMustacheExpressionParser().parseExpression(text, &empty, &error));
        EXPECT_TRUE(empty) << text;
        EXPECT_EQ(error.message, "Missing expression");
        EXPECT_EQ(error.code, 0);
    }
}

TEST(GRMustacheExpressionParser, MalformedInputIsInvalid)
{
    for (const char* text : {"a.", "a..b", "a b", "f(", "f(a", "a)", "(a)", "a,b", "..", "f()", "f(a,)", "#a",
                             ". a", "a.(b)", "f(a)b", "{a"}) {
        bool empty = true;
        Error error;
        EXPECT_FALSE(GRMustacheExpressionParser().parseExpression(text, &empty, &error)) << text;
        EXPECT_FALSE(empty) << text;
        EXPECT_EQ(error.message, "Invalid expression") << text;
    }
}

TEST(GRMustacheExpressionParser, IdentifiersAndScopes)
{
    EXPECT_TRUE(parse(" a ")->isEqual(*identifier("a")));
    EXPECT_EQ(parse("."), GRMustacheImplicitIteratorExpression::expression());
    const auto expected = GRMustacheScopedExpression::expressionWithBaseExpression(
        GRMustacheScopedExpression::expressionWithBaseExpression(GRMustacheImplicitIteratorExpression::expression(),
                                                                 "a"),
        "b");
    EXPECT_TRUE(parse(".a.b")->isEqual(*expected));
    for (const char* text : {"a-b", "a:b", "1", "a{b", "@index"})
        EXPECT_TRUE(parse(text)->isEqual(*identifier(text))) << text;
}

TEST(GRMustacheExpressionParser, IdentifiersKeepTheirCharacters)
{
    EXPECT_TRUE(parse("caf\u00e9.\U0001F600")->isEqual(*GRMustacheScopedExpression::expressionWithBaseExpression(
        identifier("caf\u00e9"), "\U0001F600")));
    // A malformed byte reads as U+FFFD.
    EXPECT_TRUE(parse("a\xff" "b")->isEqual(*identifier("a\uFFFDb")));
    EXPECT_TRUE(parse("f(\xe9)")->isEqual(*GRMustacheFilteredExpression::expressionWithFilterExpression(
        identifier("f"), identifier("\uFFFD"), false)));
    EXPECT_FALSE(parse("a \u00e9"));
}

TEST(GRMustacheExpressionParser, FilterCalls)
{
    const auto fa = GRMustacheFilteredExpression::expressionWithFilterExpression(identifier("f"), identifier("a"),
                                                                                 true);
    const auto fab = GRMustacheFilteredExpression::expressionWithFilterExpression(fa, identifier("b"), false);
    const GRMustacheExpressionPtr parsed = parse("f(a, b)");
    EXPECT_TRUE(parsed->isEqual(*fab));
    const auto& filtered = dynamic_cast<const GRMustacheFilteredExpression&>(*parsed);
    EXPECT_FALSE(filtered.isCurried());
    EXPECT_TRUE(dynamic_cast<const GRMustacheFilteredExpression&>(*filtered.filterExpression()).isCurried());

    EXPECT_EQ(printed("f(a, b)"), "f(a)(b)");
    EXPECT_EQ(printed("f(a)(b)"), "f(a)(b)");
    EXPECT_EQ(printed("a.b(c)"), "a.b(c)");
    EXPECT_EQ(printed("f(x).y"), "f(x).y");
    EXPECT_EQ(printed(" uppercase( user.name ) "), "uppercase(user.name)");
    EXPECT_EQ(printed(".name"), "..name");
    EXPECT_EQ(printed("f(.)"), "f(.)");
    EXPECT_EQ(printed("f(g(a), h(b, c))"), "f(g(a))(h(b)(c))");
}

TEST(GRMustacheExpressionParser, EqualityAndHash)
{
    EXPECT_TRUE(parse("a.b")->isEqual(*parse("a.b")));
    EXPECT_EQ(parse("f(a).b")->hash(), parse("f(a).b")->hash());
    EXPECT_FALSE(parse("a.b")->isEqual(*parse("a.c")));
    EXPECT_FALSE(parse("a")->isEqual(*parse(".a")));
    EXPECT_FALSE(parse("f(a)")->isEqual(*parse("f(b)")));
    EXPECT_FALSE(parse(".")->isEqual(*parse("a")));
    // The curried flag is not compared.
    const auto curried = GRMustacheFilteredExpression::expressionWithFilterExpression(identifier("f"),
                                                                                      identifier("a"), true);
    EXPECT_TRUE(parse("f(a)")->isEqual(*curried));
}

TEST(GRMustacheExpressionParser, TokenReachesSubExpressions)
{
    auto token = GRMustacheToken::tokenWithType(GRMustacheTokenTypeEscapedVariable,
                                                std::make_shared<GRMustacheTemplateText>(), {}, 1, {});
    GRMustacheExpressionPtr expression = parse("f(a.b)");
    expression->setToken(token);
    const auto& filtered = dynamic_cast<const GRMustacheFilteredExpression&>(*expression);
    const auto& scoped = dynamic_cast<const GRMustacheScopedExpression&>(*filtered.argumentExpression());
    EXPECT_EQ(filtered.filterExpression()->token(), token);
    EXPECT_EQ(scoped.baseExpression()->token(), token);
}

TEST(GRMustacheExpressionParser, AbsurdlyDeepExpressionsAreInvalidNotACrash)
{
    std::string calls;
    std::string scopes = "a";
    for (int i = 0; i < 100000; ++i) {
        calls += "f(";
        scopes += ".a";
    }
    calls += "x" + std::string(100000, ')');
    for (const std::string& text : {calls, scopes}) {
        Error error;
        EXPECT_FALSE(GRMustacheExpressionParser().parseExpression(text, nullptr, &error));
        EXPECT_EQ(error.message, "Invalid expression");
    }

    std::string reasonable = "a";
    for (int i = 0; i < 200; ++i)
        reasonable += ".a";
    EXPECT_TRUE(parse(reasonable));
}
