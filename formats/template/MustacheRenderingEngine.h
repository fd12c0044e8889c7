#pragma once

#include "MustacheContentType.h"
#include "MustacheContext.h"
#include "MustacheTemplateASTVisitor.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class MustacheExpression;
class MustacheTag;
class MustacheTemplateAST;

// Renders one AST in one context.
class MustacheRenderingEngine final : private MustacheTemplateASTVisitor {
public:
    MustacheRenderingEngine(MustacheContentType contentType, MustacheContextPtr context);
    static std::unique_ptr<MustacheRenderingEngine> renderingEngineWithContentType(MustacheContentType contentType,
                                                                                     MustacheContextPtr context);

    // The text, HTML-safe when the engine renders HTML; nullopt with the error on failure.
    std::optional<std::string> renderTemplateAST(const MustacheTemplateAST& ast, bool& HTMLSafe, Error* error);

    // How deeply renderings may nest on one thread, partials and sections included.
    static constexpr int kMaximumDepth = 256;
    // How much one rendering may do (nodes and contents rendered) and produce (bytes of
    // text and values), nested renderings included: far beyond any real template, and
    // small enough that a template multiplying its work at every level fails quickly.
    static constexpr std::size_t kMaximumWork = std::size_t{1} << 20;
    static constexpr std::size_t kMaximumOutput = std::size_t{16} << 20;

private:
    bool visitInheritablePartialNode(const MustacheInheritablePartialNode& node, Error* error) override;
    bool visitInheritableSectionNode(const MustacheInheritableSectionNode& node, Error* error) override;
    bool visitPartialNode(const MustachePartialNode& node, Error* error) override;
    bool visitSectionTag(const MustacheSectionTag& tag, Error* error) override;
    bool visitTemplateAST(const MustacheTemplateAST& ast, Error* error) override;
    bool visitTextNode(const MustacheTextNode& node, Error* error) override;
    bool visitVariableTag(const MustacheVariableTag& tag, Error* error) override;

    // An AST of another content type, rendered by an engine of its type.
    bool renderInOtherEngine(const MustacheTemplateAST& ast, Error* error);
    // `isVariable`: the tag's type is MustacheTagTypeVariable, else a section.
    bool visitTag(const MustacheTag& tag, bool isVariable, const MustacheExpression& expression, bool escapesHTML,
                  Error* error);
    // What visitTag does with tag delegates or with values of other kinds.
    bool renderThroughDelegates(const MustacheTag& tag, Value value, const MustacheContext& context,
                                bool escapesHTML, Error* error);
    std::optional<bool> renderValue(const MustacheTag& tag, bool isVariable, const Value& value,
                                    const MustacheContext& context, bool escapesHTML, Error* error);
    // The content in another context, into this engine's buffer; the caller keeps the context alive.
    bool renderContent(const MustacheTemplateAST& content, const MustacheContext& context, Error* error);
    bool renderItems(const MustacheTag& tag, const MustacheTemplateAST& content, const std::vector<Value>& items,
                     const MustacheContext& context, Error* error);
    void appendText(std::string_view text, bool escapesHTML);

    MustacheContentType m_contentType;
    // The context the engine was made with keeps it alive; the current one is held by
    // whoever set it, for as long as it is current.
    MustacheContextPtr m_baseContext;
    const MustacheContext* m_context;
    // Whether a visit of this engine has its content type on the thread's stack.
    bool m_contentTypePushed = false;
    std::string m_buffer;
};
