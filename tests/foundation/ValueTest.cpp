#include "foundation/ArrayObject.h"
#include "foundation/Dictionary.h"
#include "foundation/Exception.h"
#include "foundation/NumberObject.h"
#include "foundation/Value.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

class Point final : public Object {
public:
    std::string className() const override { return "Point"; }
    Value valueForKey(const std::string& key) const override
    {
        if (key == "x")
            return Value::integer(3);
        if (key == "secret")
            return Value("hidden");
        return Object::valueForKey(key);
    }
    bool isSafeKey(const std::string& key) const override { return key == "x"; }
};

TEST(ValueKinds, EachConstructorMakesItsKind)
{
    EXPECT_EQ(Value().kind(), Value::Kind::Nil);
    EXPECT_EQ(Value::null().kind(), Value::Kind::Null);
    EXPECT_EQ(Value::integer(1).kind(), Value::Kind::Number);
    EXPECT_EQ(Value("a").kind(), Value::Kind::String);
    EXPECT_EQ(Value::data({1, 2}).kind(), Value::Kind::Data);
    EXPECT_EQ(Value::date(0).kind(), Value::Kind::Date);
    EXPECT_EQ(Value(std::vector<Value>{}).kind(), Value::Kind::Array);
    EXPECT_EQ(Value(Dictionary{}).kind(), Value::Kind::Dictionary);
    EXPECT_EQ(Value(std::make_shared<Point>()).kind(), Value::Kind::Object);
}

TEST(ValueKinds, NumbersRememberWhatTheyWereMadeFrom)
{
    EXPECT_EQ(Value::integer(2).number()->type(), NumberObject::Type::Integer);
    EXPECT_EQ(Value::real(2).number()->type(), NumberObject::Type::Double);
    EXPECT_EQ(Value::boolean(true).number()->type(), NumberObject::Type::Boolean);
}

TEST(ValueIdentity, EqualIsNotIdentical)
{
    const Value a("same");
    const Value b("same");
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a.isIdenticalTo(b));
    EXPECT_TRUE(a.isIdenticalTo(a));
    EXPECT_TRUE(Value::null().isIdenticalTo(Value::null()));
}

TEST(ValueIdentity, NumbersCompareByValueAcrossTypes)
{
    EXPECT_EQ(Value::integer(1), Value::real(1.0));
    EXPECT_EQ(Value::integer(1), Value::boolean(true));
    EXPECT_FALSE(Value::integer(1) == Value::real(1.5));
    EXPECT_FALSE(Value::integer(1) == Value("1"));
    // Past 2^53 a double cannot tell neighbouring integers apart; the comparison must.
    EXPECT_FALSE(Value::integer(9007199254740993LL) == Value::real(9007199254740992.0));
    EXPECT_FALSE(Value::real(9007199254740992.0) == Value::integer(9007199254740993LL));
    EXPECT_EQ(Value::integer(9007199254740992LL), Value::real(9007199254740992.0));
    EXPECT_FALSE(Value::integer(LLONG_MAX) == Value::real(9223372036854775808.0));
    EXPECT_EQ(Value::integer(-3), Value::real(-3.0));
}

TEST(ValueIdentity, NilEqualsOnlyNil)
{
    EXPECT_EQ(Value(), Value());
    EXPECT_FALSE(Value() == Value::null());
    EXPECT_FALSE(Value::null() == Value());
}

TEST(ValueIdentity, ContainersCompareByContent)
{
    const Value a(std::vector<Value>{Value::integer(1), Value("x")});
    const Value b(std::vector<Value>{Value::real(1), Value("x")});
    EXPECT_EQ(a, b);
    const Value d1(Dictionary{{"a", Value::integer(1)}, {"b", Value("x")}});
    const Value d2(Dictionary{{"b", Value("x")}, {"a", Value::integer(1)}});
    EXPECT_EQ(d1, d2);
    EXPECT_FALSE(d1 == Value(Dictionary{{"a", Value::integer(1)}}));
}

