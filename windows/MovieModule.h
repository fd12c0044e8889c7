#pragma once

#include "windows/MoviePlayer.h"

#include <QString>
#include <QStringList>

#include <memory>

// The movie module holds the multimedia stack; the program loads it when the tour first
// shows its movie, so that no other start pays for it. Qt keeps its media plugins once
// loaded, so the module stays loaded too; each player releases its own decoder.
class MovieModule final {
public:
    static constexpr const char* kFactorySymbol = "vendrelMakeMoviePlayer";

    // A player of the file; one that fails at once when the module cannot load.
    static std::unique_ptr<MoviePlayer> makePlayer(const QString& file);
    // Where the module is looked for: beside the installed program, then in the build.
    static QStringList locations();
};
