#pragma once

#include "GRMustacheContentType.h"
#include "GRMustacheContext.h"
#include "GRMustacheTemplateASTVisitor.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class GRMustacheExpression;
class GRMustacheTag;
class GRMustacheTemplateAST;

// Renders one AST in one context.
class GRMustacheRenderingEngine final : private GRMustacheTemplateASTVisitor {
public:
    GRMustacheRenderingEngine(GRMustacheContentType contentType, GRMustacheContextPtr context);
    static std::unique_ptr<GRMustacheRenderingEngine> renderingEngineWithContentType(GRMustacheContentType contentType,
                                                                                     GRMustacheContextPtr context);

    // The text, HTML-safe when the engine renders HTML; nullopt with the error on failure.
    std::optional<std::string> renderTemplateAST(const GRMustacheTemplateAST& ast, bool& HTMLSafe, Error* error);

    // How deeply renderings may nest on one thread, partials and sections included.
    static constexpr int kMaximumDepth = 256;
    // How much one rendering may do (nodes and contents rendered) and produce (bytes of
    // text and values), nested renderings included: far beyond any real template, and
    // small enough that a template multiplying its work at every level fails quickly.
    static constexpr std::size_t kMaximumWork = std::size_t{1} << 20;
    static constexpr std::size_t kMaximumOutput = std::size_t{16} << 20;

private:
    bool visitInheritablePartialNode(const GRMustacheInheritablePartialNode& node, Error* error) override;
    bool visitInheritableSectionNode(const GRMustacheInheritableSectionNode& node, Error* error) override;
    bool visitPartialNode(const GRMustachePartialNode& node, Error* error) override;
    bool visitSectionTag(const GRMustacheSectionTag& tag, Error* error) override;
    bool visitTemplateAST(const GRMustacheTemplateAST& ast, Error* error) override;
    bool visitTextNode(const GRMustacheTextNode& node, Error* error) override;
    bool visitVariableTag(const GRMustacheVariableTag& tag, Error* error) override;

    // An AST of another content type, rendered by an engine of its type.
    bool renderInOtherEngine(const GRMustacheTemplateAST& ast, Error* error);
    // `isVariable`: the tag's type is GRMustacheTagTypeVariable, else a section.
    bool visitTag(const GRMustacheTag& tag, bool isVariable, const GRMustacheExpression& expression, bool escapesHTML,
                  Error* error);
    // What visitTag does with tag delegates or with values of other kinds.
    bool renderThroughDelegates(const GRMustacheTag& tag, Value value, const GRMustacheContext& context,
                                bool escapesHTML, Error* error);
    std::optional<bool> renderValue(const GRMustacheTag& tag, bool isVariable, const Value& value,
                                    const GRMustacheContext& context, bool escapesHTML, Error* error);
    // The content in another context, into this engine's buffer; the caller keeps the context alive.
    bool renderContent(const GRMustacheTemplateAST& content, const GRMustacheContext& context, Error* error);
    bool renderItems(const GRMustacheTag& tag, const GRMustacheTemplateAST& content, const std::vector<Value>& items,
                     const GRMustacheContext& context, Error* error);
    void appendText(std::string_view text, bool escapesHTML);

    GRMustacheContentType m_contentType;
    // The context the engine was made with keeps it alive; the current one is held by
    // whoever set it, for as long as it is current.
    GRMustacheContextPtr m_baseContext;
    const GRMustacheContext* m_context;
    // Whether a visit of this engine has its content type on the thread's stack.
    bool m_contentTypePushed = false;
    std::string m_buffer;
};
