#include "GRMustacheRenderingEngine.h"

#include "GRMustacheError.h"
#include "GRMustacheEscaping.h"
#include "GRMustacheExpressionInvocation.h"
#include "GRMustacheInheritablePartialNode.h"
#include "GRMustacheInheritableSectionNode.h"
#include "GRMustachePartialNode.h"
#include "GRMustacheRendering.h"
#include "GRMustacheSectionTag.h"
#include "GRMustacheTagDelegate.h"
#include "GRMustacheTextNode.h"
#include "GRMustacheValueRendering.h"
#include "GRMustacheVariableTag.h"

#include "foundation/NumberObject.h"

#include <utility>

namespace {

constexpr std::size_t kInitialBufferCapacity = 1024;

thread_local int renderingDepth = 0;

// What the outermost rendering of this thread has done so far, nested renderings included.
thread_local std::size_t renderingWork = 0;
thread_local std::size_t renderingOutput = 0;

// Counts one level of nested rendering for as long as it lives.
class DepthGuard {
public:
    DepthGuard()
    {
        if (renderingDepth++ == 0) {
            renderingWork = 0;
            renderingOutput = 0;
        }
    }
    ~DepthGuard() { --renderingDepth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

    // The outermost rendering is not nested in anything.
    bool exceeded() const { return renderingDepth - 1 > GRMustacheRenderingEngine::kMaximumDepth; }
};

// Pushes a content type on the thread's stack for as long as it lives, unless `pushed`
// says the engine's own type, the same, is on top already.
class ContentTypeScope {
public:
    ContentTypeScope(GRMustacheContentType contentType, bool& pushed) : m_pushed(pushed), m_owns(!pushed)
    {
        if (!m_owns)
            return;
        GRMustacheRendering::pushCurrentContentType(contentType);
        m_pushed = true;
    }
    ~ContentTypeScope()
    {
        if (!m_owns)
            return;
        GRMustacheRendering::popCurrentContentType();
        m_pushed = false;
    }
    ContentTypeScope(const ContentTypeScope&) = delete;
    ContentTypeScope& operator=(const ContentTypeScope&) = delete;

private:
    bool& m_pushed;
    bool m_owns;
};

// Renders in another context for as long as it lives.
class ContextScope {
public:
    ContextScope(const GRMustacheContext*& current, const GRMustacheContext& context)
        : m_current(current), m_saved(std::exchange(current, &context)) {}
    ~ContextScope() { m_current = m_saved; }
    ContextScope(const ContextScope&) = delete;
    ContextScope& operator=(const ContextScope&) = delete;

private:
    const GRMustacheContext*& m_current;
    const GRMustacheContext* m_saved;
};

// The tag delegates of a context, oldest first; the values keep them alive.
struct TagDelegates {
    explicit TagDelegates(const GRMustacheContext& context) : values(context.tagDelegateStack())
    {
        for (const Value& value : values) {
            if (const auto* delegate = dynamic_cast<const GRMustacheTagDelegate*>(value.object()))
                delegates.push_back(delegate);
        }
    }

