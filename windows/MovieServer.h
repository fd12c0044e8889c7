#pragma once

#include <QMediaPlayer>
#include <QObject>
#include <QSocketNotifier>
#include <QVideoSink>

class QByteArray;

// The movie helper's work: plays a movie as the commands on standard input say and
// writes its status and frames to standard output. It quits when its input closes.
class MovieServer final : public QObject {
public:
    explicit MovieServer(const QString& file);

private:
    void readCommands();
    void send(const QByteArray& bytes);

    QVideoSink m_sink;
    QMediaPlayer m_player;
    QSocketNotifier m_commands;
};
