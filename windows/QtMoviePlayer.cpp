#include "windows/QtMoviePlayer.h"

#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoWidget>

namespace {

// The GStreamer backend crashes here without its plugin packages; the FFmpeg one is
// what the program ships with. Read when the first media object is made.
QVideoWidget* makeVideoView()
{
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    return new QVideoWidget;
}

} // namespace

QtMoviePlayer::QtMoviePlayer(const QString& file)
    : m_view(makeVideoView())
{
    m_player = std::make_unique<QMediaPlayer>();
    m_player->setVideoOutput(m_view.data());
    QObject::connect(m_player.get(), &QMediaPlayer::errorOccurred, m_view,
                     [this](QMediaPlayer::Error, const QString&) { report(Status::Failed); });
    QObject::connect(m_player.get(), &QMediaPlayer::mediaStatusChanged, m_view,
                     [this](QMediaPlayer::MediaStatus status) {
                         switch (status) {
                         case QMediaPlayer::LoadedMedia:
                         case QMediaPlayer::BufferedMedia:
                             report(Status::ReadyToPlay);
                             break;
                         case QMediaPlayer::InvalidMedia:
                             report(Status::Failed);
                             break;
                         case QMediaPlayer::EndOfMedia:
                             if (m_onReachedEnd)
                                 m_onReachedEnd();
                             break;
                         default:
                             break;
                         }
                     });
    if (!QFileInfo(file).isReadable()) {
        // Reported on the next turn, as a backend would.
        QTimer::singleShot(0, m_view, [this] { report(Status::Failed); });
        return;
    }
    m_player->setSource(QUrl::fromLocalFile(file));
}

QtMoviePlayer::~QtMoviePlayer()
{
    m_player->stop();
    m_player->setVideoOutput(static_cast<QObject*>(nullptr));
    if (m_view && !m_view->parent())
        delete m_view.data();
}

QWidget* QtMoviePlayer::videoView() const
{
    return m_view;
}

bool QtMoviePlayer::isPlaying() const
{
    return m_player->playbackState() == QMediaPlayer::PlayingState;
}

bool QtMoviePlayer::hasError() const
{
    return m_status == Status::Failed || m_player->error() != QMediaPlayer::NoError;
}

void QtMoviePlayer::play()
{
    if (m_status != Status::Failed)
        m_player->play();
}

void QtMoviePlayer::pause()
{
    m_player->pause();
}

void QtMoviePlayer::seekToStart()
{
    m_player->setPosition(0);
}

void QtMoviePlayer::report(Status status)
{
    // A failure is final: the backend may report a loaded medium after an error.
    if (m_status == Status::Failed || m_status == status)
        return;
    m_status = status;
    if (m_onStatusChange)
        m_onStatusChange(status);
}
