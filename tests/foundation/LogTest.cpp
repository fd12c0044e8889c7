#include "foundation/Log.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(Log, CaptureSeesLinesWhileItLives)
{
    logging::log("before any capture");
    {
        logging::Capture capture;
        logging::log("first line");
        logging::log("second line");
        EXPECT_EQ(capture.lines(), (std::vector<std::string>{"first line", "second line"}));
        EXPECT_TRUE(capture.contains("second"));
        EXPECT_FALSE(capture.contains("before any capture"));
    }
    std::vector<std::string> seen;
    const logging::Sink previous = logging::setSink([&](const std::string& line) { seen.push_back(line); });
    logging::log("after the capture");
    logging::setSink(previous);
    EXPECT_EQ(seen, std::vector<std::string>{"after the capture"});
}

TEST(Log, NestedCapturesRestoreTheOuterOne)
{
    logging::Capture outer;
    {
        logging::Capture inner;
        logging::log("inner");
        EXPECT_TRUE(inner.contains("inner"));
    }
    logging::log("outer");
    EXPECT_EQ(outer.lines(), std::vector<std::string>{"outer"});
}

TEST(Log, DefaultSinkWritesToStandardError)
{
    testing::internal::CaptureStderr();
    logging::log("to standard error");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "to standard error\n");
}

TEST(Log, DebugLinesReachStandardErrorOnlyWhenAskedForAndCapturesAlways)
{
    for (const char* value : {"", "0", "1"}) {
        setenv("VENDREL_DEBUG", value, 1);
        testing::internal::CaptureStderr();
        logging::debug("asked for");
        logging::log("a warning");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string(*value == '1' ? "asked for\n" : "") + "a warning\n");
    }
    unsetenv("VENDREL_DEBUG");
    logging::Capture capture;
    logging::debug("captured");
    EXPECT_TRUE(capture.contains("captured"));
}

} // namespace
