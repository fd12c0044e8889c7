#include "windows/MovieServer.h"

#include "windows/MovieStream.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>

#include <cerrno>

#include <unistd.h>

MovieServer::MovieServer(const QString& file)
    : m_commands(STDIN_FILENO, QSocketNotifier::Read)
{
    m_player.setVideoSink(&m_sink);
    connect(&m_sink, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
        // The backend clears its sink with an empty frame when it stops; the view keeps the last.
        const QImage image = frame.toImage();
        if (!image.isNull())
            send(MovieStream::encodeFrame(image));
    });
    connect(&m_player, &QMediaPlayer::errorOccurred, this,
            [this] { send(MovieStream::encode(MovieStream::Message::Failed)); });
    connect(&m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        switch (status) {
        case QMediaPlayer::LoadedMedia:
        case QMediaPlayer::BufferedMedia:
            send(MovieStream::encode(MovieStream::Message::ReadyToPlay));
            break;
        case QMediaPlayer::InvalidMedia:
            send(MovieStream::encode(MovieStream::Message::Failed));
            break;
        case QMediaPlayer::EndOfMedia:
            send(MovieStream::encode(MovieStream::Message::ReachedEnd));
            break;
        default:
            break;
        }
    });
    connect(&m_commands, &QSocketNotifier::activated, this, [this] { readCommands(); });
    if (!QFileInfo(file).isReadable()) {
        QTimer::singleShot(0, this, [this] { send(MovieStream::encode(MovieStream::Message::Failed)); });
        return;
    }
    m_player.setSource(QUrl::fromLocalFile(file));
}

void MovieServer::readCommands()
{
    char commands[64];
    const ssize_t count = read(STDIN_FILENO, commands, sizeof commands);
    if (count <= 0) {
        m_commands.setEnabled(false);
        QCoreApplication::quit();
        return;
    }
    for (ssize_t i = 0; i < count; ++i) {
        switch (static_cast<MovieStream::Command>(commands[i])) {
        case MovieStream::Command::Play:
            m_player.play();
            break;
        case MovieStream::Command::Pause:
            m_player.pause();
            break;
        case MovieStream::Command::SeekToStart:
            m_player.setPosition(0);
            break;
        }
    }
}

void MovieServer::send(const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = write(STDOUT_FILENO, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            // The program is gone.
            QCoreApplication::quit();
            return;
        }
        data += written;
        left -= written;
    }
}