TEST(ValueDescription, NumbersPrintLikeTheOriginal)
{
    EXPECT_EQ(Value::integer(42).description(), "42");
    EXPECT_EQ(Value::integer(-7).description(), "-7");
    EXPECT_EQ(Value::boolean(true).description(), "1");
    EXPECT_EQ(Value::boolean(false).description(), "0");
    EXPECT_EQ(Value::real(1.21).description(), "1.21");
    EXPECT_EQ(Value::real(0.5).description(), "0.5");
    EXPECT_EQ(Value::real(2.0).description(), "2");
    EXPECT_EQ(Value::real(0.1 + 0.2).description(), "0.30000000000000004");
    EXPECT_EQ(Value::real(1e20).description(), "1e+20");
}

TEST(ValueDescription, DoublesPrintTheShortestPrintfFormThatReadsBack)
{
    const auto expected = [](double d) {
        char text[64];
        for (int precision = 1; precision <= 17; ++precision) {
            std::snprintf(text, sizeof text, "%.*g", precision, d);
            if (std::strtod(text, nullptr) == d)
                break;
        }
        return std::string(text);
    };
    std::vector<double> values = {0.0, -0.0, 1e-5, 1e-4, 123456.0, 1234567.0, 1e16, 1e23, 5e-324, 2.2250738585072014e-308,
                                  1.7976931348623157e308, 9007199254740993.0, 0.1, 1.0 / 3, -2.5e-300, 100.0};
    std::mt19937_64 random(22);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = random();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        if (std::isfinite(d))
            values.push_back(d);
        values.push_back(static_cast<double>(bits % 1000000) / 1000.0);
    }
    for (const double d : values)
        ASSERT_EQ(Value::real(d).description(), expected(d)) << d;
    EXPECT_EQ(Value::real(std::nan("")).description(), "nan");
    EXPECT_EQ(Value::real(-HUGE_VAL).description(), "-inf");
}

TEST(ValueDescription, NilNullAndScalars)
{
    EXPECT_EQ(Value().description(), "(null)");
    EXPECT_EQ(Value::null().description(), "<null>");
    EXPECT_EQ(Value("text").description(), "text");
    EXPECT_EQ(Value::data({0x0a, 0x0b, 0x0c, 0x0d, 0x0e}).description(), "<0a0b0c0d 0e>");
    EXPECT_EQ(Value::date(0).description(), "2001-01-01 00:00:00 +0000");
    EXPECT_EQ(Value::date(-86400.5).description(), "2000-12-30 23:59:59 +0000");
    EXPECT_EQ(Value::date(1e300).description(), "1e+300 seconds after 2001-01-01 00:00:00 +0000");
    EXPECT_EQ(Value::date(-1e18).description(), "-1e+18 seconds after 2001-01-01 00:00:00 +0000");
    EXPECT_EQ(Value::date(std::nan("")).description(), "nan seconds after 2001-01-01 00:00:00 +0000");
}

TEST(ValueDescription, CollectionsUseOneStableForm)
{
    const Value array(std::vector<Value>{Value::integer(1), Value("two words")});
    EXPECT_EQ(array.description(), "(\n    1,\n    \"two words\"\n)");
    EXPECT_EQ(Value(std::vector<Value>{}).description(), "(\n)");
    const Value nested(Dictionary{{"b", Value::integer(1)}, {"a key", Value(Dictionary{{"c", Value("x")}})}});
    EXPECT_EQ(nested.description(), "{\n    b = 1;\n    \"a key\" = {\n        c = x;\n    };\n}");
}

TEST(ValueCoercion, NumberCoercions)
{
    EXPECT_TRUE(Value::real(0.1).boolValue());
    EXPECT_FALSE(Value::integer(0).boolValue());
    EXPECT_EQ(Value::real(3.9).intValue(), 3);
    EXPECT_EQ(Value::real(-3.9).integerValue(), -3);
    EXPECT_DOUBLE_EQ(Value::integer(5).doubleValue(), 5.0);
}

