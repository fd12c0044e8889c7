#include "foundation/DateObject.h"
#include "foundation/Dictionary.h"
#include "foundation/NumberObject.h"
#include "foundation/PropertyList.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <limits>

namespace {

enum class Format { Xml, Binary };

Value roundTrip(const Value& value, Format format)
{
    Error error;
    Value back;
    if (format == Format::Xml) {
        const std::string xml = propertylist::writeXml(value, &error);
        EXPECT_FALSE(xml.empty()) << error.message;
        back = propertylist::read(xml, &error);
    } else {
        const auto bytes = propertylist::writeBinary(value, &error);
        EXPECT_FALSE(bytes.empty()) << error.message;
        back = propertylist::read(bytes, &error);
    }
    EXPECT_FALSE(back.isNil()) << error.message;
    return back;
}

NumberObject::Type numberType(const Value& v)
{
    EXPECT_TRUE(v.isNumber()) << v.description();
    return v.number() ? v.number()->type() : NumberObject::Type::Integer;
}

class PropertyListRoundTrip : public ::testing::TestWithParam<Format> {};

TEST_P(PropertyListRoundTrip, NumbersKeepTheirKindAndValue)
{
    const std::vector<Value> integers{Value::integer(0), Value::integer(1), Value::integer(-1), Value::integer(-42),
        Value::integer(3000000000LL), Value::integer(std::numeric_limits<long long>::max()),
        Value::integer(std::numeric_limits<long long>::min())};
    for (const Value& n : integers) {
        const Value back = roundTrip(n, GetParam());
        EXPECT_EQ(numberType(back), NumberObject::Type::Integer) << n.description();
        EXPECT_EQ(back.integerValue(), n.integerValue());
    }
    for (double d : {0.1, -2.5, 3.0, 1e300, -1e-300}) {
        const Value back = roundTrip(Value::real(d), GetParam());
        EXPECT_EQ(numberType(back), NumberObject::Type::Double) << d;
        EXPECT_EQ(back.doubleValue(), d);
    }
    for (bool b : {true, false}) {
        const Value back = roundTrip(Value::boolean(b), GetParam());
        EXPECT_EQ(numberType(back), NumberObject::Type::Boolean);
        EXPECT_EQ(back.boolValue(), b);
    }
}

TEST_P(PropertyListRoundTrip, StringsKeepEveryCharacter)
{
    for (const char* text : {"", "plain", "<tag> & \"quotes\" 'apos'", "Grüße, ÿ, Ελληνικά, 日本語",
             "\xF0\x9F\x98\x80 and \xF0\x9D\x84\x9E beyond the BMP", "  leading and trailing  ", "line\nbreak\ttab"}) {
        const Value back = roundTrip(Value(text), GetParam());
        ASSERT_TRUE(back.isString());
        EXPECT_EQ(*back.string(), text);
    }
}

TEST_P(PropertyListRoundTrip, DataAndDates)
{
    std::vector<std::uint8_t> all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<std::uint8_t>(i));
    for (const auto& bytes : {std::vector<std::uint8_t>{}, all}) {
        const Value back = roundTrip(Value::data(bytes), GetParam());
        ASSERT_TRUE(back.isData());
        EXPECT_EQ(*back.bytes(), bytes);
    }
    for (double seconds : {0.0, 60.0, -86400.0, 700000000.0}) {
        const Value back = roundTrip(Value::date(seconds), GetParam());
        ASSERT_TRUE(back.isDate());
        EXPECT_DOUBLE_EQ(back.as<DateObject>()->secondsSinceReferenceDate(), seconds);
    }
}

TEST_P(PropertyListRoundTrip, DictionariesKeepTheirKeyOrder)
{
    const Dictionary inner{{"z", Value::integer(1)}, {"a", Value::integer(2)}, {"m", Value::integer(3)}};
    const Dictionary outer{{"zeta", Value(inner)}, {"alpha", Value("x")}, {"Mid", Value::boolean(true)},
        {"ünïcode", Value::real(1.5)}, {"", Value("empty key")}};
    const Value back = roundTrip(Value(outer), GetParam());
    ASSERT_TRUE(back.isDictionary());
    EXPECT_EQ(back.dictionary()->keys(), outer.keys());
    EXPECT_EQ(back.dictionary()->get("zeta").dictionary()->keys(), inner.keys());
    EXPECT_EQ(back, Value(outer));
}

