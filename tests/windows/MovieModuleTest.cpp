#include "windows/MovieModule.h"

#include "foundation/Bundle.h"
#include "windows/MovieProcessPlayer.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryFile>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class MovieModuleTest : public ::testing::Test {
protected:
    // The backend answers on its own threads, or at once; this waits for its answer.
    static MoviePlayer::Status answerOf(MoviePlayer& player)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return player.status() != MoviePlayer::Status::Unknown; }, 10000));
        return player.status();
    }
    static QString movie()
    {
        const auto path = Bundle::main().pathForResource("Hi-Precision-Movie", "mov");
        return path ? QString::fromStdString(path->string()) : QString();
    }

    int m_argc = 1;
    char m_arg0[8] = "test";
    char* m_argv[2] = {m_arg0, nullptr};
    QApplication m_app {m_argc, m_argv};
};

TEST_F(MovieModuleTest, TheShippedMoviePlaysIntoItsView)
{
    std::unique_ptr<MoviePlayer> player = MovieModule::makePlayer(movie());
    ASSERT_NE(player->videoView(), nullptr);
    QWidget* view = player->videoView();
    view->resize(240, 135);
    const QImage blank = view->grab().toImage();
    EXPECT_EQ(answerOf(*player), MoviePlayer::Status::ReadyToPlay);
    EXPECT_FALSE(player->hasError());
    player->play();
    EXPECT_TRUE(player->isPlaying());
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->grab().toImage() != blank; }, 10000));
    player->pause();
    EXPECT_FALSE(player->isPlaying());
}

// The program's memory after the tour is what it is without it.
TEST_F(MovieModuleTest, TheMultimediaStackStaysOutOfTheProgramAndGoesWithThePlayer)
{
    const auto mapped = [] {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
    };
    auto player = MovieModule::makePlayer(movie());
    EXPECT_EQ(answerOf(*player), MoviePlayer::Status::ReadyToPlay);
    player->play();
    QTest::qWait(500);
    EXPECT_FALSE(mapped().contains("libavcodec"));
    EXPECT_FALSE(mapped().contains("libQt6Multimedia"));

    const auto* processPlayer = dynamic_cast<const MovieProcessPlayer*>(player.get());
    ASSERT_NE(processPlayer, nullptr);
    const qint64 helper = processPlayer->helperProcessId();
    ASSERT_GT(helper, 0);
    player.reset();
    EXPECT_FALSE(QFile::exists(QStringLiteral("/proc/%1").arg(helper)));
}

TEST_F(MovieModuleTest, AMissingOrBrokenMovieFails)
{
    std::unique_ptr<MoviePlayer> missing = MovieModule::makePlayer("/nonexistent/Hi-Precision-Movie.mov");
    EXPECT_EQ(answerOf(*missing), MoviePlayer::Status::Failed);
    EXPECT_TRUE(missing->hasError());
    missing->play();
    EXPECT_FALSE(missing->isPlaying());

    const auto notAMovie = Bundle::main().pathForResource("Defaults", "plist");
    ASSERT_TRUE(notAMovie);
    std::unique_ptr<MoviePlayer> broken = MovieModule::makePlayer(QString::fromStdString(notAMovie->string()));
    EXPECT_EQ(answerOf(*broken), MoviePlayer::Status::Failed);
}

TEST_F(MovieModuleTest, PlayingTheMovieWritesNothingOnStandardError)
{
    QTemporaryFile captured;
    ASSERT_TRUE(captured.open());
    const int saved = dup(STDERR_FILENO);
    dup2(captured.handle(), STDERR_FILENO);
    {
        std::unique_ptr<MoviePlayer> player = MovieModule::makePlayer(movie());
        answerOf(*player);
        player->play();
        QTest::qWait(500);
    }
    dup2(saved, STDERR_FILENO);
    close(saved);
    captured.seek(0);
    EXPECT_EQ(captured.readAll().toStdString(), "");
}

} // namespace
