#include "windows/MovieServer.h"

#include <QGuiApplication>

#include <csignal>

// The movie helper: `vendrel-movie FILE` plays FILE for the welcome tour, which starts
// it and ends it.
int main(int argc, char** argv)
{
    // The GStreamer backend crashes here without its plugin packages; the FFmpeg one is
    // what the program ships with.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    // Frames need a graphical application; the helper shows nothing itself.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::signal(SIGPIPE, SIG_IGN);
    QGuiApplication app(argc, argv);
    if (argc != 2)
        return 2;
    MovieServer server(QString::fromLocal8Bit(argv[1]));
    return app.exec();
}