TEST_P(PropertyListRoundTrip, EmptyContainersAndDeepNesting)
{
    const Value empties(std::vector<Value>{Value(std::vector<Value>{}), Value(Dictionary{}),
        Value(Dictionary{{"a", Value(std::vector<Value>{})}})});
    EXPECT_EQ(roundTrip(empties, GetParam()), empties);

    Value nested("bottom");
    for (int depth = 0; depth < 300; ++depth)
        nested = depth % 2 ? Value(std::vector<Value>{nested}) : Value(Dictionary{{"level", nested}});
    const Value back = roundTrip(nested, GetParam());
    EXPECT_EQ(back, nested);
    Value walk = back;
    for (int depth = 299; depth >= 0; --depth)
        walk = depth % 2 ? walk.array()->front() : walk.dictionary()->get("level");
    EXPECT_EQ(walk, Value("bottom"));
}

INSTANTIATE_TEST_SUITE_P(Formats, PropertyListRoundTrip, ::testing::Values(Format::Xml, Format::Binary));

TEST(PropertyListRead, HandWrittenXml)
{
    const std::string xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0">
<dict>
  <key>negative</key><integer>-7</integer>
  <key>huge</key><integer>18446744073709551615</integer>
  <key>when</key><date>2001-01-01T00:01:00Z</date>
  <key>text</key><string>caf&#233; &amp; 🎨</string>
  <key>flag</key><false/>
  <key>bytes</key><data>AAEC/w==</data>
</dict>
</plist>)";
    Error error;
    const Value v = propertylist::read(xml, &error);
    ASSERT_TRUE(v.isDictionary()) << error.message;
    const Dictionary& d = *v.dictionary();
    EXPECT_EQ(d.keys(), (std::vector<std::string>{"negative", "huge", "when", "text", "flag", "bytes"}));
    EXPECT_EQ(d.get("negative").integerValue(), -7);
    // Unsigned values past the signed range keep their magnitude.
    EXPECT_EQ(numberType(d.get("huge")), NumberObject::Type::Double);
    EXPECT_DOUBLE_EQ(d.get("huge").doubleValue(), 18446744073709551615.0);
    EXPECT_DOUBLE_EQ(d.get("when").as<DateObject>()->secondsSinceReferenceDate(), 60.0);
    EXPECT_EQ(*d.get("text").string(), "café & 🎨");
    EXPECT_EQ(numberType(d.get("flag")), NumberObject::Type::Boolean);
    EXPECT_EQ(*d.get("bytes").bytes(), (std::vector<std::uint8_t>{0, 1, 2, 255}));
}

TEST(PropertyListRead, BinaryKeepsFractionalDates)
{
    const Value back = roundTrip(Value::date(12.25), Format::Binary);
    EXPECT_DOUBLE_EQ(back.as<DateObject>()->secondsSinceReferenceDate(), 12.25);
}

TEST(PropertyListRead, GarbageIsAnError)
{
    for (const std::string& bytes : {std::string(), std::string("not a plist"),
             std::string("<?xml version=\"1.0\"?><plist><dict><key>a</key>"), std::string("bplist00\x01\x02", 10)}) {
        Error error;
        EXPECT_TRUE(propertylist::read(bytes, &error).isNil());
        EXPECT_EQ(error.domain, propertylist::kErrorDomain);
        EXPECT_FALSE(error.message.empty());
    }
}

TEST(PropertyListRead, AbsurdNestingIsAnErrorNotACrash)
{
    std::string xml = "<?xml version=\"1.0\"?><plist>";
    for (int i = 0; i < 100000; ++i)
        xml += "<array>";
    Error error;
    EXPECT_TRUE(propertylist::read(xml, &error).isNil());
    EXPECT_EQ(error.message, "The property list is nested too deeply.");

    std::string shallow = "<?xml version=\"1.0\"?><plist>";
    for (int i = 0; i < 100; ++i)
        shallow += "<array>";
    for (int i = 0; i < 100; ++i)
        shallow += "</array>";
    EXPECT_TRUE(propertylist::read(shallow + "</plist>").isArray());
}

std::string xmlOf(const std::string& body)
{
    return "<?xml version=\"1.0\"?><plist>" + body + "</plist>";
}

std::string repeated(const std::string& piece, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += piece;
    return result;
}

