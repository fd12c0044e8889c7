#pragma once

#include "foundation/PropertyList.h"
#include "foundation/UserDefaults.h"
#include "tests/foundation/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

// A settings file in a folder of its own, removed afterwards.
class TemporarySettings {
public:
    const std::filesystem::path& folder() const { return m_folder.path(); }
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
    TemporaryFolder m_folder;
    std::filesystem::path m_file = m_folder / "settings.plist";
};
