#include "uikit/application/ColorProfileSettings.h"

#include "foundation/Bundle.h"
#include "foundation/Log.h"
#include "platform/fake/FakeDisplayProfile.h"
#include "tests/foundation/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

// Stored as 32-bit items of its own type.
const DisplayProfile::Profile kOwnProfile {{1, 2, 3, 4}, 32, 6};

bool isIccProfile(const std::optional<DisplayProfile::Profile>& profile)
{
    if (!profile || profile->itemBits != 8)
        return false;
    const DisplayProfile::Bytes& bytes = profile->bytes;
    return bytes.size() > 40 && std::string(bytes.begin() + 36, bytes.begin() + 40) == "acsp";
}

TEST(ColorProfileSettingsTest, InstallsSRGBAndPutsTheOwnProfileBackByteForByte)
{
    FakeDisplayProfile display;
    display.setProfile(kOwnProfile);
    ColorProfileSettings settings(display);
    settings.initColorProfileSettings();
    settings.installsRGBProfile();
    EXPECT_TRUE(isIccProfile(display.profile()));
    settings.restoreColorProfileSettings();
    EXPECT_EQ(display.profile(), kOwnProfile);
}

TEST(ColorProfileSettingsTest, ADisplayWithoutAProfileIsLeftWithoutOne)
{
    FakeDisplayProfile display;
    ColorProfileSettings settings(display);
    settings.initColorProfileSettings();
    settings.installsRGBProfile();
    EXPECT_TRUE(isIccProfile(display.profile()));
    settings.restoreColorProfileSettings();
    EXPECT_FALSE(display.profile().has_value());
    EXPECT_EQ(display.removals(), 1);
}

TEST(ColorProfileSettingsTest, NothingSavedOrReleasedMeansNothingRestored)
{
    FakeDisplayProfile display;
    display.setProfile(kOwnProfile);
    ColorProfileSettings settings(display);
    settings.restoreColorProfileSettings();
    settings.installsRGBProfile();
    EXPECT_EQ(display.writes() + display.removals(), 0);

    settings.initColorProfileSettings();
    settings.releaseColorProfileSettings();
    settings.releaseColorProfileSettings();
    EXPECT_FALSE(settings.hasSavedProfile());
    EXPECT_FALSE(settings.hasResourceProfile());
    settings.installsRGBProfile();
    settings.restoreColorProfileSettings();
    EXPECT_EQ(display.writes() + display.removals(), 0);
}

TEST(ColorProfileSettingsTest, FailuresAreLoggedWithTheirCodeAndChangeNothing)
{
    FakeDisplayProfile display;
    display.setProfile(kOwnProfile);
    display.setReadError(10);
    ColorProfileSettings settings(display);
    logging::Capture log;
    settings.initColorProfileSettings();
    EXPECT_TRUE(log.contains("failed to get the current color profile, pixmaps won't match. Error: 10"));
    EXPECT_FALSE(settings.hasSavedProfile());

    display.setReadError(0);
    settings.saveColorProfileSettings();
    display.setWriteError(2);
    settings.installsRGBProfile();
    EXPECT_TRUE(log.contains("failed install the color profile.Error: 2"));
    settings.restoreColorProfileSettings();
    EXPECT_TRUE(log.contains(
        "Failed to restore color profile, use System Preferences -> Displays -> Color to reset. Error: 2"));
    EXPECT_EQ(display.profile(), kOwnProfile);
}

TEST(ColorProfileSettingsTest, AMissingResourceProfileIsLogged)
{
    TemporaryFolder empty;
    Bundle::main().setResourceDirectory(empty.path());
    FakeDisplayProfile display;
    ColorProfileSettings settings(display);
    logging::Capture log;
    settings.initColorProfileSettings();
    Bundle::main().setResourceDirectory({});
    ASSERT_EQ(log.lines().size(), 1U);
    EXPECT_EQ(log.lines()[0].rfind("failed find sRGB Profile ", 0), 0U);
    settings.installsRGBProfile();
    EXPECT_EQ(display.writes(), 0);
}

} // namespace
