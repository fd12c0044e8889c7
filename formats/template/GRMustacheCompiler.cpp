#include "GRMustacheCompiler.h"

#include "GRMustacheError.h"
#include "GRMustacheExpressionParser.h"
#include "GRMustacheInheritablePartialNode.h"
#include "GRMustacheInheritableSectionNode.h"
#include "GRMustachePartialNode.h"
#include "GRMustacheRenderingEngine.h"
#include "GRMustacheSectionTag.h"
#include "GRMustacheTemplateParser.h"
#include "GRMustacheTemplateRepository.h"
#include "GRMustacheTextNode.h"
#include "GRMustacheVariableTag.h"

#include "foundation/Exception.h"

namespace {

constexpr std::size_t kInitialNodeCapacity = 20;
constexpr const char* kPragmaText = "CONTENT_TYPE:TEXT";
constexpr const char* kPragmaHTML = "CONTENT_TYPE:HTML";
constexpr const char* kPragmaTooLateSuffix = " pragma tag must prepend any Mustache variable, section, or partial tag.";
constexpr const char* kInPartialTag = " in partial tag";
constexpr const char* kInPartialClosingTag = " in partial closing tag";
constexpr const char* kInInheritableSectionTag = " in inheritable section tag";
constexpr const char* kHTMLSafetyMismatch = "HTML safety mismatch";
constexpr std::size_t kMaximumSectionDepth = GRMustacheRenderingEngine::kMaximumDepth;
constexpr const char* kSectionsTooDeep = "Sections are nested more than 256 levels deep";
constexpr const char* kDifferentStrings = "Support for tokens coming from different strings is not implemented.";

std::string unexpectedClosingTag(const GRMustacheToken& token)
{
    return "Unexpected " + std::string(token.templateSubstring()) + " closing tag";
}

bool isSectionOpening(const GRMustacheToken& token)
{
    return token.type() == GRMustacheTokenTypeSectionOpening
        || token.type() == GRMustacheTokenTypeInvertedSectionOpening;
}

GRMustacheTemplateAST::Nodes emptyNodes()
{
    GRMustacheTemplateAST::Nodes nodes;
    nodes.reserve(kInitialNodeCapacity);
    return nodes;
}

} // namespace

GRMustacheCompiler::GRMustacheCompiler(GRMustacheContentType contentType)
    : m_contentType(contentType)
{
    m_nodesStack.push_back(emptyNodes());
}

Error GRMustacheCompiler::parseErrorAtToken(const GRMustacheToken& token, const std::string& description)
{
    return GRMustacheTemplateParser::parseError(token.line(), token.templateID(), description);
}

bool GRMustacheCompiler::shouldContinueAfterParsingToken(GRMustacheTemplateParser&, const GRMustacheTokenPtr& token)
{
    if (m_fatalError)
        return false;
    return handleToken(token);
}

void GRMustacheCompiler::didFailWithError(GRMustacheTemplateParser&, const Error& error)
{
    fail(error);
}

GRMustacheTemplateASTPtr GRMustacheCompiler::templateASTReturningError(Error* error)
{
    if (m_fatalError) {
        setMustacheError(error, *m_fatalError);
        return nullptr;
    }
    if (!m_openingTokenStack.empty()) {
        const GRMustacheToken& opening = *m_openingTokenStack.back();
        setMustacheError(error, parseErrorAtToken(opening, "Unclosed " + std::string(opening.templateSubstring()) + " section"));
        return nullptr;
    }
    return GRMustacheTemplateAST::templateASTWithASTNodes(std::move(m_nodesStack.front()), m_contentType);
}

bool GRMustacheCompiler::fail(Error error)
{
    if (!m_fatalError)
        m_fatalError = std::move(error);
    m_nodesStack.clear();
    m_openingTokenStack.clear();
    m_tagValueStack.clear();
    return false;
}

bool GRMustacheCompiler::failAt(const GRMustacheToken& token, const std::string& description)
{
    return fail(parseErrorAtToken(token, description));
}

bool GRMustacheCompiler::handleToken(const GRMustacheTokenPtr& token)
{
    switch (token->type()) {
    case GRMustacheTokenTypeText:
        currentNodes().push_back(GRMustacheTextNode::textNodeWithText(std::string(token->templateSubstring())));
        return true;
    case GRMustacheTokenTypeEscapedVariable:
    case GRMustacheTokenTypeUnescapedVariable:
        return handleVariable(token);
    case GRMustacheTokenTypeComment:
    case GRMustacheTokenTypeSetDelimiter:
        return true;
    case GRMustacheTokenTypeSectionOpening:
    case GRMustacheTokenTypeInvertedSectionOpening:
        return handleSectionOpening(token);
    case GRMustacheTokenTypeClosing:
        return handleClosing(token);
    case GRMustacheTokenTypePartial:
        return handlePartial(token);
    case GRMustacheTokenTypePragma:
        return handlePragma(token);
    case GRMustacheTokenTypeInheritablePartial:
        return handleInheritableOpening(token, true);
    case GRMustacheTokenTypeInheritableSectionOpening:
        return handleInheritableOpening(token, false);
    }
    return true;
}