    std::vector<Value> values;
    std::vector<const GRMustacheTagDelegate*> delegates;
};

// Fails the rendering with "Rendering <verb> more than <bound> <unit>".
bool exceeded(const char* verb, std::size_t bound, const char* unit, Error* error)
{
    setMustacheError(error, makeMustacheError(GRMustacheErrorCodeRenderingError, "Rendering " + std::string(verb)
                                                  + " more than " + std::to_string(bound) + " " + unit));
    return false;
}

// Add to the measures of the rendering; false with the error once one passes its bound.
bool withinWorkBound(std::size_t work, Error* error)
{
    renderingWork += work;
    return renderingWork <= GRMustacheRenderingEngine::kMaximumWork
        || exceeded("takes", GRMustacheRenderingEngine::kMaximumWork, "steps", error);
}

bool withinOutputBound(std::size_t bytes, Error* error)
{
    renderingOutput += bytes;
    return renderingOutput <= GRMustacheRenderingEngine::kMaximumOutput
        || exceeded("produces", GRMustacheRenderingEngine::kMaximumOutput, "bytes", error);
}

} // namespace

GRMustacheRenderingEngine::GRMustacheRenderingEngine(GRMustacheContentType contentType, GRMustacheContextPtr context)
    : m_contentType(contentType), m_baseContext(std::move(context)), m_context(m_baseContext.get())
{
}

std::unique_ptr<GRMustacheRenderingEngine> GRMustacheRenderingEngine::renderingEngineWithContentType(
    GRMustacheContentType contentType, GRMustacheContextPtr context)
{
    return std::make_unique<GRMustacheRenderingEngine>(contentType, std::move(context));
}

std::optional<std::string> GRMustacheRenderingEngine::renderTemplateAST(const GRMustacheTemplateAST& ast,
                                                                        bool& HTMLSafe, Error* error)
{
    m_buffer.clear();
    // Nested renderings are mostly short: only the outermost one starts with room.
    if (renderingDepth == 0)
        m_buffer.reserve(kInitialBufferCapacity);
    if (!visitTemplateAST(ast, error))
        return std::nullopt;
    HTMLSafe = m_contentType == GRMustacheContentTypeHTML;
    return std::move(m_buffer);
}

bool GRMustacheRenderingEngine::visitTemplateAST(const GRMustacheTemplateAST& ast, Error* error)
{
    const DepthGuard depth;
    if (depth.exceeded()) {
        setMustacheError(error, makeMustacheError(GRMustacheErrorCodeRenderingError,
                                                  "Rendering is nested more than "
                                                      + std::to_string(kMaximumDepth) + " levels deep"));
        return false;
    }
    if (ast.contentType() != m_contentType)
        return renderInOtherEngine(ast, error);
    if (!withinWorkBound(1 + ast.templateASTNodes().size(), error))
        return false;
    const ContentTypeScope contentType(ast.contentType(), m_contentTypePushed);
    if (m_context->rendersInheritablePartials()) {
        for (const GRMustacheTemplateASTNodePtr& node : ast.templateASTNodes()) {
            if (!m_context->resolveTemplateASTNode(node)->acceptTemplateASTVisitor(*this, error))
                return false;
        }
        return true;
    }
    for (const GRMustacheTemplateASTNodePtr& node : ast.templateASTNodes()) {
        bool rendered = false;
        switch (node->kind()) {
        case GRMustacheTemplateASTNode::Kind::Text:
            rendered = visitTextNode(static_cast<const GRMustacheTextNode&>(*node), error);
            break;
        case GRMustacheTemplateASTNode::Kind::VariableTag:
            rendered = visitVariableTag(static_cast<const GRMustacheVariableTag&>(*node), error);
            break;
        case GRMustacheTemplateASTNode::Kind::Other:
            rendered = node->acceptTemplateASTVisitor(*this, error);
            break;
        }
        if (!rendered)
            return false;
    }
    return true;
}

bool GRMustacheRenderingEngine::renderInOtherEngine(const GRMustacheTemplateAST& ast, Error* error)
{
    GRMustacheRenderingEngine engine(ast.contentType(), m_context->shared_from_this());
    bool HTMLSafe = false;
    std::optional<std::string> rendering = engine.renderTemplateAST(ast, HTMLSafe, error);
    if (!rendering)
        return false;
    if (m_contentType == GRMustacheContentTypeHTML && !HTMLSafe)
        m_buffer += GRMustacheEscaping::escapeHTML(*rendering);
    else
        m_buffer += *rendering;
    return true;
}

bool GRMustacheRenderingEngine::visitTextNode(const GRMustacheTextNode& node, Error* error)
{
    if (!withinOutputBound(node.text().size(), error))
        return false;
    m_buffer += node.text();
    return true;
}

bool GRMustacheRenderingEngine::visitVariableTag(const GRMustacheVariableTag& tag, Error* error)
{
    return visitTag(tag, true, *tag.expression(), tag.escapesHTML(), error);
}

bool GRMustacheRenderingEngine::visitSectionTag(const GRMustacheSectionTag& tag, Error* error)
{
    return visitTag(tag, false, *tag.expression(), true, error);
}

bool GRMustacheRenderingEngine::visitPartialNode(const GRMustachePartialNode& node, Error* error)
{
    const GRMustacheTemplateASTPtr ast = node.templateAST();
    return !ast || visitTemplateAST(*ast, error);
}

bool GRMustacheRenderingEngine::visitInheritablePartialNode(const GRMustacheInheritablePartialNode& node,
                                                            Error* error)
{
    const GRMustacheContextPtr context = m_context->contextByAddingInheritablePartialNode(
        std::static_pointer_cast<const GRMustacheInheritablePartialNode>(node.shared_from_this()));
    const ContextScope scope(m_context, *context);
    return visitPartialNode(*node.partialNode(), error);
}

bool GRMustacheRenderingEngine::visitInheritableSectionNode(const GRMustacheInheritableSectionNode& node,
                                                            Error* error)
{
    return visitTemplateAST(*node.templateAST(), error);
}

bool GRMustacheRenderingEngine::visitTag(const GRMustacheTag& tag, bool isVariable,
                                         const GRMustacheExpression& expression, bool escapesHTML, Error* error)
{
    GRMustacheExpressionInvocation invocation;
    invocation.setContext(m_context);
    invocation.setExpression(&expression);
    if (!invocation.invokeReturningError(error))
        return false;

    const GRMustacheContextPtr hiding = invocation.valueIsProtected()
        ? m_context->contextByAddingHiddenObject(invocation.value())
        : nullptr;
    const GRMustacheContext& context = hiding ? *hiding : *m_context;
    if (!context.hasTagDelegates()) {
        if (const std::optional<bool> rendered = renderValue(tag, isVariable, invocation.value(), context, escapesHTML,
                                                             error))
            return *rendered;
    }
    return renderThroughDelegates(tag, invocation.value(), context, escapesHTML, error);
}

bool GRMustacheRenderingEngine::renderThroughDelegates(const GRMustacheTag& tag, Value value,
                                                       const GRMustacheContext& context, bool escapesHTML,
                                                       Error* error)
{
    const TagDelegates tagDelegates(context);
    for (auto delegate = tagDelegates.delegates.rbegin(); delegate != tagDelegates.delegates.rend(); ++delegate)
        value = (*delegate)->mustacheTagWillRenderObject(tag, value);

    const Value renderingObject = GRMustacheRendering::renderingObjectForObject(value);
    std::string rendering;
    bool HTMLSafe = false;
    const bool renders = tag.type() == GRMustacheTagTypeVariable
        || GRMustacheValueRendering::boolValue(renderingObject) != tag.isInverted();
    if (renders) {
        Error renderingError;
        std::optional<std::string> result = GRMustacheValueRendering::render(
            renderingObject, tag, false, context.shared_from_this(), HTMLSafe, renderingError);
        if (!result) {
            for (const GRMustacheTagDelegate* delegate : tagDelegates.delegates)
                delegate->mustacheTagDidFailRenderingObject(tag, value, renderingError);
            setMustacheError(error, std::move(renderingError));
            return false;
        }
        rendering = std::move(*result);
    }
    if (escapesHTML && m_contentType == GRMustacheContentTypeHTML && !HTMLSafe)
        rendering = GRMustacheEscaping::escapeHTML(rendering);
    if (tag.type() == GRMustacheTagTypeVariable && !withinOutputBound(rendering.size(), error))
        return false;
    m_buffer += rendering;
    for (const GRMustacheTagDelegate* delegate : tagDelegates.delegates)
        delegate->mustacheTagDidRenderObject(tag, value, rendering);
    return true;
}

// Values of foundation's own kinds, with no tag delegate to tell, render straight into
// the buffer, sections in this engine; they render as GRMustacheValueRendering renders
// them. Nullopt for the values it leaves to the general path.
std::optional<bool> GRMustacheRenderingEngine::renderValue(const GRMustacheTag& tag, bool isVariable,
                                                           const Value& value, const GRMustacheContext& context,
                                                           bool escapesHTML, Error* error)
{
    const Value::Kind kind = value.kind();
    if (kind == Value::Kind::Object)
        return std::nullopt;
    if (isVariable) {
        // A list in a variable tag renders its items one by one: the general path.
        if (kind == Value::Kind::Array)
            return std::nullopt;
        const std::size_t start = m_buffer.size();
        if (kind == Value::Kind::String)
            appendText(*value.string(), escapesHTML);
        else if (kind == Value::Kind::Number)
            value.number()->appendDescription(m_buffer); // digits, signs, dots and letters only
        else if (kind != Value::Kind::Nil && kind != Value::Kind::Null)
            appendText(value.description(), escapesHTML);
        return withinOutputBound(m_buffer.size() - start, error);
    }

    const GRMustacheTemplateAST& content = *static_cast<const GRMustacheSectionTag&>(tag).templateAST();
    if (content.contentType() != m_contentType)
        return std::nullopt;
    if (GRMustacheValueRendering::boolValue(value) == tag.isInverted())
        return true;
    if (tag.isInverted() || kind == Value::Kind::Number)
        return renderContent(content, context, error);
    if (kind == Value::Kind::Array)
        return renderItems(tag, content, *value.array(), context, error);
    return renderContent(content, *context.contextByAddingObject(value), error);
}

bool GRMustacheRenderingEngine::renderContent(const GRMustacheTemplateAST& content, const GRMustacheContext& context,
                                              Error* error)
{
    const ContextScope scope(m_context, context);
    return visitTemplateAST(content, error);
}

bool GRMustacheRenderingEngine::renderItems(const GRMustacheTag& tag, const GRMustacheTemplateAST& content,
                                            const std::vector<Value>& items, const GRMustacheContext& context,
                                            Error* error)
{
    const std::size_t start = m_buffer.size();
    const bool contentSafe = m_contentType == GRMustacheContentTypeHTML;
    std::optional<bool> allSafe;
    GRMustacheContextPtr itemContext;
    GRMustacheContextPtr sharedContext;
    for (const Value& item : items) {
        bool itemSafe = contentSafe;
        switch (item.kind()) {
        case Value::Kind::Object: {
            Error renderingError;
            itemSafe = false;
            if (!sharedContext)
                sharedContext = context.shared_from_this();
            std::optional<std::string> rendering = GRMustacheValueRendering::render(item, tag, true, sharedContext,
                                                                                    itemSafe, renderingError);
            if (!rendering) {
                setMustacheError(error, std::move(renderingError));
                return false;
            }
            m_buffer += *rendering;
            break;
        }
        case Value::Kind::Nil:
            if (!renderContent(content, context, error))
                return false;
            break;
        default:
            itemContext = context.contextByAddingItem(item, std::move(itemContext));
            if (!renderContent(content, *itemContext, error))
                return false;
        }
        GRMustacheValueRendering::addItemEscaping(allSafe, itemSafe);
    }
    if (contentSafe && !allSafe.value_or(false)) {
        const std::string rendering = m_buffer.substr(start);
        m_buffer.resize(start);
        GRMustacheEscaping::appendEscapedHTML(m_buffer, rendering);
    }
    return true;
}

void GRMustacheRenderingEngine::appendText(std::string_view text, bool escapesHTML)
{
    if (escapesHTML && m_contentType == GRMustacheContentTypeHTML)
        GRMustacheEscaping::appendEscapedHTML(m_buffer, text);
    else
        m_buffer += text;
}
