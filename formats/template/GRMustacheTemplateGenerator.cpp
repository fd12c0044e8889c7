#include "GRMustacheTemplateGenerator.h"

#include "GRMustacheExpressionGenerator.h"
#include "GRMustacheInheritablePartialNode.h"
#include "GRMustacheInheritableSectionNode.h"
#include "GRMustachePartialNode.h"
#include "GRMustacheSectionTag.h"
#include "GRMustacheTemplateRepository.h"
#include "GRMustacheTextNode.h"
#include "GRMustacheVariableTag.h"

GRMustacheTemplateGenerator::GRMustacheTemplateGenerator(std::shared_ptr<GRMustacheTemplateRepository> templateRepository)
    : m_templateRepository(std::move(templateRepository))
{
}

std::unique_ptr<GRMustacheTemplateGenerator> GRMustacheTemplateGenerator::templateGeneratorWithTemplateRepository(
    std::shared_ptr<GRMustacheTemplateRepository> templateRepository)
{
    return std::make_unique<GRMustacheTemplateGenerator>(std::move(templateRepository));
}

std::string GRMustacheTemplateGenerator::stringWithTemplateAST(const GRMustacheTemplateAST& templateAST)
{
    m_string.clear();
    templateAST.acceptTemplateASTVisitor(*this, nullptr);
    return std::move(m_string);
}

void GRMustacheTemplateGenerator::appendTag(const char* sigil, const std::string& content)
{
    const GRMustacheConfiguration& configuration = m_templateRepository->configuration();
    m_string += configuration.tagStartDelimiter();
    m_string += sigil;
    m_string += content;
    m_string += configuration.tagEndDelimiter();
}

bool GRMustacheTemplateGenerator::visitInheritablePartialNode(const GRMustacheInheritablePartialNode& node,
                                                              Error* error)
{
    const std::string& name = node.partialNode()->name();
    appendTag("<", name);
    visitTemplateAST(*node.overridingTemplateAST(), error);
    appendTag("/", name);
    return true;
}

bool GRMustacheTemplateGenerator::visitInheritableSectionNode(const GRMustacheInheritableSectionNode& node,
                                                              Error* error)
{
    appendTag("$", node.name());
    visitTemplateAST(*node.templateAST(), error);
    appendTag("/", node.name());
    return true;
}

bool GRMustacheTemplateGenerator::visitPartialNode(const GRMustachePartialNode& node, Error*)
{
    appendTag(">", node.name());
    return true;
}

bool GRMustacheTemplateGenerator::visitSectionTag(const GRMustacheSectionTag& tag, Error* error)
{
    const std::string expression = GRMustacheExpressionGenerator().stringWithExpression(*tag.expression());
    appendTag(tag.isInverted() ? "^" : "#", expression);
    visitTemplateAST(*tag.templateAST(), error);
    appendTag("/", expression);
    return true;
}

bool GRMustacheTemplateGenerator::visitTemplateAST(const GRMustacheTemplateAST& ast, Error* error)
{
    for (const GRMustacheTemplateASTNodePtr& node : ast.templateASTNodes())
        node->acceptTemplateASTVisitor(*this, error);
    return true;
}

bool GRMustacheTemplateGenerator::visitTextNode(const GRMustacheTextNode& node, Error*)
{
    m_string += node.text();
    return true;
}

bool GRMustacheTemplateGenerator::visitVariableTag(const GRMustacheVariableTag& tag, Error*)
{
    appendTag(tag.escapesHTML() ? "" : "&", GRMustacheExpressionGenerator().stringWithExpression(*tag.expression()));
    return true;
}
