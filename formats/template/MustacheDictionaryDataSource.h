#pragma once

#include "MustacheTemplateRepositoryDataSource.h"

#include "foundation/Dictionary.h"

// Template strings by name; a name is its own template ID.
class MustacheDictionaryDataSource final : public MustacheTemplateRepositoryDataSource {
public:
    explicit MustacheDictionaryDataSource(Dictionary templates) : m_templates(std::move(templates)) {}

    Value templateIDForName(MustacheTemplateRepository& repository, const std::string& name,
                            const Value& baseTemplateID) override;
    std::optional<std::string> templateStringForTemplateID(MustacheTemplateRepository& repository,
                                                           const Value& templateID, Error* error) override;

private:
    Dictionary m_templates;
};
