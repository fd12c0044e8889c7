#pragma once

#include "windows/MoviePlayer.h"

#include <QPointer>
#include <QString>

#include <memory>

class MovieFrameView;
class QMediaPlayer;
class QVideoSink;

// Plays a movie file through Qt Multimedia's FFmpeg backend. Lives in the movie module,
// which the program loads only when it shows the movie.
class QtMoviePlayer final : public MoviePlayer {
public:
    // A missing or unreadable file ends in Failed.
    explicit QtMoviePlayer(const QString& file);
    ~QtMoviePlayer() override;

    QWidget* videoView() const override;
    Status status() const override { return m_status; }
    bool isPlaying() const override;
    bool hasError() const override;
    void play() override;
    void pause() override;
    void seekToStart() override;
    void setOnStatusChange(StatusChange change) override { m_onStatusChange = std::move(change); }
    void setOnReachedEnd(Block block) override { m_onReachedEnd = std::move(block); }

private:
    void report(Status status);

    std::unique_ptr<QVideoSink> m_sink;
    std::unique_ptr<QMediaPlayer> m_player;
    QPointer<MovieFrameView> m_view;
    Status m_status = Status::Unknown;
    StatusChange m_onStatusChange;
    Block m_onReachedEnd;
};
