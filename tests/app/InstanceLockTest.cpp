#include "app/launch/InstanceLock.h"
#include "foundation/UserDefaults.h"
#include "tests/foundation/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(InstanceLock, OnlyALiveHolderKeepsASecondProgramOut)
{
    TemporaryFolder home;
    {
        const InstanceLock first(home / "vendrel");
        EXPECT_FALSE(first.isHeldElsewhere());
        EXPECT_TRUE(InstanceLock(home / "vendrel").isHeldElsewhere());
    }
    EXPECT_FALSE(InstanceLock(home / "vendrel").isHeldElsewhere());
    // A folder that cannot be made (here under a file) is no other program.
    std::ofstream(home / "file") << "not a folder";
    EXPECT_FALSE(InstanceLock(home / "file" / "vendrel").isHeldElsewhere());
}

TEST(InstanceLock, ALockRemovedWithItsFolderComesBackWithTheNextSave)
{
    TemporaryFolder home;
    const InstanceLock first(home / "vendrel");
    std::filesystem::remove_all(home / "vendrel");
    UserDefaults(home / "vendrel" / "settings.plist").setObject("picked", Value("00FF00FF"));
    EXPECT_TRUE(InstanceLock(home / "vendrel").isHeldElsewhere());
}

} // namespace
