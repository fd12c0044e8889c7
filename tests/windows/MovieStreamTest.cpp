#include "windows/MovieProcessPlayer.h"
#include "windows/MovieStream.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Message = MovieStream::Message;

TEST(MovieStreamTest, MessagesAndFramesArriveWholeHoweverTheBytesAreSplit)
{
    QImage frame(3, 2, QImage::Format_ARGB32);
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            frame.setPixel(x, y, qRgb(40 * x, 100 * y, 7));
    const QByteArray bytes = MovieStream::encode(Message::ReadyToPlay) + MovieStream::encodeFrame(frame)
        + MovieStream::encode(Message::ReachedEnd);

    for (const qsizetype piece : {qsizetype(1), qsizetype(5), bytes.size()}) {
        MovieStream stream;
        std::vector<MovieStream::Received> received;
        for (qsizetype at = 0; at < bytes.size(); at += piece) {
            stream.append(bytes.mid(at, piece));
            while (auto next = stream.next())
                received.push_back(std::move(*next));
        }
        ASSERT_EQ(received.size(), 3u) << "in pieces of " << piece;
        EXPECT_EQ(received[0].message, Message::ReadyToPlay);
        EXPECT_EQ(received[1].message, Message::Frame);
        EXPECT_EQ(received[1].frame, frame.convertToFormat(QImage::Format_RGB32));
        EXPECT_EQ(received[2].message, Message::ReachedEnd);
    }
}

TEST(MovieStreamTest, AStreamThatCannotBeReadFails)
{
    for (const QByteArray& bytes : {QByteArray("x"), QByteArray("v\xff\xff\xff\xff\x01\0\0\0", 9)}) {
        MovieStream stream;
        stream.append(bytes);
        const auto received = stream.next();
        ASSERT_TRUE(received);
        EXPECT_EQ(received->message, Message::Failed);
        EXPECT_FALSE(stream.next());
    }
}

TEST(MovieProcessPlayerTest, AHelperThatIsMissingOrEndsCountsAsAFailedMovie)
{
    int argc = 1;
    char arg0[] = "test";
    char* argv[] = {arg0, nullptr};
    QApplication app(argc, argv);
    for (const QString& helper : {QStringLiteral("/nonexistent/vendrel-movie"), QStringLiteral("/bin/true")}) {
        MovieProcessPlayer player(helper, QStringLiteral("/nonexistent.mov"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return player.status() == MoviePlayer::Status::Failed; }, 5000)) << helper.toStdString();
        player.play();
        EXPECT_FALSE(player.isPlaying());
    }
}

} // namespace
