#include "MustacheCompiler.h"

#include "MustacheError.h"
#include "MustacheExpressionParser.h"
#include "MustacheInheritablePartialNode.h"
#include "MustacheInheritableSectionNode.h"
#include "MustachePartialNode.h"
#include "MustacheRenderingEngine.h"
#include "MustacheSectionTag.h"
#include "MustacheTemplateParser.h"
#include "MustacheTemplateRepository.h"
#include "MustacheTextNode.h"
#include "MustacheVariableTag.h"

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
constexpr std::size_t kMaximumSectionDepth = MustacheRenderingEngine::kMaximumDepth;
constexpr const char* kSectionsTooDeep = "Sections are nested more than 256 levels deep";
constexpr const char* kDifferentStrings = "Support for tokens coming from different strings is not implemented.";

std::string unexpectedClosingTag(const MustacheToken& token)
{
    return "Unexpected " + std::string(token.templateSubstring()) + " closing tag";
}

bool isSectionOpening(const MustacheToken& token)
{
    return token.type() == MustacheTokenTypeSectionOpening
        || token.type() == MustacheTokenTypeInvertedSectionOpening;
}

MustacheTemplateAST::Nodes emptyNodes()
{
    MustacheTemplateAST::Nodes nodes;
    nodes.reserve(kInitialNodeCapacity);
    return nodes;
}

} // namespace

MustacheCompiler::MustacheCompiler(MustacheContentType contentType)
    : m_contentType(contentType)
{
    m_nodesStack.push_back(emptyNodes());
}

Error MustacheCompiler::parseErrorAtToken(const MustacheToken& token, const std::string& description)
{
    return MustacheTemplateParser::parseError(token.line(), token.templateID(), description);
}

bool MustacheCompiler::shouldContinueAfterParsingToken(MustacheTemplateParser&, const MustacheTokenPtr& token)
{
    if (m_fatalError)
        return false;
    return handleToken(token);
}

void MustacheCompiler::didFailWithError(MustacheTemplateParser&, const Error& error)
{
    fail(error);
}

MustacheTemplateASTPtr MustacheCompiler::templateASTReturningError(Error* error)
{
    if (m_fatalError) {
        setMustacheError(error, *m_fatalError);
        return nullptr;
    }
    if (!m_openingTokenStack.empty()) {
        const MustacheToken& opening = *m_openingTokenStack.back();
        setMustacheError(error, parseErrorAtToken(opening, "Unclosed " + std::string(opening.templateSubstring()) + " section"));
        return nullptr;
    }
    return MustacheTemplateAST::templateASTWithASTNodes(std::move(m_nodesStack.front()), m_contentType);
}

bool MustacheCompiler::fail(Error error)
{
    if (!m_fatalError)
        m_fatalError = std::move(error);
    m_nodesStack.clear();
    m_openingTokenStack.clear();
    m_tagValueStack.clear();
    return false;
}

bool MustacheCompiler::failAt(const MustacheToken& token, const std::string& description)
{
    return fail(parseErrorAtToken(token, description));
}

bool MustacheCompiler::handleToken(const MustacheTokenPtr& token)
{
    switch (token->type()) {
    case MustacheTokenTypeText:
        currentNodes().push_back(MustacheTextNode::textNodeWithText(std::string(token->templateSubstring())));
        return true;
    case MustacheTokenTypeEscapedVariable:
    case MustacheTokenTypeUnescapedVariable:
        return handleVariable(token);
    case MustacheTokenTypeComment:
    case MustacheTokenTypeSetDelimiter:
        return true;
    case MustacheTokenTypeSectionOpening:
    case MustacheTokenTypeInvertedSectionOpening:
        return handleSectionOpening(token);
    case MustacheTokenTypeClosing:
        return handleClosing(token);
    case MustacheTokenTypePartial:
        return handlePartial(token);
    case MustacheTokenTypePragma:
        return handlePragma(token);
    case MustacheTokenTypeInheritablePartial:
        return handleInheritableOpening(token, true);
    case MustacheTokenTypeInheritableSectionOpening:
        return handleInheritableOpening(token, false);
    }
    return true;
}

