#include "MustacheTemplateGenerator.h"

#include "MustacheExpressionGenerator.h"
#include "MustacheInheritablePartialNode.h"
#include "MustacheInheritableSectionNode.h"
#include "MustachePartialNode.h"
#include "MustacheSectionTag.h"
#include "MustacheTemplateRepository.h"
#include "MustacheTextNode.h"
#include "MustacheVariableTag.h"

MustacheTemplateGenerator::MustacheTemplateGenerator(std::shared_ptr<MustacheTemplateRepository> templateRepository)
    : m_templateRepository(std::move(templateRepository))
{
}

std::unique_ptr<MustacheTemplateGenerator> MustacheTemplateGenerator::templateGeneratorWithTemplateRepository(
    std::shared_ptr<MustacheTemplateRepository> templateRepository)
{
    return std::make_unique<MustacheTemplateGenerator>(std::move(templateRepository));
}

std::string MustacheTemplateGenerator::stringWithTemplateAST(const MustacheTemplateAST& templateAST)
{
    m_string.clear();
    templateAST.acceptTemplateASTVisitor(*this, nullptr);
    return std::move(m_string);
}

void MustacheTemplateGenerator::appendTag(const char* sigil, const std::string& content)
{
    const MustacheConfiguration& configuration = m_templateRepository->configuration();
    m_string += configuration.tagStartDelimiter();
    m_string += sigil;
    m_string += content;
    m_string += configuration.tagEndDelimiter();
}

bool MustacheTemplateGenerator::visitInheritablePartialNode(const MustacheInheritablePartialNode& node,
                                                              Error* error)
{
    const std::string& name = node.partialNode()->name();
    appendTag("<", name);
    visitTemplateAST(*node.overridingTemplateAST(), error);
    appendTag("/", name);
    return true;
}

bool MustacheTemplateGenerator::visitInheritableSectionNode(const MustacheInheritableSectionNode& node,
                                                              Error* error)
{
    appendTag("$", node.name());
    visitTemplateAST(*node.templateAST(), error);
    appendTag("/", node.name());
    return true;
}

bool MustacheTemplateGenerator::visitPartialNode(const MustachePartialNode& node, Error*)
{
    appendTag(">", node.name());
    return true;
}

bool MustacheTemplateGenerator::visitSectionTag(const MustacheSectionTag& tag, Error* error)
{
    const std::string expression = MustacheExpressionGenerator().stringWithExpression(*tag.expression());
    appendTag(tag.isInverted() ? "^" : "#", expression);
    visitTemplateAST(*tag.templateAST(), error);
    appendTag("/", expression);
    return true;
}

bool MustacheTemplateGenerator::visitTemplateAST(const MustacheTemplateAST& ast, Error* error)
{
    for (const MustacheTemplateASTNodePtr& node : ast.templateASTNodes())
        node->acceptTemplateASTVisitor(*this, error);
    return true;
}

bool MustacheTemplateGenerator::visitTextNode(const MustacheTextNode& node, Error*)
{
    m_string += node.text();
    return true;
}

bool MustacheTemplateGenerator::visitVariableTag(const MustacheVariableTag& tag, Error*)
{
    appendTag(tag.escapesHTML() ? "" : "&", MustacheExpressionGenerator().stringWithExpression(*tag.expression()));
    return true;
}
