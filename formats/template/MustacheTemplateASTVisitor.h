#pragma once

#include "foundation/Error.h"

class MustacheInheritablePartialNode;
class MustacheInheritableSectionNode;
class MustachePartialNode;
class MustacheSectionTag;
class MustacheTemplateAST;
class MustacheTextNode;
class MustacheVariableTag;

class MustacheTemplateASTVisitor {
public:
    virtual ~MustacheTemplateASTVisitor() = default;

    virtual bool visitInheritablePartialNode(const MustacheInheritablePartialNode& node, Error* error) = 0;
    virtual bool visitInheritableSectionNode(const MustacheInheritableSectionNode& node, Error* error) = 0;
    virtual bool visitPartialNode(const MustachePartialNode& node, Error* error) = 0;
    virtual bool visitSectionTag(const MustacheSectionTag& tag, Error* error) = 0;
    virtual bool visitTemplateAST(const MustacheTemplateAST& ast, Error* error) = 0;
    virtual bool visitTextNode(const MustacheTextNode& node, Error* error) = 0;
    virtual bool visitVariableTag(const MustacheVariableTag& tag, Error* error) = 0;
};
