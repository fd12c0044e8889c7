#pragma once

#include "MustacheContext.h"
#include "MustacheExpression.h"
#include "MustacheTemplateASTNode.h"

#include <optional>
#include <string>

class MustacheTemplateRepository;

enum MustacheTagType : int {
    MustacheTagTypeVariable = 1 << 1,
    MustacheTagTypeSection = 1 << 2,
};

// A variable or section tag, as rendering objects and tag delegates see it.
class MustacheTag : public MustacheTemplateASTNode {
public:
    explicit MustacheTag(MustacheExpressionPtr expression, Kind kind = Kind::Other)
        : MustacheTemplateASTNode(kind), m_expression(std::move(expression)) {}

    const MustacheExpressionPtr& expression() const { return m_expression; }

    virtual MustacheTagType type() const = 0;
    virtual std::string innerTemplateString() const = 0;
    virtual bool isInverted() const = 0;
    // The tag's content rendered in a context: empty for a variable tag.
    virtual std::optional<std::string> renderContentWithContext(const MustacheContextPtr& context, bool& HTMLSafe,
                                                                Error& error) const = 0;
    // The repository rendering on this thread, if any.
    MustacheTemplateRepository* templateRepository() const;

    // "<Class `{{tag}}` at line N[ of template ID]>"
    std::string description() const;

protected:
    virtual std::string className() const = 0;

private:
    MustacheExpressionPtr m_expression;
};
