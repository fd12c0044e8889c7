#pragma once

#include "MustacheContentType.h"
#include "MustacheExpression.h"
#include "MustacheTemplateAST.h"
#include "MustacheTemplateParserDelegate.h"

#include "foundation/Value.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

class MustacheTemplateRepository;

// Builds the AST of one template from the tokens of its parse.
class MustacheCompiler final : public MustacheTemplateParserDelegate {
public:
    explicit MustacheCompiler(MustacheContentType contentType);

    // Partials are loaded through the repository, relative to the base template ID.
    void setTemplateRepository(MustacheTemplateRepository* repository) { m_templateRepository = repository; }
    void setBaseTemplateID(Value templateID) { m_baseTemplateID = std::move(templateID); }

    bool shouldContinueAfterParsingToken(MustacheTemplateParser& parser, const MustacheTokenPtr& token) override;
    void didFailWithError(MustacheTemplateParser& parser, const Error& error) override;

    // The finished AST, or null with the first error.
    MustacheTemplateASTPtr templateASTReturningError(Error* error);

    static Error parseErrorAtToken(const MustacheToken& token, const std::string& description);

private:
    // An open section's expression, or an inheritable tag's name.
    using TagValue = std::variant<MustacheExpressionPtr, std::string>;

    bool handleToken(const MustacheTokenPtr& token);
    bool handleVariable(const MustacheTokenPtr& token);
    bool handleSectionOpening(const MustacheTokenPtr& token);
    bool handleClosing(const MustacheTokenPtr& token);
    bool handlePartial(const MustacheTokenPtr& token);
    bool handlePragma(const MustacheTokenPtr& token);
    bool handleInheritableOpening(const MustacheTokenPtr& token, bool isPartial);

    bool closeSection(const MustacheTokenPtr& token, const MustacheExpressionPtr& openExpression);
    bool closeInheritablePartial(const MustacheTokenPtr& token, const std::string& openName);
    bool closeInheritableSection(const MustacheTokenPtr& token, const std::string& openName);
    // Takes the open section's content.
    MustacheTemplateASTNodePtr sectionNode(const MustacheToken& closingToken, const MustacheExpressionPtr& expression);

    bool openTag(TagValue value, const MustacheTokenPtr& token);
    void popTag();
    // The open tag's content as an AST; its nodes move out, so the tag is popped next.
    MustacheTemplateASTPtr takeCurrentAST();
    MustacheTemplateAST::Nodes& currentNodes() { return m_nodesStack.back(); }
    bool fail(Error error);
    bool failAt(const MustacheToken& token, const std::string& description);
    MustacheTemplateASTPtr partialAST(const std::string& name, Error* error);

    std::vector<MustacheTemplateAST::Nodes> m_nodesStack;
    std::vector<MustacheTokenPtr> m_openingTokenStack;
    std::vector<TagValue> m_tagValueStack;
    MustacheContentType m_contentType;
    bool m_contentTypeLocked = false;
    MustacheTemplateRepository* m_templateRepository = nullptr;
    Value m_baseTemplateID;
    std::optional<Error> m_fatalError;
};
