#pragma once

#include <functional>

class QWidget;

// A looping movie as the welcome tour drives it. The player reports once whether the
// movie can play; a failure is final even when the backend reports progress later.
class MoviePlayer {
public:
    enum class Status { Unknown, ReadyToPlay, Failed };
    using StatusChange = std::function<void(Status status)>;
    using Block = std::function<void()>;

    virtual ~MoviePlayer() = default;

    // The view that shows the movie; it goes with the player.
    virtual QWidget* videoView() const = 0;
    virtual Status status() const = 0;
    virtual bool isPlaying() const = 0;
    virtual bool hasError() const = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void seekToStart() = 0;
    virtual void setOnStatusChange(StatusChange change) = 0;
    virtual void setOnReachedEnd(Block block) = 0;
};
