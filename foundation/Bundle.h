#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The read-only resources of the program: the resource folder of the build or
// install tree, or the folder named by VENDREL_RESOURCES.
class Bundle {
public:
    // The extension of every property-list resource.
    static constexpr const char* kPropertyListType = "plist";

    static Bundle& main();

    std::filesystem::path resourceDirectory() const;
    // The path of "name.extension" in the resources, when it exists.
    std::optional<std::filesystem::path> pathForResource(const std::string& name, const std::string& extension) const;
    std::string version() const;

    // For tests: use this folder instead (empty path: back to the usual search).
    void setResourceDirectory(std::filesystem::path directory);

private:
    std::filesystem::path m_override;
};
