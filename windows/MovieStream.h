#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

// What the movie helper and the tour say to each other through the helper's standard
// input and output: one-byte commands in, one-byte messages out, frames as their size
// and pixels.
class MovieStream final {
public:
    enum class Command : char { Play = 'p', Pause = 'z', SeekToStart = 's' };
    enum class Message : char { ReadyToPlay = 'r', Failed = 'f', ReachedEnd = 'e', Frame = 'v' };
    struct Received {
        Message message;
        QImage frame;
    };

    static QByteArray encode(Message message);
    // An opaque frame; pixels of any format are sent as 32-bit RGB.
    static QByteArray encodeFrame(const QImage& frame);

    // Takes bytes as they arrive, in pieces of any size.
    void append(const QByteArray& bytes);
    // The next whole message, if one has arrived; a message that cannot be read is Failed.
    std::optional<Received> next();

private:
    QByteArray m_pending;
};
