#include "windows/MovieModule.h"

#include "windows/UnavailableMoviePlayer.h"

#include <QCoreApplication>
#include <QLibrary>

namespace {

using Factory = MoviePlayer* (*)(const QString& file);

Factory loadFactory()
{
    for (const QString& location : MovieModule::locations()) {
        // Kept loaded for the program's life (deleting a QLibrary does not unload it):
        // Qt keeps the media plugins below it loaded anyway.
        auto* library = new QLibrary(location, QCoreApplication::instance());
        if (auto factory = reinterpret_cast<Factory>(library->resolve(MovieModule::kFactorySymbol)))
            return factory;
        delete library;
    }
    return nullptr;
}

} // namespace

std::unique_ptr<MoviePlayer> MovieModule::makePlayer(const QString& file)
{
    static const Factory factory = loadFactory();
    if (!factory)
        return std::make_unique<UnavailableMoviePlayer>();
    return std::unique_ptr<MoviePlayer>(factory(file));
}

QStringList MovieModule::locations()
{
    // Both empty in a build without Qt Multimedia.
    const QString installed = QStringLiteral(VENDREL_MOVIE_MODULE_INSTALLED);
    const QString built = QStringLiteral(VENDREL_MOVIE_MODULE_BUILT);
    QStringList locations;
    if (!installed.isEmpty())
        locations << QCoreApplication::applicationDirPath() + QLatin1Char('/') + installed;
    if (!built.isEmpty())
        locations << built;
    return locations;
}
