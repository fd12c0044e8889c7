#include "PropertyList.h"

#include "DateObject.h"
#include "Dictionary.h"
#include "FileDescriptor.h"
#include "NumberObject.h"
#include "PropertyListNesting.h"
#include "PropertyListParts.h"
#include "PropertyListXmlReader.h"
#include "PropertyListXmlWriter.h"
#include "StringUtils.h"

#include <plist/plist.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace propertylist {
namespace {

// The key under which keyed archives spell a UID in XML.
constexpr const char* kUidKey = "CF$UID";

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

struct MallocDeleter {
    void operator()(void* p) const { std::free(p); }
};

// libplist 2.2 keeps one 64-bit integer kind and remembers only internally whether a
// value above INT64_MAX was unsigned; its XML writer shows which, so ask it.
bool isUnsignedAboveSignedRange(plist_t node)
{
    PlistPtr copy(plist_copy(node));
    char* xml = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(copy.get(), &xml, &length);
    if (!xml)
        return false;
    const std::string text(xml, length);
    plist_to_xml_free(xml);
    return text.find("<integer>-") == std::string::npos;
}

Value integerFromNode(plist_t node)
{
    std::uint64_t raw = 0;
    plist_get_uint_val(node, &raw);
    if (raw > static_cast<std::uint64_t>(std::numeric_limits<long long>::max()) && isUnsignedAboveSignedRange(node))
        return Value::real(static_cast<double>(raw)); // beyond our integers: keep the magnitude
    return Value::integer(static_cast<long long>(raw));
}

Value valueFromNode(plist_t node)
{
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        std::uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return Value::boolean(b != 0);
    }
    case PLIST_UINT:
        return integerFromNode(node);
    case PLIST_REAL: {
        double d = 0;
        plist_get_real_val(node, &d);
        return Value::real(d);
    }
    case PLIST_STRING:
    case PLIST_KEY: {
        char* s = nullptr;
        plist_get_string_val(node, &s);
        std::unique_ptr<char, MallocDeleter> owned(s);
        // Written back under a UTF-8 header, the text must be UTF-8.
        return Value(strings::validUtf8(s ? s : ""));
    }
    case PLIST_DATA: {
        char* bytes = nullptr;
        std::uint64_t length = 0;
        plist_get_data_val(node, &bytes, &length);
        std::unique_ptr<char, MallocDeleter> owned(bytes);
        const auto* begin = reinterpret_cast<const std::uint8_t*>(bytes);
        return Value::data(bytes ? std::vector<std::uint8_t>(begin, begin + length) : std::vector<std::uint8_t>{});
    }
    case PLIST_DATE: {
        std::int32_t sec = 0;
        std::int32_t usec = 0;
        plist_get_date_val(node, &sec, &usec);
        return Value::date(static_cast<double>(sec) + static_cast<double>(usec) / 1e6);
    }
    case PLIST_ARRAY: {
        // Items by iterator: plist_array_get_item walks from the front every time.
        std::vector<Value> items;
        items.reserve(plist_array_get_size(node));
        plist_array_iter it = nullptr;
        plist_array_new_iter(node, &it);
        std::unique_ptr<void, MallocDeleter> ownedIter(it);
        for (;;) {
            plist_t item = nullptr;
            plist_array_next_item(node, it, &item);
            if (!item)
                break;
            items.push_back(valueFromNode(item));
        }
        return Value(std::move(items));
    }
    case PLIST_DICT: {
        Dictionary entries;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        std::unique_ptr<void, MallocDeleter> ownedIter(it);
        for (;;) {
            char* key = nullptr;
            plist_t item = nullptr;
            plist_dict_next_item(node, it, &key, &item);
            if (!key)
                break;
            std::unique_ptr<char, MallocDeleter> ownedKey(key);
            entries.set(strings::validUtf8(key), valueFromNode(item));
        }
        return Value(std::move(entries));
    }
    case PLIST_UID: {
        std::uint64_t uid = 0;
        plist_get_uid_val(node, &uid);
        return Value(Dictionary{{kUidKey, Value::integer(static_cast<long long>(uid))}});
    }
    default:
        return {};
    }
}

std::optional<plist_t> dateNode(double seconds)
{
    const auto parts = dateParts(seconds);
    if (!parts)
        return std::nullopt;
    return plist_new_date(parts->seconds, parts->microseconds);
}

// libplist takes C strings: text past a NUL would be cut off without a word.
bool holdsNoNul(const std::string& text, Error* error)
{
    if (text.find('\0') == std::string::npos)
        return true;
    setError(error, kNoPropertyListForm, kNulInStringMessage);
    return false;
}