bool GRMustacheCompiler::handleVariable(const GRMustacheTokenPtr& token)
{
    Error error;
    GRMustacheExpressionPtr expression = GRMustacheExpressionParser().parseExpression(token->tagInnerContent(),
                                                                                      nullptr, &error);
    if (!expression)
        return failAt(*token, error.message);
    expression->setToken(token);
    const bool escapesHTML = token->type() == GRMustacheTokenTypeEscapedVariable;
    currentNodes().push_back(GRMustacheVariableTag::variableTagWithExpression(expression, escapesHTML, m_contentType));
    m_contentTypeLocked = true;
    return true;
}

bool GRMustacheCompiler::handleSectionOpening(const GRMustacheTokenPtr& token)
{
    bool empty = false;
    Error error;
    GRMustacheExpressionPtr expression = GRMustacheExpressionParser().parseExpression(token->tagInnerContent(),
                                                                                      &empty, &error);
    if (!m_openingTokenStack.empty()) {
        const GRMustacheTokenPtr& opening = m_openingTokenStack.back();
        const bool oppositeKind = isSectionOpening(*opening) && opening->type() != token->type();
        if (oppositeKind) {
            const GRMustacheExpressionPtr& openExpression = std::get<GRMustacheExpressionPtr>(m_tagValueStack.back());
            if ((!expression && empty) || expressionsEqual(expression.get(), openExpression.get())) {
                // An "else": close the open section and open its opposite on the same expression.
                GRMustacheTemplateASTNodePtr closed = sectionNode(*token, openExpression);
                m_nodesStack.pop_back();
                currentNodes().push_back(std::move(closed));
                m_nodesStack.push_back(emptyNodes());
                m_openingTokenStack.back() = token;
                return true;
            }
        }
    }
    if (!expression)
        return failAt(*token, error.message);
    expression->setToken(token);
    return openTag(expression, token);
}

GRMustacheTemplateASTNodePtr GRMustacheCompiler::sectionNode(const GRMustacheToken& closingToken,
                                                             const GRMustacheExpressionPtr& expression)
{
    const GRMustacheToken& opening = *m_openingTokenStack.back();
    if (opening.templateText() != closingToken.templateText())
        throw Exception(kInternalInconsistencyException, kDifferentStrings);
    const auto between = [](TextRange before, TextRange after) {
        return TextRange{before.end(), after.location - before.end()};
    };
    const GRMustacheTokenSpan inner{between(opening.range(), closingToken.range()),
                                    between(opening.span().bytes, closingToken.span().bytes)};
    return GRMustacheSectionTag::sectionTagWithExpression(
        expression, opening.type() == GRMustacheTokenTypeInvertedSectionOpening, opening.templateText(), inner,
        takeCurrentAST());
}

bool GRMustacheCompiler::handleClosing(const GRMustacheTokenPtr& token)
{
    if (m_openingTokenStack.empty())
        return failAt(*token, unexpectedClosingTag(*token));
    const GRMustacheToken& opening = *m_openingTokenStack.back();
    const TagValue& openValue = m_tagValueStack.back();
    if (isSectionOpening(opening))
        return closeSection(token, std::get<GRMustacheExpressionPtr>(openValue));
    if (opening.type() == GRMustacheTokenTypeInheritablePartial)
        return closeInheritablePartial(token, std::get<std::string>(openValue));
    return closeInheritableSection(token, std::get<std::string>(openValue));
}

bool GRMustacheCompiler::closeSection(const GRMustacheTokenPtr& token, const GRMustacheExpressionPtr& openExpression)
{
    bool empty = false;
    Error error;
    GRMustacheExpressionPtr expression = GRMustacheExpressionParser().parseExpression(token->tagInnerContent(),
                                                                                      &empty, &error);
    if (!expression && !empty)
        return failAt(*token, error.message);
    if (expression && !expression->isEqual(*openExpression))
        return failAt(*token, unexpectedClosingTag(*token));
    GRMustacheTemplateASTNodePtr node = sectionNode(*token, openExpression);
    popTag();
    currentNodes().push_back(std::move(node));
    return true;
}