TEST(PropertyListRead, NestingIsJudgedAsLibplistReadsTheTags)
{
    // Tags with blanks, line breaks or attributes open containers too.
    for (const char* open : {"<array >", "<dict\n>", "<array\tx=\"1\">"}) {
        Error error;
        EXPECT_TRUE(propertylist::read(xmlOf(repeated(open, 100000)), &error).isNil()) << open;
        EXPECT_EQ(error.message, "The property list is nested too deeply.") << open;
    }
    // Closing tags inside comments, sections and instructions close nothing.
    for (const char* hidden : {"<!-- </array> -->", "<![CDATA[</array>]]>", "<?x </array> ?>"}) {
        Error error;
        EXPECT_TRUE(propertylist::read(xmlOf(repeated(std::string("<array>") + hidden, 100000)), &error).isNil()) << hidden;
        EXPECT_EQ(error.message, "The property list is nested too deeply.") << hidden;
    }
    Error error;
    EXPECT_TRUE(propertylist::read(xmlOf("<array><!DOCTYPE x [ </array> ]></array>"), &error).isNil());
    EXPECT_EQ(error.message, "The data is not a property list.");

    // Empty containers, however many, add no depth; 512 levels are still read.
    const Value siblings = propertylist::read(xmlOf("<array>" + repeated("<array/><dict />", 1000) + "</array>"));
    ASSERT_TRUE(siblings.isArray());
    EXPECT_EQ(siblings.array()->size(), 2000u);
    EXPECT_TRUE(propertylist::read(xmlOf(repeated("<array>", 512) + repeated("</array>", 512))).isArray());
    EXPECT_TRUE(propertylist::read(xmlOf(repeated("<array>", 513) + repeated("</array>", 513))).isNil());
}

TEST(PropertyListRead, QuotedAttributesHideNoTags)
{
    // libplist reads a quoted "/>" as part of the value: each of these opens a level.
    Error error;
    EXPECT_TRUE(propertylist::read(xmlOf(repeated("<array a=\"/>\">", 50000)), &error).isNil());
    EXPECT_EQ(error.message, "The property list is nested too deeply.");
    // Nor does a close tag quoted inside another tag close anything.
    error = {};
    EXPECT_TRUE(propertylist::read(xmlOf(repeated("<array><true a=\"</array>\"/>", 50000)), &error).isNil());
    EXPECT_EQ(error.message, "The property list is nested too deeply.");

    const Value quoted = propertylist::read(xmlOf("<array a=\"/>\"><string>x</string></array>"));
    EXPECT_EQ(quoted, Value(std::vector<Value>{Value("x")}));
}

