#include "Bundle.h"

#include <cstdlib>
#include <system_error>

namespace {

constexpr const char* kResourcesVariable = "VENDREL_RESOURCES";
constexpr const char* kBuildTreeResources = VENDREL_RESOURCE_DIR;
constexpr const char* kInstalledResources = "../share/vendrel/resources";
constexpr const char* kVersion = VENDREL_VERSION;

bool isDirectory(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

std::filesystem::path executableDirectory()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

} // namespace

Bundle& Bundle::main()
{
    static Bundle bundle;
    return bundle;
}

std::filesystem::path Bundle::resourceDirectory() const
{
    if (!m_override.empty())
        return m_override;
    if (const char* fromEnvironment = std::getenv(kResourcesVariable); fromEnvironment && *fromEnvironment)
        return fromEnvironment;
    // The folders on disk do not move while the program runs: look once.
    // An installed program reads its installed copy, even where its source tree is.
    static const std::filesystem::path found = [] {
        const auto exeDirectory = executableDirectory();
        if (!exeDirectory.empty()) {
            const auto installed = (exeDirectory / kInstalledResources).lexically_normal();
            if (isDirectory(installed))
                return installed;
        }
        return std::filesystem::path(kBuildTreeResources);
    }();
    return found;
}

std::optional<std::filesystem::path> Bundle::pathForResource(const std::string& name, const std::string& extension) const
{
    const auto path = resourceDirectory() / (extension.empty() ? name : name + "." + extension);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    return path;
}

std::string Bundle::version() const
{
    return kVersion;
}

void Bundle::setResourceDirectory(std::filesystem::path directory)
{
    m_override = std::move(directory);
}
