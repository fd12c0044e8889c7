#include "platform/linux/XdgAutostartLoginItems.h"
#include "tests/foundation/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class XdgAutostartLoginItemsTest : public ::testing::Test {
protected:
    std::string entryText(const std::string& identifier) const
    {
        std::ifstream in(m_root / "autostart" / (identifier + ".desktop"));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TemporaryFolder m_root;
    XdgAutostartLoginItems m_items {m_root / "autostart", "/opt/vendrel/bin/vendrel"};
};

TEST_F(XdgAutostartLoginItemsTest, EnablingWritesAnEntryAndDisablingRemovesIt)
{
    EXPECT_FALSE(m_items.isEnabled("org.example.Helper"));
    ASSERT_TRUE(m_items.setEnabled("org.example.Helper", true));
    EXPECT_TRUE(m_items.isEnabled("org.example.Helper"));
    const std::string text = entryText("org.example.Helper");
    EXPECT_NE(text.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(text.find("Type=Application\n"), std::string::npos);
    EXPECT_NE(text.find("Exec=\"/opt/vendrel/bin/vendrel\"\n"), std::string::npos);

    ASSERT_TRUE(m_items.setEnabled("org.example.Helper", false));
    EXPECT_FALSE(m_items.isEnabled("org.example.Helper"));
    // Removing what is not there succeeds.
    EXPECT_TRUE(m_items.setEnabled("org.example.Helper", false));
}

TEST_F(XdgAutostartLoginItemsTest, HiddenOrSwitchedOffEntriesDoNotCount)
{
    std::filesystem::create_directories(m_root / "autostart");
    std::ofstream(m_root / "autostart" / "hidden.desktop") << "[Desktop Entry]\nHidden=true\n";
    std::ofstream(m_root / "autostart" / "off.desktop") << "[Desktop Entry]\n X-GNOME-Autostart-enabled=false \n";
    EXPECT_FALSE(m_items.isEnabled("hidden"));
    EXPECT_FALSE(m_items.isEnabled("off"));
}

TEST_F(XdgAutostartLoginItemsTest, ReservedCharactersInTheCommandAreEscaped)
{
    XdgAutostartLoginItems items(m_root / "autostart", "/tmp/a \"b\"$c\\d");
    ASSERT_TRUE(items.setEnabled("quoted", true));
    EXPECT_NE(entryText("quoted").find("Exec=\"/tmp/a \\\\\"b\\\\\"\\\\$c\\\\\\\\d\"\n"), std::string::npos);
}

TEST_F(XdgAutostartLoginItemsTest, PercentSignsInTheCommandAreNotFieldCodes)
{
    XdgAutostartLoginItems items(m_root / "autostart", "/opt/100%u/vendrel");
    ASSERT_TRUE(items.setEnabled("percent", true));
    EXPECT_NE(entryText("percent").find("Exec=\"/opt/100%%u/vendrel\"\n"), std::string::npos);
}

TEST_F(XdgAutostartLoginItemsTest, UnwritableFolderReportsFailure)
{
    std::ofstream(m_root / "autostart") << "a file where the folder should be";
    EXPECT_FALSE(m_items.setEnabled("org.example.Helper", true));
    EXPECT_FALSE(m_items.isEnabled("org.example.Helper"));
}

} // namespace