void bigEndian(std::string& out, std::uint64_t value, int size)
{
    for (int shift = (size - 1) * 8; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

// A binary list of `levels` arrays, each holding the next, around one string; four-byte
// offsets and references, as a hostile file would have them.
std::string nestedBinary(std::uint32_t levels)
{
    std::string bytes = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (std::uint32_t i = 0; i < levels; ++i) {
        offsets.push_back(bytes.size());
        bytes += '\xA1';
        bigEndian(bytes, i + 1, 4);
    }
    offsets.push_back(bytes.size());
    bytes += "\x51x";
    const std::uint64_t table = bytes.size();
    for (const std::uint64_t offset : offsets)
        bigEndian(bytes, offset, 4);
    bytes += std::string(6, '\0') + "\x04\x04";
    bigEndian(bytes, offsets.size(), 8);
    bigEndian(bytes, 0, 8);
    bigEndian(bytes, table, 8);
    return bytes;
}

TEST(PropertyListRead, DeepBinaryIsAnErrorNotACrash)
{
    Error error;
    EXPECT_TRUE(propertylist::read(nestedBinary(200000), &error).isNil());
    EXPECT_EQ(error.message, "The property list is nested too deeply.");

    Value walk = propertylist::read(nestedBinary(512), &error);
    for (int level = 0; level < 512 && walk.isArray(); ++level)
        walk = walk.array()->front();
    EXPECT_EQ(walk, Value("x")) << error.message;
    EXPECT_TRUE(propertylist::read(nestedBinary(513)).isNil());

    // Our own writer's output is judged the same way.
    Value nested("bottom");
    for (int depth = 0; depth < 600; ++depth)
        nested = Value(std::vector<Value>{nested});
    EXPECT_TRUE(propertylist::read(propertylist::writeBinary(nested), &error).isNil());
    EXPECT_EQ(error.code, 5);
}

// bplist00 with one dictionary { key: value }, each string as UTF-16.
std::string binaryDictionary(const std::u16string& key, const std::u16string& value)
{
    std::string bytes = "bplist00\xD1\x01\x02";
    std::string offsets = "\x08";
    for (const std::u16string& text : {key, value}) {
        offsets += static_cast<char>(bytes.size());
        bytes += static_cast<char>(0x60 | text.size());
        for (const char16_t unit : text)
            bytes += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
    }
    const auto table = static_cast<char>(bytes.size());
    bytes += offsets + std::string(6, '\0') + "\x01\x01" + std::string(7, '\0') + "\x03" + std::string(15, '\0') + table;
    return bytes;
}

TEST(PropertyListRead, NulInsideAStringIsAnErrorNotACrash)
{
    EXPECT_EQ(propertylist::read(binaryDictionary(u"k\u00e9", u"ok")), Value(Dictionary{{"k\u00e9", Value("ok")}}));
    std::string xmlWithNul = "<?xml version=\"1.0\"?><plist><dict><key>k</key><string>a";
    xmlWithNul += '\0';
    xmlWithNul += "b</string></dict></plist>";
    for (const std::string& bytes :
        {binaryDictionary(u"k", std::u16string(u"\u00e9\0b", 3)), binaryDictionary(std::u16string(u"k\u00e9\0x", 4), u"ok"),
            xmlWithNul}) {
        Error error;
        EXPECT_TRUE(propertylist::read(bytes, &error).isNil());
        EXPECT_EQ(error.message, "The property list holds a string with a NUL character.");
    }
}

TEST(PropertyListRead, TextThatIsNotUtf8IsRepaired)
{
    const Value read = propertylist::read(xmlOf("<dict><key>k\xFF</key><string>caf\xE9 &#xD800; ok</string></dict>"));
    const Value repaired(Dictionary{{"k\uFFFD", Value("caf\uFFFD \uFFFD ok")}});
    EXPECT_EQ(read, repaired);
    // What is written back under the UTF-8 header reads back the same.
    EXPECT_EQ(propertylist::read(propertylist::writeXml(read)), repaired);
}

// A binary array of `count` entries, all "x" but the last, "last".
std::string longBinaryArray(std::uint32_t count)
{
    std::string bytes = "bplist00\xAF\x12";
    bigEndian(bytes, count, 4);
    for (std::uint32_t i = 1; i < count; ++i)
        bigEndian(bytes, 1, 4);
    bigEndian(bytes, 2, 4);
    const std::uint64_t strings = bytes.size();
    bytes += "\x51x\x54last";
    const std::uint64_t table = bytes.size();
    for (const std::uint64_t offset : {std::uint64_t{8}, strings, strings + 2})
        bigEndian(bytes, offset, 4);
    bytes += std::string(6, '\0') + "\x04\x04";
    bigEndian(bytes, 3, 8);
    bigEndian(bytes, 0, 8);
    bigEndian(bytes, table, 8);
    return bytes;
}

TEST(PropertyListRead, LongArraysReadInLinearTime)
{
    const std::string bytes = longBinaryArray(100000);
    const auto start = std::chrono::steady_clock::now();
    const Value back = propertylist::read(bytes);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(back.isArray());
    EXPECT_EQ(back.array()->size(), 100000u);
    EXPECT_EQ(back.array()->front(), Value("x"));
    EXPECT_EQ(back.array()->back(), Value("last"));
    EXPECT_LT(elapsed, std::chrono::seconds(5));
}

TEST(PropertyListRead, Files)
{
    const TemporaryFolder folder;
    const auto file = folder / "a.plist";
    const Value value(Dictionary{{"k", Value(std::vector<Value>{Value::integer(1), Value("two")})}});
    std::ofstream(file) << propertylist::writeXml(value);
    EXPECT_EQ(propertylist::readFile(file), value);

    Error error;
    EXPECT_TRUE(propertylist::readFile(folder / "missing.plist", &error).isNil());
    EXPECT_EQ(error.domain, propertylist::kErrorDomain);
    error = {};
    EXPECT_TRUE(propertylist::readFile(folder.path(), &error).isNil());
    EXPECT_FALSE(error.message.empty());
}

class OpaqueObject final : public Object {};

TEST(PropertyListWrite, ValuesWithoutAFormAreErrors)
{
    const std::vector<Value> unwritable{Value(), Value::null(), Value(std::make_shared<OpaqueObject>()),
        Value(std::vector<Value>{Value::integer(1), Value::null()}),
        Value(Dictionary{{"deep", Value(Dictionary{{"x", Value(std::make_shared<OpaqueObject>())}})}}),
        Value::date(1e12), Value(std::string("cut\0off", 7)),
        Value(Dictionary{{std::string("key\0tail", 8), Value::integer(1)}})};
    for (const Value& v : unwritable) {
        Error error;
        EXPECT_TRUE(propertylist::writeXml(v, &error).empty()) << v.description();
        EXPECT_EQ(error.domain, propertylist::kErrorDomain);
        error = {};
        EXPECT_TRUE(propertylist::writeBinary(v, &error).empty());
        EXPECT_FALSE(error.message.empty());
    }
}

TEST(PropertyListWrite, XmlIsAPlistDocument)
{
    const std::string xml = propertylist::writeXml(Value(Dictionary{{"a", Value::integer(-5)}}));
    EXPECT_NE(xml.find("<?xml"), std::string::npos);
    EXPECT_NE(xml.find("<key>a</key>"), std::string::npos);
    EXPECT_NE(xml.find("<integer>-5</integer>"), std::string::npos);
}

} // namespace
