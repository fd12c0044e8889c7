#include "windows/QtMoviePlayer.h"

#include "foundation/Bundle.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class QtMoviePlayerTest : public ::testing::Test {
protected:
    // The backend answers on its own threads, or at once; this waits for its answer.
    static MoviePlayer::Status answerOf(QtMoviePlayer& player)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return player.status() != MoviePlayer::Status::Unknown; }, 10000));
        return player.status();
    }

    int m_argc = 1;
    char m_arg0[8] = "test";
    char* m_argv[2] = {m_arg0, nullptr};
    QApplication m_app {m_argc, m_argv};
};

TEST_F(QtMoviePlayerTest, TheShippedMovieIsReadyToPlay)
{
    const auto path = Bundle::main().pathForResource("Hi-Precision-Movie", "mov");
    ASSERT_TRUE(path);
    QtMoviePlayer player(QString::fromStdString(path->string()));
    EXPECT_EQ(answerOf(player), MoviePlayer::Status::ReadyToPlay);
    EXPECT_FALSE(player.hasError());
    player.play();
    EXPECT_TRUE(player.isPlaying());
    player.pause();
    EXPECT_FALSE(player.isPlaying());
}

TEST_F(QtMoviePlayerTest, AMissingOrBrokenMovieFails)
{
    QtMoviePlayer missing("/nonexistent/Hi-Precision-Movie.mov");
    EXPECT_EQ(answerOf(missing), MoviePlayer::Status::Failed);
    EXPECT_TRUE(missing.hasError());
    missing.play();
    EXPECT_FALSE(missing.isPlaying());

    const auto notAMovie = Bundle::main().pathForResource("Defaults", "plist");
    ASSERT_TRUE(notAMovie);
    QtMoviePlayer broken(QString::fromStdString(notAMovie->string()));
    EXPECT_EQ(answerOf(broken), MoviePlayer::Status::Failed);
}

} // namespace
