#include "PropertyListXmlWriter.h"

#include "DateObject.h"
#include "Dictionary.h"
#include "NumberObject.h"
#include "PropertyList.h"
#include "PropertyListParts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>

namespace {

constexpr const char* kHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                                "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                                "<plist version=\"1.0\">\n";
constexpr const char* kFooter = "</plist>\n";
constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
// libplist's lines of data: 76 characters less a tab stop per level, indented by at
// most eight levels.
constexpr int kDataLineWidth = 76;
constexpr int kDataTabWidth = 8;
constexpr int kDeepestDataIndent = 8;
// The largest double printed in full needs 24 characters.
constexpr std::size_t kNumberLength = 32;
constexpr int kRealDigits = 17;

void appendBase64(std::string& out, const std::uint8_t* bytes, std::size_t length)
{
    for (std::size_t i = 0; i < length; i += 3) {
        const std::uint32_t chunk = (std::uint32_t{bytes[i]} << 16) | (i + 1 < length ? bytes[i + 1] << 8 : 0)
            | (i + 2 < length ? bytes[i + 2] : 0);
        out += kBase64[(chunk >> 18) & 0x3F];
        out += kBase64[(chunk >> 12) & 0x3F];
        out += i + 1 < length ? kBase64[(chunk >> 6) & 0x3F] : '=';
        out += i + 2 < length ? kBase64[chunk & 0x3F] : '=';
    }
}

} // namespace

std::string PropertyListXmlWriter::write(const Value& value, Error* error)
{
    PropertyListXmlWriter writer(error);
    writer.m_out = kHeader;
    if (!writer.writeValue(value, 0))
        return {};
    writer.m_out += kFooter;
    return std::move(writer.m_out);
}

bool PropertyListXmlWriter::fail(std::string message)
{
    propertylist::setError(m_error, propertylist::kNoPropertyListForm, std::move(message));
    return false;
}

void PropertyListXmlWriter::indent(int depth)
{
    m_out.append(static_cast<std::size_t>(depth), '\t');
}

bool PropertyListXmlWriter::writeText(const char* tag, const std::string& text)
{
    // libplist takes C strings: text past a NUL would be cut off without a word.
    if (text.find('\0') != std::string::npos)
        return fail(propertylist::kNulInStringMessage);
    m_out += '<';
    m_out += tag;
    m_out += '>';
    for (const char c : text) {
        switch (c) {
        case '&':
            m_out += "&amp;";
            break;
        case '<':
            m_out += "&lt;";
            break;
        case '>':
            m_out += "&gt;";
            break;
        default:
            m_out += c;
        }
    }
    m_out += "</";
    m_out += tag;
    m_out += ">\n";
    return true;
}

bool PropertyListXmlWriter::writeNumber(const Value& value)
{
    const NumberObject* number = value.number();
    char text[kNumberLength];
    switch (number->type()) {
    case NumberObject::Type::Boolean:
        m_out += number->boolValue() ? "<true/>\n" : "<false/>\n";
        return true;
    case NumberObject::Type::Integer: {
        const auto end = std::to_chars(text, text + kNumberLength, number->integerValue()).ptr;
        m_out.append("<integer>").append(text, end).append("</integer>\n");
        return true;
    }
    case NumberObject::Type::Double:
        break;
    }
    const double real = number->doubleValue();
    m_out += "<real>";
    if (std::isnan(real))
        m_out += "nan";
    else if (std::isinf(real))
        m_out += real > 0 ? "+infinity" : "-infinity";
    else if (real == 0)
        m_out += "0.0";
    else
        m_out.append(text, std::to_chars(text, text + kNumberLength, real, std::chars_format::general, kRealDigits).ptr);
    m_out += "</real>\n";
    return true;
}

void PropertyListXmlWriter::writeData(const std::vector<std::uint8_t>& bytes, int depth)
{
    m_out += "<data>\n";
    const int lineIndent = std::min(depth, kDeepestDataIndent);
    const auto perLine = static_cast<std::size_t>((kDataLineWidth - kDataTabWidth * lineIndent) / 4 * 3);
    for (std::size_t at = 0; at < bytes.size(); at += perLine) {
        indent(lineIndent);
        appendBase64(m_out, bytes.data() + at, std::min(perLine, bytes.size() - at));
        m_out += '\n';
    }
    indent(depth);
    m_out += "</data>\n";
}

bool PropertyListXmlWriter::writeValue(const Value& value, int depth)
{
    indent(depth);
    switch (value.kind()) {
    case Value::Kind::Number:
        return writeNumber(value);
    case Value::Kind::String:
        return writeText("string", *value.string());
    case Value::Kind::Data:
        writeData(*value.bytes(), depth);
        return true;
    case Value::Kind::Date: {
        const double seconds = value.as<DateObject>()->secondsSinceReferenceDate();
        const auto parts = propertylist::dateParts(seconds);
        if (!parts)
            return fail("The date " + value.description() + " is out of the property-list range.");
        const std::time_t time = static_cast<std::time_t>(parts->seconds) + propertylist::kReferenceDateOffset;
        std::tm utc{};
        gmtime_r(&time, &utc);
        char text[kNumberLength];
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
        m_out.append("<date>").append(text).append("</date>\n");
        return true;
    }
    case Value::Kind::Array: {
        const std::vector<Value>& items = *value.array();
        if (items.empty()) {
            m_out += "<array/>\n";
            return true;
        }
        m_out += "<array>\n";
        for (const Value& item : items) {
            if (!writeValue(item, depth + 1))
                return false;
        }
        indent(depth);
        m_out += "</array>\n";
        return true;
    }
    case Value::Kind::Dictionary: {
        const Dictionary& entries = *value.dictionary();
        if (entries.empty()) {
            m_out += "<dict/>\n";
            return true;
        }
        m_out += "<dict>\n";
        for (const auto& [key, item] : entries) {
            indent(depth + 1);
            if (!writeText("key", key) || !writeValue(item, depth + 1))
                return false;
        }
        indent(depth);
        m_out += "</dict>\n";
        return true;
    }
    case Value::Kind::Nil:
    case Value::Kind::Null:
    case Value::Kind::Object:
        break;
    }
    return fail(propertylist::noFormMessage(value));
}
