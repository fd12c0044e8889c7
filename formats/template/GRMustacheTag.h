#pragma once

#include "GRMustacheContext.h"
#include "GRMustacheExpression.h"
#include "GRMustacheTemplateASTNode.h"

#include <optional>
#include <string>

class GRMustacheTemplateRepository;

enum GRMustacheTagType : int {
    GRMustacheTagTypeVariable = 1 << 1,
    GRMustacheTagTypeSection = 1 << 2,
};

// A variable or section tag, as rendering objects and tag delegates see it.
class GRMustacheTag : public GRMustacheTemplateASTNode {
public:
    explicit GRMustacheTag(GRMustacheExpressionPtr expression, Kind kind = Kind::Other)
        : GRMustacheTemplateASTNode(kind), m_expression(std::move(expression)) {}

    const GRMustacheExpressionPtr& expression() const { return m_expression; }

    virtual GRMustacheTagType type() const = 0;
    virtual std::string innerTemplateString() const = 0;
    virtual bool isInverted() const = 0;
    // The tag's content rendered in a context: empty for a variable tag.
    virtual std::optional<std::string> renderContentWithContext(const GRMustacheContextPtr& context, bool& HTMLSafe,
                                                                Error& error) const = 0;
    // The repository rendering on this thread, if any.
    GRMustacheTemplateRepository* templateRepository() const;

    // "<Class `{{tag}}` at line N[ of template ID]>"
    std::string description() const;

protected:
    virtual std::string className() const = 0;

private:
    GRMustacheExpressionPtr m_expression;
};
