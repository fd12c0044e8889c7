#pragma once

#include "MustacheTemplateRepositoryDataSource.h"

#include <filesystem>

// Template files under a folder; template IDs are their standardised paths. A name
// starting with "/" is taken from the root folder, others from the including
// template's folder.
class MustacheDirectoryDataSource final : public MustacheTemplateRepositoryDataSource {
public:
    // With `mustExist`, names of missing files resolve to no template at all.
    MustacheDirectoryDataSource(std::filesystem::path root, std::string templateExtension, bool mustExist);

    Value templateIDForName(MustacheTemplateRepository& repository, const std::string& name,
                            const Value& baseTemplateID) override;
    std::optional<std::string> templateStringForTemplateID(MustacheTemplateRepository& repository,
                                                           const Value& templateID, Error* error) override;

private:
    std::filesystem::path m_root;
    std::string m_templateExtension;
    bool m_mustExist;
};
