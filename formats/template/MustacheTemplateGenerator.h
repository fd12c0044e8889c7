#pragma once

#include "MustacheTemplateASTVisitor.h"

#include <memory>
#include <string>

class MustacheTemplateAST;
class MustacheTemplateRepository;

// Prints an AST back as template text, with the repository's delimiters.
class MustacheTemplateGenerator final : private MustacheTemplateASTVisitor {
public:
    explicit MustacheTemplateGenerator(std::shared_ptr<MustacheTemplateRepository> templateRepository);
    static std::unique_ptr<MustacheTemplateGenerator> templateGeneratorWithTemplateRepository(
        std::shared_ptr<MustacheTemplateRepository> templateRepository);

    std::string stringWithTemplateAST(const MustacheTemplateAST& templateAST);

private:
    bool visitInheritablePartialNode(const MustacheInheritablePartialNode& node, Error* error) override;
    bool visitInheritableSectionNode(const MustacheInheritableSectionNode& node, Error* error) override;
    bool visitPartialNode(const MustachePartialNode& node, Error* error) override;
    bool visitSectionTag(const MustacheSectionTag& tag, Error* error) override;
    bool visitTemplateAST(const MustacheTemplateAST& ast, Error* error) override;
    bool visitTextNode(const MustacheTextNode& node, Error* error) override;
    bool visitVariableTag(const MustacheVariableTag& tag, Error* error) override;

    void appendTag(const char* sigil, const std::string& content);

    std::shared_ptr<MustacheTemplateRepository> m_templateRepository;
    std::string m_string;
};
