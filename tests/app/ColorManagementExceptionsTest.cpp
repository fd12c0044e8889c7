#include "app/settings/ColorManagementExceptions.h"

#include "foundation/Log.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

TEST(ColorManagementExceptionsTest, SlashedEntriesAreExpressionsAndTheRestNames)
{
    logging::Capture log;
    const ColorManagementExceptions exceptions({"Preview", "/^Photo.*$/", "//", "/", "/a/b/"});
    EXPECT_EQ(exceptions.appNames(), (std::vector<std::string>{"Preview", "//", "/"}));
    EXPECT_EQ(exceptions.appNamePatterns(), (std::vector<std::string>{"^Photo.*$", "a/b"}));
    EXPECT_TRUE(log.contains("no color mangement for apps named:"));
    EXPECT_TRUE(log.contains("no color mangement for apps matching:"));
}

TEST(ColorManagementExceptionsTest, NamesMatchExactlyAndExpressionsAnywhere)
{
    const ColorManagementExceptions exceptions({"Preview", "/Shop/"});
    EXPECT_TRUE(exceptions.contains("Preview"));
    EXPECT_FALSE(exceptions.contains("preview"));
    EXPECT_FALSE(exceptions.contains("Preview 2"));
    EXPECT_TRUE(exceptions.contains("Photoshop and Shop"));
    EXPECT_FALSE(exceptions.contains("Photoshop"));
}

TEST(ColorManagementExceptionsTest, InvalidExpressionsAreDroppedWithALogLine)
{
    logging::Capture log;
    const ColorManagementExceptions exceptions({"/([unclosed/", "/Gimp/"});
    EXPECT_EQ(exceptions.appNamePatterns(), (std::vector<std::string>{"Gimp"}));
    EXPECT_TRUE(exceptions.appNames().empty());
    EXPECT_TRUE(log.contains("([unclosed"));
    EXPECT_FALSE(exceptions.contains("([unclosed"));
}

TEST(ColorManagementExceptionsTest, LongNamesAndBadPatternsEndWithoutCrashing)
{
    const ColorManagementExceptions exceptions({"/.*gimp/", "/(x+x+)+y/"});
    EXPECT_TRUE(exceptions.contains(std::string(30000, 'a') + "gimp"));
    EXPECT_FALSE(exceptions.contains(std::string(1000000, 'a')));

    // Backtracking that would take ages gives up as "no match", quickly.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(exceptions.contains(std::string(40, 'x') + "wy"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace
