#include "windows/MovieModule.h"

#include "windows/MovieProcessPlayer.h"
#include "windows/UnavailableMoviePlayer.h"

#include <QCoreApplication>
#include <QFileInfo>

std::unique_ptr<MoviePlayer> MovieModule::makePlayer(const QString& file)
{
    for (const QString& location : locations()) {
        if (QFileInfo(location).isExecutable())
            return std::make_unique<MovieProcessPlayer>(location, file);
    }
    return std::make_unique<UnavailableMoviePlayer>();
}

QStringList MovieModule::locations()
{
    // Both empty in a build without Qt Multimedia.
    const QString installed = QStringLiteral(VENDREL_MOVIE_HELPER_INSTALLED);
    const QString built = QStringLiteral(VENDREL_MOVIE_HELPER_BUILT);
    QStringList locations;
    if (!installed.isEmpty())
        locations << QCoreApplication::applicationDirPath() + QLatin1Char('/') + installed;
    if (!built.isEmpty())
        locations << built;
    return locations;
}