bool GRMustacheCompiler::closeInheritablePartial(const GRMustacheTokenPtr& token, const std::string& openName)
{
    bool empty = false;
    Error error;
    std::optional<std::string> name = GRMustacheTemplateParser::parseTemplateName(token->tagInnerContent(), &empty,
                                                                                 &error);
    if (!name && !empty)
        return failAt(*token, error.message + kInPartialClosingTag);
    if (name && *name != openName)
        return failAt(*token, unexpectedClosingTag(*token));
    GRMustacheTemplateASTPtr ast = partialAST(openName, &error);
    if (!ast)
        return fail(error);
    if (!ast->isPlaceholder() && ast->contentType() != m_contentType)
        return failAt(*m_openingTokenStack.back(), kHTMLSafetyMismatch);
    GRMustacheTemplateASTNodePtr node = GRMustacheInheritablePartialNode::inheritablePartialNodeWithPartialNode(
        GRMustachePartialNode::partialNodeWithTemplateAST(ast, openName), takeCurrentAST());
    popTag();
    currentNodes().push_back(std::move(node));
    return true;
}

bool GRMustacheCompiler::closeInheritableSection(const GRMustacheTokenPtr& token, const std::string& openName)
{
    bool empty = false;
    Error error;
    std::optional<std::string> name = GRMustacheTemplateParser::parseInheritableSectionName(token->tagInnerContent(),
                                                                                           &empty, &error);
    if (!name && !empty)
        return failAt(*token, error.message + kInPartialClosingTag);
    if (name && *name != openName)
        return failAt(*token, unexpectedClosingTag(*token));
    GRMustacheTemplateASTNodePtr node = GRMustacheInheritableSectionNode::inheritableSectionNodeWithName(openName,
                                                                                                       takeCurrentAST());
    popTag();
    currentNodes().push_back(std::move(node));
    return true;
}

bool GRMustacheCompiler::handlePartial(const GRMustacheTokenPtr& token)
{
    Error error;
    std::optional<std::string> name = GRMustacheTemplateParser::parseTemplateName(token->tagInnerContent(), nullptr,
                                                                                 &error);
    if (!name)
        return failAt(*token, error.message + kInPartialTag);
    GRMustacheTemplateASTPtr ast = partialAST(*name, &error);
    if (!ast)
        return fail(error);
    currentNodes().push_back(GRMustachePartialNode::partialNodeWithTemplateAST(ast, *name));
    m_contentTypeLocked = true;
    return true;
}

bool GRMustacheCompiler::handlePragma(const GRMustacheTokenPtr& token)
{
    const std::optional<std::string> pragma = GRMustacheTemplateParser::parsePragma(token->tagInnerContent());
    if (!pragma)
        return true;
    std::optional<GRMustacheContentType> requested;
    if (*pragma == kPragmaText)
        requested = GRMustacheContentTypeText;
    else if (*pragma == kPragmaHTML)
        requested = GRMustacheContentTypeHTML;
    if (!requested)
        return true;
    if (m_contentTypeLocked)
        return failAt(*token, *pragma + kPragmaTooLateSuffix);
    m_contentType = *requested;
    return true;
}

bool GRMustacheCompiler::handleInheritableOpening(const GRMustacheTokenPtr& token, bool isPartial)
{
    Error error;
    const std::string_view content = token->tagInnerContent();
    std::optional<std::string> name = isPartial
        ? GRMustacheTemplateParser::parseTemplateName(content, nullptr, &error)
        : GRMustacheTemplateParser::parseInheritableSectionName(content, nullptr, &error);
    if (!name)
        return failAt(*token, error.message + (isPartial ? kInPartialTag : kInInheritableSectionTag));
    return openTag(std::move(*name), token);
}

bool GRMustacheCompiler::openTag(TagValue value, const GRMustacheTokenPtr& token)
{
    // Deeper sections could never render, and their destruction would exhaust the stack.
    if (m_openingTokenStack.size() >= kMaximumSectionDepth)
        return failAt(*token, kSectionsTooDeep);
    m_tagValueStack.push_back(std::move(value));
    m_openingTokenStack.push_back(token);
    m_nodesStack.push_back(emptyNodes());
    m_contentTypeLocked = true;
    return true;
}

void GRMustacheCompiler::popTag()
{
    m_tagValueStack.pop_back();
    m_openingTokenStack.pop_back();
    m_nodesStack.pop_back();
}

GRMustacheTemplateASTPtr GRMustacheCompiler::takeCurrentAST()
{
    return GRMustacheTemplateAST::templateASTWithASTNodes(std::move(m_nodesStack.back()), m_contentType);
}

GRMustacheTemplateASTPtr GRMustacheCompiler::partialAST(const std::string& name, Error* error)
{
    if (!m_templateRepository) {
        setMustacheError(error, GRMustacheTemplateRepository::templateNotFoundError(name));
        return nullptr;
    }
    return m_templateRepository->templateASTNamed(name, m_baseTemplateID, error);
}
