#include "platform/x11/hotkeys/HotKeyMessages.h"

#include <algorithm>

namespace {

// Type, key code, mask count, then the masks.
constexpr std::size_t kAskSize = 3 + 2 * HotKeyMessages::kMaxMasks;
// Type, key code, state.
constexpr std::size_t kTellSize = 4;

void put16(std::string& bytes, std::uint16_t value)
{
    bytes.push_back(static_cast<char>(value & 0xff));
    bytes.push_back(static_cast<char>(value >> 8));
}

std::uint16_t get16(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at])
                                      | static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}

std::uint8_t byte(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint8_t>(bytes[at]);
}

} // namespace

std::string HotKeyMessages::encode(const Ask& ask)
{
    const std::size_t count = std::min(ask.masks.size(), kMaxMasks);
    std::string bytes {static_cast<char>(ask.request), static_cast<char>(ask.keycode), static_cast<char>(count)};
    for (std::size_t i = 0; i < kMaxMasks; ++i)
        put16(bytes, i < count ? ask.masks[i] : 0);
    return bytes;
}

std::string HotKeyMessages::encode(const Tell& tell)
{
    std::string bytes {static_cast<char>(tell.reply), static_cast<char>(tell.keycode)};
    put16(bytes, tell.state);
    return bytes;
}

void HotKeyMessages::append(const char* bytes, std::size_t size)
{
    m_pending.append(bytes, size);
}

std::optional<std::string> HotKeyMessages::take(std::size_t size)
{
    if (m_corrupt || m_pending.size() < size)
        return std::nullopt;
    std::string message = m_pending.substr(0, size);
    m_pending.erase(0, size);
    return message;
}

std::optional<HotKeyMessages::Ask> HotKeyMessages::nextAsk()
{
    const auto bytes = take(kAskSize);
    if (!bytes)
        return std::nullopt;
    const std::uint8_t type = byte(*bytes, 0);
    const std::size_t count = byte(*bytes, 2);
    if (type < static_cast<std::uint8_t>(Request::Grab) || type > static_cast<std::uint8_t>(Request::Release)
        || count > kMaxMasks) {
        m_corrupt = true;
        return std::nullopt;
    }
    Ask ask {static_cast<Request>(type), byte(*bytes, 1), {}};
    for (std::size_t i = 0; i < count; ++i)
        ask.masks.push_back(get16(*bytes, 3 + 2 * i));
    return ask;
}

std::optional<HotKeyMessages::Tell> HotKeyMessages::nextTell()
{
    const auto bytes = take(kTellSize);
    if (!bytes)
        return std::nullopt;
    const std::uint8_t type = byte(*bytes, 0);
    if (type < static_cast<std::uint8_t>(Reply::Granted) || type > static_cast<std::uint8_t>(Reply::KeyRelease)) {
        m_corrupt = true;
        return std::nullopt;
    }
    return Tell {static_cast<Reply>(type), byte(*bytes, 1), get16(*bytes, 2)};
}
