#include "windows/QtMoviePlayer.h"

#include "windows/MovieFrameView.h"
#include "windows/QuietStandardError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

#include <atomic>
#include <malloc.h>

namespace {

// The GStreamer backend crashes here without its plugin packages; the FFmpeg one is
// what the program ships with. Read when the first media object is made.
// Frames are converted on the processor: an OpenGL converter would load a software
// renderer of some 70 MB and eight threads for a movie of 480 by 270 pixels.
std::unique_ptr<QVideoSink> makeSink()
{
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    return std::make_unique<QVideoSink>();
}

// The backend also reports its progress as Qt debug messages, from its own threads,
// and warns that frames are converted on the processor, as asked; both are dropped
// while a player lives.
int g_players = 0;
// Read on the backend's threads too.
std::atomic<bool> g_converting = false;
QtMessageHandler g_previousHandler = nullptr;

void dropProgressMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool progress = type == QtDebugMsg || (type == QtWarningMsg && g_converting);
    if (!progress && g_previousHandler)
        g_previousHandler(type, context, message);
}

QImage imageOf(const QVideoFrame& frame)
{
    g_converting = true;
    QImage image = frame.toImage();
    g_converting = false;
    return image;
}

} // namespace

// The movie module's entry, which the program looks up by name.
extern "C" Q_DECL_EXPORT MoviePlayer* vendrelMakeMoviePlayer(const QString& file)
{
    return new QtMoviePlayer(file);
}

QtMoviePlayer::QtMoviePlayer(const QString& file)
    : m_view(new MovieFrameView)
{
    if (g_players++ == 0)
        g_previousHandler = qInstallMessageHandler(dropProgressMessages);
    // FFmpeg and the video drivers report their probes for hardware decoders there.
    const QuietStandardError quiet;
    m_sink = makeSink();
    m_player = std::make_unique<QMediaPlayer>();
    m_player->setVideoSink(m_sink.get());
    QObject::connect(m_sink.get(), &QVideoSink::videoFrameChanged, m_view,
                     [view = m_view](const QVideoFrame& frame) { view->showFrame(imageOf(frame)); });
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
    m_player->setVideoSink(nullptr);
    m_player.reset();
    delete m_view.data();
    // The decoder threads' heaps keep their freed frames until asked to give them back.
    malloc_trim(0);
    if (--g_players == 0)
        qInstallMessageHandler(g_previousHandler);
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
