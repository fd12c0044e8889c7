#pragma once

#include "windows/MoviePlayer.h"

#include <QString>
#include <QStringList>

#include <memory>

// The movie plays in a helper program that holds the multimedia stack, started when the
// tour first shows its movie and ended with the player, so that no start of the program
// pays for it and nothing of it stays behind.
class MovieModule final {
public:
    // A player of the file; one that fails at once when there is no helper.
    static std::unique_ptr<MoviePlayer> makePlayer(const QString& file);
    // Where the helper is looked for: beside the installed program, then in the build.
    static QStringList locations();
};
