#include "windows/MovieProcessPlayer.h"

#include "windows/MovieFrameView.h"

MovieProcessPlayer::MovieProcessPlayer(const QString& helper, const QString& file)
    : m_view(new MovieFrameView)
{
    m_process.setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, m_view, [this] { readMessages(); });
    // A helper that cannot start, crashes or ends counts as a failed movie.
    QObject::connect(&m_process, &QProcess::errorOccurred, m_view, [this] { report(Status::Failed); });
    QObject::connect(&m_process, &QProcess::finished, m_view, [this] { report(Status::Failed); });
    m_process.start(helper, {file});
}

MovieProcessPlayer::~MovieProcessPlayer()
{
    QObject::disconnect(&m_process, nullptr, nullptr, nullptr);
    m_process.kill();
    m_process.waitForFinished();
    delete m_view.data();
}

QWidget* MovieProcessPlayer::videoView() const
{
    return m_view;
}

void MovieProcessPlayer::play()
{
    if (m_status == Status::Failed)
        return;
    send(MovieStream::Command::Play);
    m_playing = true;
}

void MovieProcessPlayer::pause()
{
    send(MovieStream::Command::Pause);
    m_playing = false;
}

void MovieProcessPlayer::seekToStart()
{
    send(MovieStream::Command::SeekToStart);
}

void MovieProcessPlayer::send(MovieStream::Command command)
{
    if (m_process.state() != QProcess::NotRunning)
        m_process.write(QByteArray(1, static_cast<char>(command)));
}

void MovieProcessPlayer::readMessages()
{
    m_stream.append(m_process.readAllStandardOutput());
    while (auto received = m_stream.next()) {
        switch (received->message) {
        case MovieStream::Message::ReadyToPlay:
            report(Status::ReadyToPlay);
            break;
        case MovieStream::Message::Failed:
            report(Status::Failed);
            break;
        case MovieStream::Message::ReachedEnd:
            m_playing = false;
            if (m_onReachedEnd)
                m_onReachedEnd();
            break;
        case MovieStream::Message::Frame:
            if (m_view)
                m_view->showFrame(std::move(received->frame));
            break;
        }
    }
}

void MovieProcessPlayer::report(Status status)
{
    // A failure is final: the helper may report a loaded medium after an error.
    if (status == Status::Failed)
        m_playing = false;
    if (m_status == Status::Failed || m_status == status)
        return;
    m_status = status;
    if (m_onStatusChange)
        m_onStatusChange(status);
}
