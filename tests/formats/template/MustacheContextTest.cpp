#include "TemplateTestSupport.h"

#include "formats/template/MustacheContext.h"
#include "formats/template/MustacheKeyAccess.h"
#include "formats/template/MustacheTagDelegate.h"

#include <gtest/gtest.h>

namespace {

class Delegate final : public Object, public MustacheTagDelegate {
};

std::string stringOf(const Value& value)
{
    return value ? value.description() : "nil";
}

} // namespace

TEST(MustacheContext, LaterObjectsWinAndLookupsFallThrough)
{
    const Value a(Dictionary{{"both", Value("A")}, {"onlyA", Value("a")}});
    const Value b(Dictionary{{"both", Value("B")}});
    const auto context = MustacheContext::contextWithObject(a)->contextByAddingObject(b);
    EXPECT_EQ(stringOf(context->valueForMustacheKey("both")), "B");
    EXPECT_EQ(stringOf(context->valueForMustacheKey("onlyA")), "a");
    EXPECT_EQ(stringOf(context->valueForMustacheKey("none")), "nil");
    EXPECT_TRUE(context->topMustacheObject().isIdenticalTo(b));
}

TEST(MustacheContext, NullIsAFoundValue)
{
    const auto context = MustacheContext::contextWithObject(Value(Dictionary{{"k", Value("below")}}))
                             ->contextByAddingObject(Value(Dictionary{{"k", Value::null()}}));
    EXPECT_TRUE(context->valueForMustacheKey("k").isNull());
}

TEST(MustacheContext, ProtectedObjectsWin)
{
    const Value secured(Dictionary{{"k", Value("protected")}});
    const auto context = MustacheContext::contextWithProtectedObject(secured)->contextByAddingObject(
        Value(Dictionary{{"k", Value("plain")}, {"other", Value("o")}}));
    bool isProtected = false;
    EXPECT_EQ(stringOf(context->valueForMustacheKey("k", &isProtected)), "protected");
    EXPECT_TRUE(isProtected);
    EXPECT_EQ(stringOf(context->valueForMustacheKey("other", &isProtected)), "o");
    EXPECT_FALSE(isProtected);
}

TEST(MustacheContext, HiddenObjectsAreSkippedByIdentity)
{
    const Value below(Dictionary{{"k", Value("below")}});
    const Value hidden(Dictionary{{"k", Value("hidden")}});
    const Value equalButDistinct(Dictionary{{"k", Value("hidden")}});
    auto context = MustacheContext::contextWithObject(below)->contextByAddingObject(hidden)->contextByAddingHiddenObject(
        hidden);
    EXPECT_EQ(stringOf(context->valueForMustacheKey("k")), "below");
    context = MustacheContext::contextWithObject(below)->contextByAddingObject(hidden)->contextByAddingHiddenObject(
        equalButDistinct);
    EXPECT_EQ(stringOf(context->valueForMustacheKey("k")), "hidden");
}

TEST(MustacheContext, NilDerivationsReturnTheReceiver)
{
    const auto context = MustacheContext::context();
    EXPECT_EQ(context->contextByAddingObject({}), context);
    EXPECT_EQ(context->contextByAddingProtectedObject({}), context);
    EXPECT_EQ(context->contextByAddingHiddenObject({}), context);
    EXPECT_EQ(context->contextByAddingTagDelegate({}), context);
    EXPECT_FALSE(context->topMustacheObject());
}

TEST(MustacheContext, TagDelegatesAreOrderedOldestFirst)
{
    const Value first(std::make_shared<Delegate>());
    const Value second(std::make_shared<Delegate>());
    const auto context = MustacheContext::contextWithObject(first)
                             ->contextByAddingObject(Value("not a delegate"))
                             ->contextByAddingTagDelegate(second);
    const std::vector<Value> stack = context->tagDelegateStack();
    ASSERT_EQ(stack.size(), 2u);
    EXPECT_TRUE(stack[0].isIdenticalTo(first));
    EXPECT_TRUE(stack[1].isIdenticalTo(second));
    EXPECT_TRUE(MustacheContext::context()->tagDelegateStack().empty());
}

TEST(MustacheContext, KeyAccessByKind)
{
    const Value list(std::vector<Value>{Value(Dictionary{{"name", Value("x")}}), Value("b")});
    EXPECT_EQ(stringOf(MustacheKeyAccess::valueForMustacheKey("count", list, false)), "2");
    EXPECT_EQ(stringOf(MustacheKeyAccess::valueForMustacheKey("firstObject", list, false)),
              list.array()->front().description());
    EXPECT_EQ(stringOf(MustacheKeyAccess::valueForMustacheKey("name", list, false)), "nil");

    EXPECT_EQ(stringOf(MustacheKeyAccess::valueForMustacheKey("length", Value("héllo"), false)), "5");
    EXPECT_EQ(stringOf(MustacheKeyAccess::valueForMustacheKey("init", Value("x"), false)), "nil");
    EXPECT_EQ(stringOf(MustacheKeyAccess::valueForMustacheKey("retain", Value("x"), false)), "nil");

    const Value person(std::make_shared<Person>("Ann"));
    EXPECT_EQ(stringOf(MustacheKeyAccess::valueForMustacheKey("name", person, false)), "Ann");
    EXPECT_EQ(stringOf(MustacheKeyAccess::valueForMustacheKey("secret", person, false)), "nil");
    EXPECT_EQ(stringOf(MustacheKeyAccess::valueForMustacheKey("secret", person, true)), "s3cret");
    EXPECT_FALSE(MustacheKeyAccess::isSafeMustacheKey("secret", person));
}

TEST(MustacheContext, UnsafeCopyKeepsTheStacks)
{
    const Value person(std::make_shared<Person>("Ann"));
    const auto context = MustacheContext::contextWithObject(person)->contextByAddingObject(
        Value(Dictionary{{"k", Value("v")}}));
    EXPECT_FALSE(context->valueForMustacheKey("secret"));
    const auto unsafe = context->copyWithUnsafeKeyAccess();
    EXPECT_TRUE(unsafe->unsafeKeyAccess());
    EXPECT_EQ(stringOf(unsafe->valueForMustacheKey("secret")), "s3cret");
    EXPECT_EQ(stringOf(unsafe->valueForMustacheKey("k")), "v");
    EXPECT_EQ(stringOf(MustacheContext::contextWithUnsafeKeyAccess()->contextByAddingObject(person)
                           ->valueForMustacheKey("secret")),
              "s3cret");
}

TEST(MustacheContext, EvaluatesExpressions)
{
    const auto context = MustacheContext::contextWithObject(
        Value(Dictionary{{"user", Value(Dictionary{{"name", Value("Ann")}})}}));
    Value value;
    Error error;
    EXPECT_TRUE(context->hasValue(&value, "user.name", &error));
    EXPECT_EQ(stringOf(value), "Ann");
    EXPECT_FALSE(context->hasValue(&value, "user.", &error));
    EXPECT_EQ(error.message, "Invalid expression");
    EXPECT_FALSE(context->hasValue(&value, "f(user)", &error));
    EXPECT_EQ(error.code, 2);
    EXPECT_EQ(error.message, "Missing filter");
}
