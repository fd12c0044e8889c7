#pragma once

#include "foundation/Error.h"
#include "foundation/Value.h"

#include <optional>
#include <string>

class GRMustacheTemplateRepository;

// Where a repository finds named templates.
class GRMustacheTemplateRepositoryDataSource {
public:
    virtual ~GRMustacheTemplateRepositoryDataSource() = default;

    // The identifier of the template a name refers to, nil when there is none.
    virtual Value templateIDForName(GRMustacheTemplateRepository& repository, const std::string& name,
                                    const Value& baseTemplateID) = 0;
    // The template text; nullopt when it cannot be read, with an error when one is known.
    virtual std::optional<std::string> templateStringForTemplateID(GRMustacheTemplateRepository& repository,
                                                                   const Value& templateID, Error* error) = 0;
};