bool MustacheCompiler::handleVariable(const MustacheTokenPtr& token)
{
    Error error;
    MustacheExpressionPtr expression = MustacheExpressionParser().parseExpression(token->tagInnerContent(),
                                                                                      nullptr, &error);
    if (!expression)
        return failAt(*token, error.message);
    expression->setToken(token);
    const bool escapesHTML = token->type() == MustacheTokenTypeEscapedVariable;
    currentNodes().push_back(MustacheVariableTag::variableTagWithExpression(expression, escapesHTML, m_contentType));
    m_contentTypeLocked = true;
    return true;
}

bool MustacheCompiler::handleSectionOpening(const MustacheTokenPtr& token)
{
    bool empty = false;
    Error error;
    MustacheExpressionPtr expression = MustacheExpressionParser().parseExpression(token->tagInnerContent(),
                                                                                      &empty, &error);
    if (!m_openingTokenStack.empty()) {
        const MustacheTokenPtr& opening = m_openingTokenStack.back();
        const bool oppositeKind = isSectionOpening(*opening) && opening->type() != token->type();
        if (oppositeKind) {
            const MustacheExpressionPtr& openExpression = std::get<MustacheExpressionPtr>(m_tagValueStack.back());
            if ((!expression && empty) || expressionsEqual(expression.get(), openExpression.get())) {
                // An "else": close the open section and open its opposite on the same expression.
                MustacheTemplateASTNodePtr closed = sectionNode(*token, openExpression);
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

MustacheTemplateASTNodePtr MustacheCompiler::sectionNode(const MustacheToken& closingToken,
                                                             const MustacheExpressionPtr& expression)
{
    const MustacheToken& opening = *m_openingTokenStack.back();
    if (opening.templateText() != closingToken.templateText())
        throw Exception(kInternalInconsistencyException, kDifferentStrings);
    const auto between = [](TextRange before, TextRange after) {
        return TextRange{before.end(), after.location - before.end()};
    };
    const MustacheTokenSpan inner{between(opening.range(), closingToken.range()),
                                    between(opening.span().bytes, closingToken.span().bytes)};
    return MustacheSectionTag::sectionTagWithExpression(
        expression, opening.type() == MustacheTokenTypeInvertedSectionOpening, opening.templateText(), inner,
        takeCurrentAST());
}

bool MustacheCompiler::handleClosing(const MustacheTokenPtr& token)
{
    if (m_openingTokenStack.empty())
        return failAt(*token, unexpectedClosingTag(*token));
    const MustacheToken& opening = *m_openingTokenStack.back();
    const TagValue& openValue = m_tagValueStack.back();
    if (isSectionOpening(opening))
        return closeSection(token, std::get<MustacheExpressionPtr>(openValue));
    if (opening.type() == MustacheTokenTypeInheritablePartial)
        return closeInheritablePartial(token, std::get<std::string>(openValue));
    return closeInheritableSection(token, std::get<std::string>(openValue));
}

bool MustacheCompiler::closeSection(const MustacheTokenPtr& token, const MustacheExpressionPtr& openExpression)
{
    bool empty = false;
    Error error;
    MustacheExpressionPtr expression = MustacheExpressionParser().parseExpression(token->tagInnerContent(),
                                                                                      &empty, &error);
    if (!expression && !empty)
        return failAt(*token, error.message);
    if (expression && !expression->isEqual(*openExpression))
        return failAt(*token, unexpectedClosingTag(*token));
    MustacheTemplateASTNodePtr node = sectionNode(*token, openExpression);
    popTag();
    currentNodes().push_back(std::move(node));
    return true;
}

bool MustacheCompiler::closeInheritablePartial(const MustacheTokenPtr& token, const std::string& openName)
{
    bool empty = false;
    Error error;
    std::optional<std::string> name = MustacheTemplateParser::parseTemplateName(token->tagInnerContent(), &empty,
                                                                                 &error);
    if (!name && !empty)
        return failAt(*token, error.message + kInPartialClosingTag);
    if (name && *name != openName)
        return failAt(*token, unexpectedClosingTag(*token));
    MustacheTemplateASTPtr ast = partialAST(openName, &error);
    if (!ast)
        return fail(error);
    if (!ast->isPlaceholder() && ast->contentType() != m_contentType)
        return failAt(*m_openingTokenStack.back(), kHTMLSafetyMismatch);
    MustacheTemplateASTNodePtr node = MustacheInheritablePartialNode::inheritablePartialNodeWithPartialNode(
        MustachePartialNode::partialNodeWithTemplateAST(ast, openName), takeCurrentAST());
    popTag();
    currentNodes().push_back(std::move(node));
    return true;
}

bool MustacheCompiler::closeInheritableSection(const MustacheTokenPtr& token, const std::string& openName)
{
    bool empty = false;
    Error error;
    std::optional<std::string> name = MustacheTemplateParser::parseInheritableSectionName(token->tagInnerContent(),
                                                                                           &empty, &error);
    if (!name && !empty)
        return failAt(*token, error.message + kInPartialClosingTag);
    if (name && *name != openName)
        return failAt(*token, unexpectedClosingTag(*token));
    MustacheTemplateASTNodePtr node = MustacheInheritableSectionNode::inheritableSectionNodeWithName(openName,
                                                                                                       takeCurrentAST());
    popTag();
    currentNodes().push_back(std::move(node));
    return true;
}

bool MustacheCompiler::handlePartial(const MustacheTokenPtr& token)
{
    Error error;
    std::optional<std::string> name = MustacheTemplateParser::parseTemplateName(token->tagInnerContent(), nullptr,
                                                                                 &error);
    if (!name)
        return failAt(*token, error.message + kInPartialTag);
    MustacheTemplateASTPtr ast = partialAST(*name, &error);
    if (!ast)
        return fail(error);
    currentNodes().push_back(MustachePartialNode::partialNodeWithTemplateAST(ast, *name));
    m_contentTypeLocked = true;
    return true;
}

bool MustacheCompiler::handlePragma(const MustacheTokenPtr& token)
{
    const std::optional<std::string> pragma = MustacheTemplateParser::parsePragma(token->tagInnerContent());
    if (!pragma)
        return true;
    std::optional<MustacheContentType> requested;
    if (*pragma == kPragmaText)
        requested = MustacheContentTypeText;
    else if (*pragma == kPragmaHTML)
        requested = MustacheContentTypeHTML;
    if (!requested)
        return true;
    if (m_contentTypeLocked)
        return failAt(*token, *pragma + kPragmaTooLateSuffix);
    m_contentType = *requested;
    return true;
}

bool MustacheCompiler::handleInheritableOpening(const MustacheTokenPtr& token, bool isPartial)
{
    Error error;
    const std::string_view content = token->tagInnerContent();
    std::optional<std::string> name = isPartial
        ? MustacheTemplateParser::parseTemplateName(content, nullptr, &error)
        : MustacheTemplateParser::parseInheritableSectionName(content, nullptr, &error);
    if (!name)
        return failAt(*token, error.message + (isPartial ? kInPartialTag : kInInheritableSectionTag));
    return openTag(std::move(*name), token);
}

bool MustacheCompiler::openTag(TagValue value, const MustacheTokenPtr& token)
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

void MustacheCompiler::popTag()
{
    m_tagValueStack.pop_back();
    m_openingTokenStack.pop_back();
    m_nodesStack.pop_back();
}

MustacheTemplateASTPtr MustacheCompiler::takeCurrentAST()
{
    return MustacheTemplateAST::templateASTWithASTNodes(std::move(m_nodesStack.back()), m_contentType);
}

MustacheTemplateASTPtr MustacheCompiler::partialAST(const std::string& name, Error* error)
{
    if (!m_templateRepository) {
        setMustacheError(error, MustacheTemplateRepository::templateNotFoundError(name));
        return nullptr;
    }
    return m_templateRepository->templateASTNamed(name, m_baseTemplateID, error);
}
