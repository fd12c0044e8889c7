#pragma once

#include "MustacheDirectoryDataSource.h"
#include "MustacheTemplateRepositoryDataSource.h"

#include <filesystem>
#include <optional>
#include <string>

// Template files under a base URL; template IDs are their standardised URLs. Only
// "file:" URLs can be read here: under any other base URL no template is found.
class MustacheURLDataSource final : public MustacheTemplateRepositoryDataSource {
public:
    MustacheURLDataSource(const std::string& baseURL, std::string templateExtension);

    Value templateIDForName(MustacheTemplateRepository& repository, const std::string& name,
                            const Value& baseTemplateID) override;
    std::optional<std::string> templateStringForTemplateID(MustacheTemplateRepository& repository,
                                                           const Value& templateID, Error* error) override;

    // The local path of a "file:" URL, percent escapes decoded.
    static std::optional<std::filesystem::path> pathOfFileURL(const std::string& url);
    static std::string fileURLWithPath(const std::filesystem::path& path);

private:
    // Names resolve as paths under the base URL's folder.
    std::optional<MustacheDirectoryDataSource> m_directory;
};
