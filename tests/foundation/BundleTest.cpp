#include "foundation/Bundle.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

TEST(Bundle, EnvironmentOverridesTheBuiltInFolder)
{
    const char* saved = std::getenv("VENDREL_RESOURCES");
    const std::string previous = saved ? saved : "";
    TemporaryFolder folder;
    std::ofstream(folder / "Only.plist") << "<plist/>";

    ::setenv("VENDREL_RESOURCES", folder.path().c_str(), 1);
    Bundle bundle;
    EXPECT_EQ(bundle.resourceDirectory(), folder.path());
    EXPECT_EQ(bundle.pathForResource("Only", "plist"), folder / "Only.plist");

    ::unsetenv("VENDREL_RESOURCES");
    EXPECT_NE(bundle.resourceDirectory(), folder.path());
    EXPECT_EQ(bundle.pathForResource("Only", "plist"), std::nullopt);
    if (saved)
        ::setenv("VENDREL_RESOURCES", previous.c_str(), 1);
}

TEST(Bundle, FindsResourcesByNameAndExtension)
{
    TemporaryFolder folder;
    std::ofstream(folder / "Formats.plist") << "<plist/>";
    std::filesystem::create_directories(folder / "Folder.plist");
    Bundle bundle;
    bundle.setResourceDirectory(folder.path());

    EXPECT_EQ(bundle.resourceDirectory(), folder.path());
    EXPECT_EQ(bundle.pathForResource("Formats", "plist"), folder / "Formats.plist");
    EXPECT_EQ(bundle.pathForResource("Formats.plist", ""), folder / "Formats.plist");
    EXPECT_EQ(bundle.pathForResource("Formats", "xml"), std::nullopt);
    EXPECT_EQ(bundle.pathForResource("Missing", "plist"), std::nullopt);
    EXPECT_EQ(bundle.pathForResource("Folder", "plist"), std::nullopt);

    bundle.setResourceDirectory({});
    EXPECT_NE(bundle.resourceDirectory(), folder.path());
}

TEST(Bundle, VersionIsTheProjectVersion)
{
    const std::string version = Bundle::main().version();
    ASSERT_FALSE(version.empty());
    EXPECT_NE(version.find('.'), std::string::npos);
}

} // namespace
