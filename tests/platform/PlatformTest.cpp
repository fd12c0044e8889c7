#include "platform/Platform.h"

#include "platform/fake/FakeWindowList.h"
#include "platform/linux/UnameSystemInfo.h"
#include "platform/x11/X11ThemePreference.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

TEST(PlatformTest, OffscreenQtGetsNoPlatform)
{
    int argc = 1;
    char arg0[] = "test";
    char* argv[] = {arg0, nullptr};
    QGuiApplication app(argc, argv);
    ASSERT_EQ(QGuiApplication::platformName(), "offscreen");
    EXPECT_EQ(Platform::create(), nullptr);
}

TEST(PlatformTest, WindowAtFindsTheFrontmostWindowAndSkipsTheExcludedOne)
{
    FakeWindowList list;
    list.setWindows({{3, "Front", QRectF(0, 0, 50, 50)}, {4, "Back", QRectF(0, 0, 100, 100)}});
    EXPECT_EQ(list.windowAt(QPointF(10, 10))->number, 3u);
    EXPECT_EQ(list.windowAt(QPointF(10, 10), 3)->number, 4u);
    EXPECT_EQ(list.windowAt(QPointF(70, 70))->ownerName, "Back");
    EXPECT_FALSE(list.windowAt(QPointF(170, 70)));
}

TEST(PlatformTest, KernelReleaseReadsAsTheSystemVersion)
{
    const auto version = UnameSystemInfo::parseRelease("6.1.0-18-amd64");
    EXPECT_EQ(version.majorVersion, 6);
    EXPECT_EQ(version.minorVersion, 1);
    EXPECT_EQ(version.patchVersion, 0);
    const auto partial = UnameSystemInfo::parseRelease("5.10");
    EXPECT_EQ(partial.majorVersion, 5);
    EXPECT_EQ(partial.minorVersion, 10);
    EXPECT_EQ(UnameSystemInfo::parseRelease("weird").majorVersion, 0);
    // Whatever runs the tests takes the older-system branches.
    EXPECT_NE(UnameSystemInfo().operatingSystemVersion().majorVersion, 10);
}

// An XSETTINGS blob in little-endian order.
class SettingsBlob {
public:
    explicit SettingsBlob(std::uint32_t count)
    {
        m_bytes = {0, 0, 0, 0};
        put(7, 4);
        put(count, 4);
    }
    SettingsBlob& integer(const std::string& name, std::uint32_t value)
    {
        header(0, name);
        put(value, 4);
        return *this;
    }
    SettingsBlob& text(const std::string& name, const std::string& value)
    {
        header(1, name);
        put(static_cast<std::uint32_t>(value.size()), 4);
        padded(value);
        return *this;
    }
    SettingsBlob& color(const std::string& name)
    {
        header(2, name);
        put(0, 4);
        put(0, 4);
        return *this;
    }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    std::vector<std::uint8_t> truncated(std::size_t drop) const { return {m_bytes.begin(), m_bytes.end() - drop}; }

private:
    void header(std::uint8_t type, const std::string& name)
    {
        m_bytes.push_back(type);
        m_bytes.push_back(0);
        put(static_cast<std::uint32_t>(name.size()), 2);
        padded(name);
        put(1, 4);
    }
    void put(std::uint32_t value, int width)
    {
        for (int i = 0; i < width; ++i)
            m_bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void padded(const std::string& text)
    {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
    }
    std::vector<std::uint8_t> m_bytes;
};

TEST(PlatformTest, XSettingsStringIsFoundAmongOtherKinds)
{
    SettingsBlob blob(4);
    blob.integer("Net/DoubleClickTime", 400).color("Gtk/Color").text("Net/IconThemeName", "Adwaita").text(
        "Net/ThemeName", "Adwaita-dark");
    EXPECT_EQ(X11ThemePreference::stringSetting(blob.bytes(), "Net/ThemeName"), "Adwaita-dark");
    EXPECT_EQ(X11ThemePreference::stringSetting(blob.bytes(), "Net/IconThemeName"), "Adwaita");
    EXPECT_FALSE(X11ThemePreference::stringSetting(blob.bytes(), "Net/CursorThemeName"));
}

TEST(PlatformTest, MalformedXSettingsGiveNothing)
{
    SettingsBlob blob(1);
    blob.text("Net/ThemeName", "Adwaita-dark");
    EXPECT_FALSE(X11ThemePreference::stringSetting(blob.truncated(4), "Net/ThemeName"));
    EXPECT_FALSE(X11ThemePreference::stringSetting({}, "Net/ThemeName"));
    // Claims more settings than it holds.
    SettingsBlob overlong(3);
    overlong.integer("Net/DoubleClickTime", 400);
    EXPECT_FALSE(X11ThemePreference::stringSetting(overlong.bytes(), "Net/ThemeName"));
}

} // namespace
