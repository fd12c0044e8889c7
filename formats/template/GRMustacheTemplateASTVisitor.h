#pragma once

#include "foundation/Error.h"

class GRMustacheInheritablePartialNode;
class GRMustacheInheritableSectionNode;
class GRMustachePartialNode;
class GRMustacheSectionTag;
class GRMustacheTemplateAST;
class GRMustacheTextNode;
class GRMustacheVariableTag;

class GRMustacheTemplateASTVisitor {
public:
    virtual ~GRMustacheTemplateASTVisitor() = default;

    virtual bool visitInheritablePartialNode(const GRMustacheInheritablePartialNode& node, Error* error) = 0;
    virtual bool visitInheritableSectionNode(const GRMustacheInheritableSectionNode& node, Error* error) = 0;
    virtual bool visitPartialNode(const GRMustachePartialNode& node, Error* error) = 0;
    virtual bool visitSectionTag(const GRMustacheSectionTag& tag, Error* error) = 0;
    virtual bool visitTemplateAST(const GRMustacheTemplateAST& ast, Error* error) = 0;
    virtual bool visitTextNode(const GRMustacheTextNode& node, Error* error) = 0;
    virtual bool visitVariableTag(const GRMustacheVariableTag& tag, Error* error) = 0;
};
