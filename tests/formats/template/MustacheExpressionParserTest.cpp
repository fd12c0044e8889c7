#include "formats/template/MustacheExpressionGenerator.h"
#include "formats/template/MustacheExpressionParser.h"
#include "formats/template/MustacheFilteredExpression.h"
#include "formats/template/MustacheIdentifierExpression.h"
#include "formats/template/MustacheImplicitIteratorExpression.h"
#include "formats/template/MustacheScopedExpression.h"

#include <gtest/gtest.h>

namespace {

MustacheExpressionPtr parse(const std::string& text)
{
    return MustacheExpressionParser().parseExpression(text, nullptr, nullptr);
}

std::string printed(const std::string& text)
{
    MustacheExpressionPtr expression = parse(text);
    return expression ? MustacheExpressionGenerator().stringWithExpression(*expression) : "<invalid>";
}

MustacheExpressionPtr identifier(const char* name)
{
    return MustacheIdentifierExpression::expressionWithIdentifier(name);
}

} // namespace

TEST(MustacheExpressionParser, EmptyInputIsMissing)
{
    for (const char* text : {"", " ", " \t\r\n"}) {
        bool empty = false;
        Error error;
        EXPECT_FALSE(MustacheExpressionParser().parseExpression(text, &empty, &error));
        EXPECT_TRUE(empty) << text;
        EXPECT_EQ(error.message, "Missing expression");
        EXPECT_EQ(error.code, 0);
    }
}

TEST(MustacheExpressionParser, MalformedInputIsInvalid)
{
    for (const char* text : {"a.", "a..b", "a b", "f(", "f(a", "a)", "(a)", "a,b", "..", "f()", "f(a,)", "#a",
                             ". a", "a.(b)", "f(a)b", "{a"}) {
        bool empty = true;
        Error error;
        EXPECT_FALSE(MustacheExpressionParser().parseExpression(text, &empty, &error)) << text;
        EXPECT_FALSE(empty) << text;
        EXPECT_EQ(error.message, "Invalid expression") << text;
    }
}

TEST(MustacheExpressionParser, IdentifiersAndScopes)
{
    EXPECT_TRUE(parse(" a ")->isEqual(*identifier("a")));
    EXPECT_EQ(parse("."), MustacheImplicitIteratorExpression::expression());
    const auto expected = MustacheScopedExpression::expressionWithBaseExpression(
        MustacheScopedExpression::expressionWithBaseExpression(MustacheImplicitIteratorExpression::expression(),
                                                                 "a"),
        "b");
    EXPECT_TRUE(parse(".a.b")->isEqual(*expected));
    for (const char* text : {"a-b", "a:b", "1", "a{b", "@index"})
        EXPECT_TRUE(parse(text)->isEqual(*identifier(text))) << text;
}

TEST(MustacheExpressionParser, IdentifiersKeepTheirCharacters)
{
    EXPECT_TRUE(parse("caf\u00e9.\U0001F600")->isEqual(*MustacheScopedExpression::expressionWithBaseExpression(
        identifier("caf\u00e9"), "\U0001F600")));
    // A malformed byte reads as U+FFFD.
    EXPECT_TRUE(parse("a\xff" "b")->isEqual(*identifier("a\uFFFDb")));
    EXPECT_TRUE(parse("f(\xe9)")->isEqual(*MustacheFilteredExpression::expressionWithFilterExpression(
        identifier("f"), identifier("\uFFFD"), false)));
    EXPECT_FALSE(parse("a \u00e9"));
}

TEST(MustacheExpressionParser, FilterCalls)
{
    const auto fa = MustacheFilteredExpression::expressionWithFilterExpression(identifier("f"), identifier("a"),
                                                                                 true);
    const auto fab = MustacheFilteredExpression::expressionWithFilterExpression(fa, identifier("b"), false);
    const MustacheExpressionPtr parsed = parse("f(a, b)");
    EXPECT_TRUE(parsed->isEqual(*fab));
    const auto& filtered = dynamic_cast<const MustacheFilteredExpression&>(*parsed);
    EXPECT_FALSE(filtered.isCurried());
    EXPECT_TRUE(dynamic_cast<const MustacheFilteredExpression&>(*filtered.filterExpression()).isCurried());

    EXPECT_EQ(printed("f(a, b)"), "f(a)(b)");
    EXPECT_EQ(printed("f(a)(b)"), "f(a)(b)");
    EXPECT_EQ(printed("a.b(c)"), "a.b(c)");
    EXPECT_EQ(printed("f(x).y"), "f(x).y");
    EXPECT_EQ(printed(" uppercase( user.name ) "), "uppercase(user.name)");
    EXPECT_EQ(printed(".name"), "..name");
    EXPECT_EQ(printed("f(.)"), "f(.)");
    EXPECT_EQ(printed("f(g(a), h(b, c))"), "f(g(a))(h(b)(c))");
}

TEST(MustacheExpressionParser, EqualityAndHash)
{
    EXPECT_TRUE(parse("a.b")->isEqual(*parse("a.b")));
    EXPECT_EQ(parse("f(a).b")->hash(), parse("f(a).b")->hash());
    EXPECT_FALSE(parse("a.b")->isEqual(*parse("a.c")));
    EXPECT_FALSE(parse("a")->isEqual(*parse(".a")));
    EXPECT_FALSE(parse("f(a)")->isEqual(*parse("f(b)")));
    EXPECT_FALSE(parse(".")->isEqual(*parse("a")));
    // The curried flag is not compared.
    const auto curried = MustacheFilteredExpression::expressionWithFilterExpression(identifier("f"),
                                                                                      identifier("a"), true);
    EXPECT_TRUE(parse("f(a)")->isEqual(*curried));
}

TEST(MustacheExpressionParser, TokenReachesSubExpressions)
{
    auto token = MustacheToken::tokenWithType(MustacheTokenTypeEscapedVariable,
                                                std::make_shared<MustacheTemplateText>(), {}, 1, {});
    MustacheExpressionPtr expression = parse("f(a.b)");
    expression->setToken(token);
    const auto& filtered = dynamic_cast<const MustacheFilteredExpression&>(*expression);
    const auto& scoped = dynamic_cast<const MustacheScopedExpression&>(*filtered.argumentExpression());
    EXPECT_EQ(filtered.filterExpression()->token(), token);
    EXPECT_EQ(scoped.baseExpression()->token(), token);
}

TEST(MustacheExpressionParser, AbsurdlyDeepExpressionsAreInvalidNotACrash)
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
        EXPECT_FALSE(MustacheExpressionParser().parseExpression(text, nullptr, &error));
        EXPECT_EQ(error.message, "Invalid expression");
    }

    std::string reasonable = "a";
    for (int i = 0; i < 200; ++i)
        reasonable += ".a";
    EXPECT_TRUE(parse(reasonable));
}