TEST(ValueCoercion, StringBoolValueReadsTheLeadingCharacter)
{
    for (const char* yes : {"YES", "yes", "true", "T", "1", "  9", "+1", "-0001", "007", "y anything"})
        EXPECT_TRUE(Value(yes).boolValue()) << yes;
    for (const char* no : {"", "NO", "false", "0", "000", "  ", "-", "x1", "on"})
        EXPECT_FALSE(Value(no).boolValue()) << no;
}

TEST(ValueCoercion, StringIntValueReadsBlanksSignDigits)
{
    EXPECT_EQ(Value("42").intValue(), 42);
    EXPECT_EQ(Value("  -17abc").intValue(), -17);
    EXPECT_EQ(Value("+8").intValue(), 8);
    EXPECT_EQ(Value("abc").intValue(), 0);
    EXPECT_EQ(Value("12.9").intValue(), 12);
    EXPECT_EQ(Value("99999999999").intValue(), INT_MAX);
    EXPECT_EQ(Value("-99999999999").intValue(), INT_MIN);
    EXPECT_EQ(Value("99999999999").integerValue(), 99999999999LL);
    EXPECT_EQ(Value("-9223372036854775808").integerValue(), LLONG_MIN);
    EXPECT_EQ(Value("99999999999999999999").integerValue(), LLONG_MAX);
}

TEST(ValueCoercion, StringDoubleValueReadsADecimalPrefix)
{
    EXPECT_DOUBLE_EQ(Value("1.5").doubleValue(), 1.5);
    EXPECT_DOUBLE_EQ(Value("  -.25x").doubleValue(), -0.25);
    EXPECT_DOUBLE_EQ(Value("2e3").doubleValue(), 2000.0);
    EXPECT_DOUBLE_EQ(Value("abc").doubleValue(), 0.0);
    EXPECT_DOUBLE_EQ(Value("0x10").doubleValue(), 0.0);
    EXPECT_DOUBLE_EQ(Value("inf").doubleValue(), 0.0);
    EXPECT_TRUE(std::isinf(Value("1e999").doubleValue()));
    EXPECT_DOUBLE_EQ(Value("1e-999").doubleValue(), 0.0);
}

TEST(ValueCoercion, NilAnswersZero)
{
    EXPECT_FALSE(Value().boolValue());
    EXPECT_EQ(Value().intValue(), 0);
    EXPECT_DOUBLE_EQ(Value().doubleValue(), 0.0);
}

TEST(ValueCoercion, KindsWithoutCoercionsRaise)
{
    const std::vector<Value> values = {Value::null(), Value(std::vector<Value>{}), Value(Dictionary{}),
                                       Value::data({}), Value::date(0), Value(std::make_shared<Point>())};
    for (const Value& v : values) {
        try {
            (void)v.boolValue();
            ADD_FAILURE() << v.description() << " did not raise";
        } catch (const Exception& e) {
            EXPECT_EQ(e.name(), "NSInvalidArgumentException");
            EXPECT_NE(e.reason().find("boolValue]: unrecognized selector"), std::string::npos) << e.reason();
        }
        EXPECT_THROW((void)v.intValue(), Exception);
        EXPECT_THROW((void)v.doubleValue(), Exception);
    }
}

TEST(ValueKeys, ArraysAnswerTheirOwnKeysNotTheirItems)
{
    const Value item(Dictionary{{"name", Value("a")}});
    const Value array(std::vector<Value>{item, Value("b")});
    EXPECT_EQ(array.valueForKey("count"), Value::integer(2));
    EXPECT_TRUE(array.valueForKey("firstObject").isIdenticalTo(item));
    EXPECT_EQ(array.valueForKey("lastObject"), Value("b"));
    EXPECT_TRUE(array.valueForKey("name").isNil());
    EXPECT_TRUE(Value(std::vector<Value>{}).valueForKey("firstObject").isNil());
}