// nullptr, with the Error set, when something inside has no property-list form.
PlistPtr nodeFromValue(const Value& value, Error* error)
{
    switch (value.kind()) {
    case Value::Kind::Number: {
        const NumberObject* n = value.number();
        switch (n->type()) {
        case NumberObject::Type::Boolean:
            return PlistPtr(plist_new_bool(n->boolValue()));
        case NumberObject::Type::Integer:
            return PlistPtr(plist_new_uint(static_cast<std::uint64_t>(n->integerValue())));
        case NumberObject::Type::Double:
            return PlistPtr(plist_new_real(n->doubleValue()));
        }
        break;
    }
    case Value::Kind::String:
        if (!holdsNoNul(*value.string(), error))
            return nullptr;
        return PlistPtr(plist_new_string(value.string()->c_str()));
    case Value::Kind::Data: {
        const auto& bytes = *value.bytes();
        return PlistPtr(plist_new_data(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    case Value::Kind::Date: {
        const double seconds = value.as<DateObject>()->secondsSinceReferenceDate();
        if (auto node = dateNode(seconds))
            return PlistPtr(*node);
        setError(error, kNoPropertyListForm, "The date " + value.description() + " is out of the property-list range.");
        return nullptr;
    }
    case Value::Kind::Array: {
        PlistPtr array(plist_new_array());
        for (const Value& item : *value.array()) {
            PlistPtr child = nodeFromValue(item, error);
            if (!child)
                return nullptr;
            plist_array_append_item(array.get(), child.release());
        }
        return array;
    }
    case Value::Kind::Dictionary: {
        PlistPtr dict(plist_new_dict());
        for (const auto& [key, item] : *value.dictionary()) {
            if (!holdsNoNul(key, error))
                return nullptr;
            PlistPtr child = nodeFromValue(item, error);
            if (!child)
                return nullptr;
            plist_dict_set_item(dict.get(), key.c_str(), child.release());
        }
        return dict;
    }
    case Value::Kind::Nil:
    case Value::Kind::Null:
    case Value::Kind::Object:
        break;
    }
    setError(error, kNoPropertyListForm, noFormMessage(value));
    return nullptr;
}

Value readBytes(const char* bytes, std::size_t length, Error* error)
{
    const std::string_view text(bytes, length);
    if (length > std::numeric_limits<std::uint32_t>::max()) {
        setError(error, kTooLarge, "The property list is too large.");
        return {};
    }
    if (holdsNulInString(text)) {
        setError(error, kNotAPropertyList, kNulReadMessage);
        return {};
    }
    if (!isBinary(text))
        return PropertyListXmlReader::read(text, error);
    if (nesting(text, kMaximumDepth) == Nesting::TooDeep) {
        setError(error, kTooDeep, kTooDeepMessage);
        return {};
    }
    plist_t root = nullptr;
    plist_from_memory(bytes, static_cast<std::uint32_t>(length), &root);
    PlistPtr owned(root);
    Value value = root ? valueFromNode(root) : Value();
    if (value.isNil())
        setError(error, kNotAPropertyList, kNotAPropertyListMessage);
    return value;
}

// The whole of a regular file. Opened without waiting, so that a named pipe put in
// its place never blocks the reader, and read only when it is a regular file: a
// device would never end.
bool readRegularFile(const std::filesystem::path& path, std::string& bytes)
{
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    // One buffer of the file's size: a stream would grow by doubling and copying.
    bytes.resize(static_cast<std::size_t>(status.st_size));
    std::size_t length = 0;
    while (length < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + length, bytes.size() - length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        length += static_cast<std::size_t>(n);
    }
    bytes.resize(length);
    return true;
}

} // namespace

Value read(const std::vector<std::uint8_t>& bytes, Error* error)
{
    return readBytes(reinterpret_cast<const char*>(bytes.data()), bytes.size(), error);
}

Value read(const std::string& bytes, Error* error)
{
    return readBytes(bytes.data(), bytes.size(), error);
}

Value readFile(const std::filesystem::path& path, Error* error)
{
    std::string bytes;
    if (!readRegularFile(path, bytes)) {
        setError(error, kUnreadableFile, "The file " + path.string() + " cannot be read.");
        return {};
    }
    return read(bytes, error);
}

std::string writeXml(const Value& value, Error* error)
{
    return PropertyListXmlWriter::write(value, error);
}

std::vector<std::uint8_t> writeBinary(const Value& value, Error* error)
{
    PlistPtr root = nodeFromValue(value, error);
    if (!root)
        return {};
    char* bin = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(root.get(), &bin, &length);
    const auto* begin = reinterpret_cast<const std::uint8_t*>(bin);
    std::vector<std::uint8_t> bytes(begin, bin ? begin + length : begin);
    plist_to_bin_free(bin);
    return bytes;
}

} // namespace propertylist
