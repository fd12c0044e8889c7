#include "formats/processor/ProcRunningApplications.h"
#include "tests/foundation/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class ProcRunningApplicationsTest : public ::testing::Test {
protected:
    void addProcess(const std::string& pid, const std::string& commandLine)
    {
        std::filesystem::create_directories(m_root / pid);
        std::ofstream(m_root / pid / "cmdline", std::ios::binary) << commandLine;
    }

    TemporaryFolder m_root;
};

} // namespace

TEST_F(ProcRunningApplicationsTest, ListsProgramNamesInProcessIdOrder)
{
    addProcess("120", std::string("/usr/bin/inkscape\0--with-gui\0", 29));
    addProcess("9", std::string("gimp-2.10\0", 10));
    addProcess("35", "");
    std::filesystem::create_directories(m_root / "self");
    EXPECT_EQ(ProcRunningApplications(m_root.path()).names(), (std::vector<std::string>{"gimp-2.10", "inkscape"}));
}

TEST_F(ProcRunningApplicationsTest, MissingFolderListsNothing)
{
    EXPECT_TRUE(ProcRunningApplications(m_root / "absent").names().empty());
}

TEST(ProcRunningApplicationsLiveTest, FindsThisTestProgram)
{
    const auto names = ProcRunningApplications().names();
    EXPECT_NE(std::find(names.begin(), names.end(), "vendrel_processor_tests"), names.end());
}
