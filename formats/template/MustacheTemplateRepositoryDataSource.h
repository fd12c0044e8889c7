#pragma once

#include "foundation/Error.h"
#include "foundation/Value.h"

#include <optional>
#include <string>

class MustacheTemplateRepository;

// Where a repository finds named templates.
class MustacheTemplateRepositoryDataSource {
public:
    virtual ~MustacheTemplateRepositoryDataSource() = default;

    // The identifier of the template a name refers to, nil when there is none.
    virtual Value templateIDForName(MustacheTemplateRepository& repository, const std::string& name,
                                    const Value& baseTemplateID) = 0;
    // The template text; nullopt when it cannot be read, with an error when one is known.
    virtual std::optional<std::string> templateStringForTemplateID(MustacheTemplateRepository& repository,
                                                                   const Value& templateID, Error* error) = 0;
};
