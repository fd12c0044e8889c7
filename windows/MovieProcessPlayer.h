#pragma once

#include "windows/MoviePlayer.h"
#include "windows/MovieStream.h"

#include <QPointer>
#include <QProcess>
#include <QString>

class MovieFrameView;

// Plays a movie in a helper process and shows its frames, so that the multimedia stack
// never loads into the program and goes entirely when the player does.
class MovieProcessPlayer final : public MoviePlayer {
public:
    // `helper` is the movie helper program; a missing file or helper ends in Failed.
    MovieProcessPlayer(const QString& helper, const QString& file);
    ~MovieProcessPlayer() override;

    QWidget* videoView() const override;
    Status status() const override { return m_status; }
    bool isPlaying() const override { return m_playing; }
    bool hasError() const override { return m_status == Status::Failed; }
    void play() override;
    void pause() override;
    void seekToStart() override;
    void setOnStatusChange(StatusChange change) override { m_onStatusChange = std::move(change); }
    void setOnReachedEnd(Block block) override { m_onReachedEnd = std::move(block); }

    // The helper's process id while it runs, else 0.
    qint64 helperProcessId() const { return m_process.processId(); }

private:
    void send(MovieStream::Command command);
    void readMessages();
    void report(Status status);

    QProcess m_process;
    MovieStream m_stream;
    QPointer<MovieFrameView> m_view;
    Status m_status = Status::Unknown;
    bool m_playing = false;
    StatusChange m_onStatusChange;
    Block m_onReachedEnd;
};
