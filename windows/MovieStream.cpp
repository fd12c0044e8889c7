#include "windows/MovieStream.h"

#include <cstdint>
#include <cstring>

namespace {

struct FrameSize {
    std::uint32_t width;
    std::uint32_t height;
};

// Larger than any movie the tour ships; a bigger size means a broken stream.
constexpr std::uint32_t kMaxSide = 4096;
constexpr qsizetype kBytesPerPixel = 4;

} // namespace

QByteArray MovieStream::encode(Message message)
{
    return QByteArray(1, static_cast<char>(message));
}

QByteArray MovieStream::encodeFrame(const QImage& frame)
{
    const QImage pixels = frame.convertToFormat(QImage::Format_RGB32);
    const FrameSize size {static_cast<std::uint32_t>(pixels.width()), static_cast<std::uint32_t>(pixels.height())};
    const qsizetype rowBytes = pixels.width() * kBytesPerPixel;
    QByteArray bytes = encode(Message::Frame);
    bytes.reserve(1 + sizeof size + rowBytes * pixels.height());
    bytes.append(reinterpret_cast<const char*>(&size), sizeof size);
    for (int y = 0; y < pixels.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), rowBytes);
    return bytes;
}

void MovieStream::append(const QByteArray& bytes)
{
    m_pending.append(bytes);
}

std::optional<MovieStream::Received> MovieStream::next()
{
    if (m_pending.isEmpty())
        return std::nullopt;
    const auto message = static_cast<Message>(m_pending.front());
    switch (message) {
    case Message::ReadyToPlay:
    case Message::Failed:
    case Message::ReachedEnd:
        m_pending.remove(0, 1);
        return Received {message, {}};
    case Message::Frame:
        break;
    default:
        m_pending.clear();
        return Received {Message::Failed, {}};
    }
    FrameSize size {};
    if (m_pending.size() < 1 + qsizetype(sizeof size))
        return std::nullopt;
    std::memcpy(&size, m_pending.constData() + 1, sizeof size);
    if (size.width == 0 || size.height == 0 || size.width > kMaxSide || size.height > kMaxSide) {
        m_pending.clear();
        return Received {Message::Failed, {}};
    }
    const qsizetype header = 1 + sizeof size;
    const qsizetype rowBytes = qsizetype(size.width) * kBytesPerPixel;
    const qsizetype length = header + rowBytes * size.height;
    if (m_pending.size() < length)
        return std::nullopt;
    QImage frame(int(size.width), int(size.height), QImage::Format_RGB32);
    for (int y = 0; y < frame.height(); ++y)
        std::memcpy(frame.scanLine(y), m_pending.constData() + header + y * rowBytes, rowBytes);
    m_pending.remove(0, length);
    return Received {Message::Frame, std::move(frame)};
}
