#pragma once

#include "windows/MoviePlayer.h"

// Stands in when no movie can play at all: it fails at once and shows nothing.
class UnavailableMoviePlayer final : public MoviePlayer {
public:
    QWidget* videoView() const override { return nullptr; }
    Status status() const override { return Status::Failed; }
    bool isPlaying() const override { return false; }
    bool hasError() const override { return true; }
    void play() override {}
    void pause() override {}
    void seekToStart() override {}
    void setOnStatusChange(StatusChange) override {}
    void setOnReachedEnd(Block) override {}
};
