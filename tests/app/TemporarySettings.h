#pragma once

#include "foundation/PropertyList.h"
#include "foundation/UserDefaults.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

// A settings file in a folder of its own, removed afterwards.
class TemporarySettings {
public:
    TemporarySettings()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vendrel-settings-XXXXXX").string();
        m_folder = ::mkdtemp(pattern.data());
        m_file = m_folder / "settings.plist";
    }
    ~TemporarySettings()
    {
        std::error_code ec;
        std::filesystem::permissions(m_folder, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(m_folder, ec);
    }
    TemporarySettings(const TemporarySettings&) = delete;
    TemporarySettings& operator=(const TemporarySettings&) = delete;

    const std::filesystem::path& folder() const { return m_folder; }
    const std::filesystem::path& file() const { return m_file; }

    // Writes the file as the user's earlier runs left it.
    void write(const Dictionary& values) const
    {
        const std::string xml = propertylist::writeXml(Value(values));
        ASSERT_FALSE(xml.empty());
        std::ofstream(m_file, std::ios::binary) << xml;
    }
    std::string bytes() const
    {
        std::ifstream in(m_file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // What the file holds now, read back from disk.
    Dictionary stored() const
    {
        const Value root = propertylist::readFile(m_file);
        return root.dictionary() ? *root.dictionary() : Dictionary{};
    }
    std::unique_ptr<UserDefaults> open() const { return std::make_unique<UserDefaults>(m_file); }

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_file;
};
