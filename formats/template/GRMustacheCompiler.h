#pragma once

#include "GRMustacheContentType.h"
#include "GRMustacheExpression.h"
#include "GRMustacheTemplateAST.h"
#include "GRMustacheTemplateParserDelegate.h"

#include "foundation/Value.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

class GRMustacheTemplateRepository;

// Builds the AST of one template from the tokens of its parse.
class GRMustacheCompiler final : public GRMustacheTemplateParserDelegate {
public:
    explicit GRMustacheCompiler(GRMustacheContentType contentType);

    // Partials are loaded through the repository, relative to the base template ID.
    void setTemplateRepository(GRMustacheTemplateRepository* repository) { m_templateRepository = repository; }
    void setBaseTemplateID(Value templateID) { m_baseTemplateID = std::move(templateID); }

    bool shouldContinueAfterParsingToken(GRMustacheTemplateParser& parser, const GRMustacheTokenPtr& token) override;
    void didFailWithError(GRMustacheTemplateParser& parser, const Error& error) override;

    // The finished AST, or null with the first error.
    GRMustacheTemplateASTPtr templateASTReturningError(Error* error);

    static Error parseErrorAtToken(const GRMustacheToken& token, const std::string& description);

private:
    // An open section's expression, or an inheritable tag's name.
    using TagValue = std::variant<GRMustacheExpressionPtr, std::string>;

    bool handleToken(const GRMustacheTokenPtr& token);
    bool handleVariable(const GRMustacheTokenPtr& token);
    bool handleSectionOpening(const GRMustacheTokenPtr& token);
    bool handleClosing(const GRMustacheTokenPtr& token);
    bool handlePartial(const GRMustacheTokenPtr& token);
    bool handlePragma(const GRMustacheTokenPtr& token);
    bool handleInheritableOpening(const GRMustacheTokenPtr& token, bool isPartial);

    bool closeSection(const GRMustacheTokenPtr& token, const GRMustacheExpressionPtr& openExpression);
    bool closeInheritablePartial(const GRMustacheTokenPtr& token, const std::string& openName);
    bool closeInheritableSection(const GRMustacheTokenPtr& token, const std::string& openName);
    // Takes the open section's content.
    GRMustacheTemplateASTNodePtr sectionNode(const GRMustacheToken& closingToken, const GRMustacheExpressionPtr& expression);

    bool openTag(TagValue value, const GRMustacheTokenPtr& token);
    void popTag();
    // The open tag's content as an AST; its nodes move out, so the tag is popped next.
    GRMustacheTemplateASTPtr takeCurrentAST();
    GRMustacheTemplateAST::Nodes& currentNodes() { return m_nodesStack.back(); }
    bool fail(Error error);
    bool failAt(const GRMustacheToken& token, const std::string& description);
    GRMustacheTemplateASTPtr partialAST(const std::string& name, Error* error);

    std::vector<GRMustacheTemplateAST::Nodes> m_nodesStack;
    std::vector<GRMustacheTokenPtr> m_openingTokenStack;
    std::vector<TagValue> m_tagValueStack;
    GRMustacheContentType m_contentType;
    bool m_contentTypeLocked = false;
    GRMustacheTemplateRepository* m_templateRepository = nullptr;
    Value m_baseTemplateID;
    std::optional<Error> m_fatalError;
};
