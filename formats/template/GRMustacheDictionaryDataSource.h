#pragma once

#include "GRMustacheTemplateRepositoryDataSource.h"

#include "foundation/Dictionary.h"

// Template strings by name; a name is its own template ID.
class GRMustacheDictionaryDataSource final : public GRMustacheTemplateRepositoryDataSource {
public:
    explicit GRMustacheDictionaryDataSource(Dictionary templates) : m_templates(std::move(templates)) {}

    Value templateIDForName(GRMustacheTemplateRepository& repository, const std::string& name,
                            const Value& baseTemplateID) override;
    std::optional<std::string> templateStringForTemplateID(GRMustacheTemplateRepository& repository,
                                                           const Value& templateID, Error* error) override;

private:
    Dictionary m_templates;
};
