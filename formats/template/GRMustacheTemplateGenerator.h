#pragma once

#include "GRMustacheTemplateASTVisitor.h"

#include <memory>
#include <string>

class GRMustacheTemplateAST;
class GRMustacheTemplateRepository;

// Prints an AST back as template text, with the repository's delimiters.
class GRMustacheTemplateGenerator final : private GRMustacheTemplateASTVisitor {
public:
    explicit GRMustacheTemplateGenerator(std::shared_ptr<GRMustacheTemplateRepository> templateRepository);
    static std::unique_ptr<GRMustacheTemplateGenerator> templateGeneratorWithTemplateRepository(
        std::shared_ptr<GRMustacheTemplateRepository> templateRepository);

    std::string stringWithTemplateAST(const GRMustacheTemplateAST& templateAST);

private:
    bool visitInheritablePartialNode(const GRMustacheInheritablePartialNode& node, Error* error) override;
    bool visitInheritableSectionNode(const GRMustacheInheritableSectionNode& node, Error* error) override;
    bool visitPartialNode(const GRMustachePartialNode& node, Error* error) override;
    bool visitSectionTag(const GRMustacheSectionTag& tag, Error* error) override;
    bool visitTemplateAST(const GRMustacheTemplateAST& ast, Error* error) override;
    bool visitTextNode(const GRMustacheTextNode& node, Error* error) override;
    bool visitVariableTag(const GRMustacheVariableTag& tag, Error* error) override;

    void appendTag(const char* sigil, const std::string& content);

    std::shared_ptr<GRMustacheTemplateRepository> m_templateRepository;
    std::string m_string;
};
