#include "PropertyListNesting.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace propertylist {
namespace {

constexpr std::string_view kBinaryMagic = "bplist00";
constexpr std::size_t kTrailerSize = 32;

std::uint64_t bigEndian(std::string_view bytes, std::size_t at, std::size_t size)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The object table of a binary property list, read only as far as nesting needs.
// Anything out of bounds counts as a leaf: libplist refuses such a document anyway.
class BinaryObjects {
public:
    explicit BinaryObjects(std::string_view bytes) : m_bytes(bytes)
    {
        if (bytes.size() < kBinaryMagic.size() + kTrailerSize)
            return;
        const std::size_t trailer = bytes.size() - kTrailerSize;
        m_offsetSize = static_cast<unsigned char>(bytes[trailer + 6]);
        m_refSize = static_cast<unsigned char>(bytes[trailer + 7]);
        const std::uint64_t count = bigEndian(bytes, trailer + 8, 8);
        m_top = bigEndian(bytes, trailer + 16, 8);
        m_table = bigEndian(bytes, trailer + 24, 8);
        m_end = trailer;
        if (m_offsetSize < 1 || m_offsetSize > 8 || m_refSize < 1 || m_refSize > 8 || m_table > m_end
            || count > (m_end - m_table) / m_offsetSize || m_top >= count)
            return;
        m_count = count;
    }

    std::uint64_t count() const { return m_count; }
    std::uint64_t top() const { return m_top; }

    // The references an array, set or dictionary holds; nothing for other objects.
    struct References {
        std::uint64_t start = 0;
        std::uint64_t count = 0;
    };
    References references(std::uint64_t object) const
    {
        const auto header = headerOf(object);
        if (!header || (header->type != 0xA && header->type != 0xC && header->type != 0xD))
            return {};
        std::uint64_t count = header->count;
        if (header->type == 0xD)
            count = count > m_end ? m_end : count * 2;
        if (count > (m_end - header->start) / m_refSize)
            return {};
        return {header->start, count};
    }

    // An ASCII or UTF-16 string holding a NUL character.
    bool isStringWithNul(std::uint64_t object) const
    {
        const auto header = headerOf(object);
        if (!header || (header->type != 0x5 && header->type != 0x6))
            return false;
        const std::uint64_t unit = header->type == 0x5 ? 1 : 2;
        if (header->count > (m_end - header->start) / unit)
            return false;
        for (std::uint64_t i = 0; i < header->count; ++i) {
            if (bigEndian(m_bytes, header->start + i * unit, unit) == 0)
                return true;
        }
        return false;
    }

    std::uint64_t reference(const References& refs, std::uint64_t index) const
    {
        return bigEndian(m_bytes, refs.start + index * m_refSize, m_refSize);
    }

private:
    // An object's type (the high half of its marker), its count and where its
    // contents start.
    struct Header {
        unsigned type;
        std::uint64_t count;
        std::uint64_t start;
    };
    std::optional<Header> headerOf(std::uint64_t object) const
    {
        const std::uint64_t offset = bigEndian(m_bytes, m_table + object * m_offsetSize, m_offsetSize);
        if (offset >= m_end)
            return std::nullopt;
        const auto marker = static_cast<unsigned char>(m_bytes[offset]);
        std::uint64_t count = marker & 0xF;
        std::uint64_t start = offset + 1;
        if (count == 0xF) {
            if (start >= m_end || (static_cast<unsigned char>(m_bytes[start]) & 0xF0) != 0x10)
                return std::nullopt;
            const std::size_t size = std::size_t{1} << (static_cast<unsigned char>(m_bytes[start]) & 0x3);
            if (start + 1 + size > m_end)
                return std::nullopt;
            count = bigEndian(m_bytes, start + 1, size);
            start += 1 + size;
        }
        return Header{static_cast<unsigned>(marker >> 4), count, start};
    }

    std::string_view m_bytes;
    std::uint64_t m_count = 0;
    std::uint64_t m_top = 0;
    std::uint64_t m_table = 0;
    std::uint64_t m_end = 0;
    std::size_t m_offsetSize = 0;
    std::size_t m_refSize = 0;
};

// Depth-first without recursion; each object's height is remembered, so shared
// objects are walked once. A cycle is left for libplist to refuse.
Nesting binaryNesting(std::string_view bytes, int maximumDepth)
{
    const BinaryObjects objects(bytes);
    if (objects.count() == 0)
        return Nesting::Fine;
    enum State : std::uint8_t { Unvisited, Open, Done };
    std::vector<State> state(objects.count(), Unvisited);
    std::vector<int> height(objects.count(), 0);
    struct Frame {
        std::uint64_t object;
        BinaryObjects::References refs;
        std::uint64_t next;
        int tallestChild;
    };
    std::vector<Frame> stack;
    const auto enter = [&](std::uint64_t object) {
        const auto refs = objects.references(object);
        if (refs.count == 0) {
            state[object] = Done;
            return true;
        }
        if (static_cast<int>(stack.size()) + 1 > maximumDepth)
            return false;
        state[object] = Open;
        stack.push_back({object, refs, 0, 0});
        return true;
    };
    if (!enter(objects.top()))
        return Nesting::TooDeep;
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next == frame.refs.count) {
            const int own = frame.tallestChild + 1;
            state[frame.object] = Done;
            height[frame.object] = own;
            stack.pop_back();
            if (!stack.empty())
                stack.back().tallestChild = std::max(stack.back().tallestChild, own);
            continue;
        }
        const std::uint64_t child = objects.reference(frame.refs, frame.next++);
        if (child >= objects.count() || state[child] == Open)
            return Nesting::Fine;
        if (state[child] == Done) {
            if (static_cast<int>(stack.size()) + height[child] > maximumDepth)
                return Nesting::TooDeep;
            frame.tallestChild = std::max(frame.tallestChild, height[child]);
            continue;
        }
        if (!enter(child))
            return Nesting::TooDeep;
    }
    return Nesting::Fine;
}

} // namespace

bool isBinary(std::string_view bytes)
{
    return bytes.starts_with(kBinaryMagic);
}

Nesting nesting(std::string_view bytes, int maximumDepth)
{
    return binaryNesting(bytes, maximumDepth);
}

bool holdsNulInString(std::string_view bytes)
{
    // XML allows no NUL character anywhere.
    if (!bytes.starts_with(kBinaryMagic))
        return bytes.find('\0') != std::string_view::npos;
    const BinaryObjects objects(bytes);
    for (std::uint64_t object = 0; object < objects.count(); ++object) {
        if (objects.isStringWithNul(object))
            return true;
    }
    return false;
}

} // namespace propertylist
