#include "formats/processor/ProcRunningApplications.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace {

class ProcRunningApplicationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = std::filesystem::temp_directory_path() / ("vendrel-proc-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_root);
    }
    void TearDown() override { std::filesystem::remove_all(m_root); }

    void addProcess(const std::string& pid, const std::string& commandLine)
    {
        std::filesystem::create_directories(m_root / pid);
        std::ofstream(m_root / pid / "cmdline", std::ios::binary) << commandLine;
    }

    std::filesystem::path m_root;
};

} // namespace

TEST_F(ProcRunningApplicationsTest, ListsProgramNamesInProcessIdOrder)
{
    addProcess("120", std::string("/usr/bin/inkscape\0--with-gui\0", 29));
    addProcess("9", std::string("gimp-2.10\0", 10));
    addProcess("35", "");
    std::filesystem::create_directories(m_root / "self");
    EXPECT_EQ(ProcRunningApplications(m_root).names(), (std::vector<std::string>{"gimp-2.10", "inkscape"}));
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
