#include "windows/MovieModule.h"

#include "foundation/Bundle.h"

#include <QApplication>
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