TEST(ValueKeys, StringsAnswerUtf16LengthAndAccessors)
{
    EXPECT_EQ(Value("h\u00e9\U0001F600").valueForKey("length"), Value::integer(4));
    EXPECT_EQ(Value("abc").valueForKey("uppercaseString"), Value("ABC"));
    EXPECT_EQ(Value("12").valueForKey("intValue"), Value::integer(12));
    EXPECT_TRUE(Value("abc").valueForKey("init").isNil());
    EXPECT_TRUE(Value("abc").valueForKey("retain").isNil());
}

TEST(ValueKeys, NumbersAnswerTheirAccessors)
{
    EXPECT_EQ(Value::real(2.5).valueForKey("intValue"), Value::integer(2));
    EXPECT_EQ(Value::integer(7).valueForKey("stringValue"), Value("7"));
    EXPECT_TRUE(Value::integer(7).valueForKey("length").isNil());
}

TEST(ValueKeys, DictionariesAnswerAnyKey)
{
    const Value d(Dictionary{{"count", Value("mine")}});
    EXPECT_EQ(d.valueForKey("count"), Value("mine"));
    EXPECT_TRUE(d.valueForKey("missing").isNil());
}

TEST(ValueKeys, UnsafeKeysNeedUnsafeAccess)
{
    const Value p(std::make_shared<Point>());
    EXPECT_EQ(p.valueForKey("x"), Value::integer(3));
    EXPECT_TRUE(p.valueForKey("secret").isNil());
    EXPECT_EQ(p.valueForKey("secret", true), Value("hidden"));
    EXPECT_TRUE(p.valueForKey("nothing", true).isNil());
}

TEST(DictionaryOrder, KeepsInsertionOrderThroughReplaceAndRemove)
{
    Dictionary d{{"z", Value::integer(1)}, {"a", Value::integer(2)}, {"m", Value::integer(3)}};
    d.set("a", Value::integer(20));
    EXPECT_EQ(d.keys(), (std::vector<std::string>{"z", "a", "m"}));
    EXPECT_TRUE(d.remove("z"));
    EXPECT_FALSE(d.remove("z"));
    d.set("b", Value::integer(4));
    EXPECT_EQ(d.keys(), (std::vector<std::string>{"a", "m", "b"}));
    EXPECT_EQ(d.get("m"), Value::integer(3));
    d.setOrRemove("m", Value());
    EXPECT_FALSE(d.contains("m"));
    EXPECT_EQ(d.get("b"), Value::integer(4));
}

TEST(DictionaryOrder, LargeDictionariesKeepEveryKeyThroughRemovals)
{
    Dictionary d;
    std::vector<std::string> keys;
    for (int i = 0; i < 20; ++i) {
        keys.push_back("k" + std::to_string(i));
        d.set(keys.back(), Value::integer(i));
    }
    EXPECT_TRUE(d.remove("k3"));
    EXPECT_TRUE(d.remove("k15"));
    keys.erase(keys.begin() + 15);
    keys.erase(keys.begin() + 3);
    EXPECT_EQ(d.keys(), keys);
    EXPECT_FALSE(d.contains("k3"));
    EXPECT_EQ(d.get("k19"), Value::integer(19));
    d.set("k4", Value::integer(40));
    EXPECT_EQ(d.get("k4"), Value::integer(40));
    while (d.size() > 4)
        d.remove(d.keys().front());
    EXPECT_EQ(d.keys(), (std::vector<std::string>{"k16", "k17", "k18", "k19"}));
    EXPECT_EQ(d.get("k17"), Value::integer(17));
    EXPECT_EQ(d, (Dictionary{{"k19", Value::integer(19)}, {"k18", Value::integer(18)}, {"k17", Value::integer(17)},
                             {"k16", Value::integer(16)}}));
}

TEST(ValueKeys, SelfAnswersTheSharedObjectOrNil)
{
    const Value shared(std::make_shared<Point>());
    EXPECT_TRUE(shared.valueForKey("self", true).isIdenticalTo(shared));
    const Point loose;
    EXPECT_TRUE(loose.valueForKey("self").isNil());
    const ArrayObject array({Value::integer(1)});
    EXPECT_EQ(array.description(), "(\n    1\n)");
}

} // namespace
