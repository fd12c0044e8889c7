#include "MustacheRenderingEngine.h"

#include "MustacheError.h"
#include "MustacheEscaping.h"
#include "MustacheExpressionInvocation.h"
#include "MustacheInheritablePartialNode.h"
#include "MustacheInheritableSectionNode.h"
#include "MustachePartialNode.h"
#include "MustacheRendering.h"
#include "MustacheSectionTag.h"
#include "MustacheTagDelegate.h"
#include "MustacheTextNode.h"
#include "MustacheValueRendering.h"
#include "MustacheVariableTag.h"

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
    bool exceeded() const { return renderingDepth - 1 > MustacheRenderingEngine::kMaximumDepth; }
};

// Pushes a content type on the thread's stack for as long as it lives, unless `pushed`
// says the engine's own type, the same, is on top already.
class ContentTypeScope {
public:
    ContentTypeScope(MustacheContentType contentType, bool& pushed) : m_pushed(pushed), m_owns(!pushed)
    {
        if (!m_owns)
            return;
        MustacheRendering::pushCurrentContentType(contentType);
        m_pushed = true;
    }
    ~ContentTypeScope()
    {
        if (!m_owns)
            return;
        MustacheRendering::popCurrentContentType();
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
    ContextScope(const MustacheContext*& current, const MustacheContext& context)
        : m_current(current), m_saved(std::exchange(current, &context)) {}
    ~ContextScope() { m_current = m_saved; }
    ContextScope(const ContextScope&) = delete;
    ContextScope& operator=(const ContextScope&) = delete;

private:
    const MustacheContext*& m_current;
    const MustacheContext* m_saved;
};

// The tag delegates of a context, oldest first; the values keep them alive.
struct TagDelegates {
    explicit TagDelegates(const MustacheContext& context) : values(context.tagDelegateStack())
    {
        for (const Value& value : values) {
            if (const auto* delegate = dynamic_cast<const MustacheTagDelegate*>(value.object()))
                delegates.push_back(delegate);
        }
    }

    std::vector<Value> values;
    std::vector<const MustacheTagDelegate*> delegates;
};

// Fails the rendering with "Rendering <verb> more than <bound> <unit>".
bool exceeded(const char* verb, std::size_t bound, const char* unit, Error* error)
{
    setMustacheError(error, makeMustacheError(MustacheErrorCodeRenderingError, "Rendering " + std::string(verb)
                                                  + " more than " + std::to_string(bound) + " " + unit));
    return false;
}

// Add to the measures of the rendering; false with the error once one passes its bound.
bool withinWorkBound(std::size_t work, Error* error)
{
    renderingWork += work;
    return renderingWork <= MustacheRenderingEngine::kMaximumWork
        || exceeded("takes", MustacheRenderingEngine::kMaximumWork, "steps", error);
}

bool withinOutputBound(std::size_t bytes, Error* error)
{
    renderingOutput += bytes;
    return renderingOutput <= MustacheRenderingEngine::kMaximumOutput
        || exceeded("produces", MustacheRenderingEngine::kMaximumOutput, "bytes", error);
}

} // namespace

MustacheRenderingEngine::MustacheRenderingEngine(MustacheContentType contentType, MustacheContextPtr context)
    : m_contentType(contentType), m_baseContext(std::move(context)), m_context(m_baseContext.get())
{
}

std::unique_ptr<MustacheRenderingEngine> MustacheRenderingEngine::renderingEngineWithContentType(
    MustacheContentType contentType, MustacheContextPtr context)
{
    return std::make_unique<MustacheRenderingEngine>(contentType, std::move(context));
}

std::optional<std::string> MustacheRenderingEngine::renderTemplateAST(const MustacheTemplateAST& ast,
                                                                        bool& HTMLSafe, Error* error)
{
    m_buffer.clear();
    // Nested renderings are mostly short: only the outermost one starts with room.
    if (renderingDepth == 0)
        m_buffer.reserve(kInitialBufferCapacity);
    if (!visitTemplateAST(ast, error))
        return std::nullopt;
    HTMLSafe = m_contentType == MustacheContentTypeHTML;
    return std::move(m_buffer);
}

bool MustacheRenderingEngine::visitTemplateAST(const MustacheTemplateAST& ast, Error* error)
{
    const DepthGuard depth;
    if (depth.exceeded()) {
        setMustacheError(error, makeMustacheError(MustacheErrorCodeRenderingError,
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
        for (const MustacheTemplateASTNodePtr& node : ast.templateASTNodes()) {
            if (!m_context->resolveTemplateASTNode(node)->acceptTemplateASTVisitor(*this, error))
                return false;
        }
        return true;
    }
    for (const MustacheTemplateASTNodePtr& node : ast.templateASTNodes()) {
        bool rendered = false;
        switch (node->kind()) {
        case MustacheTemplateASTNode::Kind::Text:
            rendered = visitTextNode(static_cast<const MustacheTextNode&>(*node), error);
            break;
        case MustacheTemplateASTNode::Kind::VariableTag:
            rendered = visitVariableTag(static_cast<const MustacheVariableTag&>(*node), error);
            break;
        case MustacheTemplateASTNode::Kind::Other:
            rendered = node->acceptTemplateASTVisitor(*this, error);
            break;
        }
        if (!rendered)
            return false;
    }
    return true;
}

bool MustacheRenderingEngine::renderInOtherEngine(const MustacheTemplateAST& ast, Error* error)
{
    MustacheRenderingEngine engine(ast.contentType(), m_context->shared_from_this());
    bool HTMLSafe = false;
    std::optional<std::string> rendering = engine.renderTemplateAST(ast, HTMLSafe, error);
    if (!rendering)
        return false;
    if (m_contentType == MustacheContentTypeHTML && !HTMLSafe)
        m_buffer += MustacheEscaping::escapeHTML(*rendering);
    else
        m_buffer += *rendering;
    return true;
}

bool MustacheRenderingEngine::visitTextNode(const MustacheTextNode& node, Error* error)
{
    if (!withinOutputBound(node.text().size(), error))
        return false;
    m_buffer += node.text();
    return true;
}

bool MustacheRenderingEngine::visitVariableTag(const MustacheVariableTag& tag, Error* error)
{
    return visitTag(tag, true, *tag.expression(), tag.escapesHTML(), error);
}

bool MustacheRenderingEngine::visitSectionTag(const MustacheSectionTag& tag, Error* error)
{
    return visitTag(tag, false, *tag.expression(), true, error);
}

bool MustacheRenderingEngine::visitPartialNode(const MustachePartialNode& node, Error* error)
{
    const MustacheTemplateASTPtr ast = node.templateAST();
    return !ast || visitTemplateAST(*ast, error);
}

bool MustacheRenderingEngine::visitInheritablePartialNode(const MustacheInheritablePartialNode& node,
                                                            Error* error)
{
    const MustacheContextPtr context = m_context->contextByAddingInheritablePartialNode(
        std::static_pointer_cast<const MustacheInheritablePartialNode>(node.shared_from_this()));
    const ContextScope scope(m_context, *context);
    return visitPartialNode(*node.partialNode(), error);
}

bool MustacheRenderingEngine::visitInheritableSectionNode(const MustacheInheritableSectionNode& node,
                                                            Error* error)
{
    return visitTemplateAST(*node.templateAST(), error);
}

bool MustacheRenderingEngine::visitTag(const MustacheTag& tag, bool isVariable,
                                         const MustacheExpression& expression, bool escapesHTML, Error* error)
{
    MustacheExpressionInvocation invocation;
    invocation.setContext(m_context);
    invocation.setExpression(&expression);
    if (!invocation.invokeReturningError(error))
        return false;

    const MustacheContextPtr hiding = invocation.valueIsProtected()
        ? m_context->contextByAddingHiddenObject(invocation.value())
        : nullptr;
    const MustacheContext& context = hiding ? *hiding : *m_context;
    if (!context.hasTagDelegates()) {
        if (const std::optional<bool> rendered = renderValue(tag, isVariable, invocation.value(), context, escapesHTML,
                                                             error))
            return *rendered;
    }
    return renderThroughDelegates(tag, invocation.value(), context, escapesHTML, error);
}

bool MustacheRenderingEngine::renderThroughDelegates(const MustacheTag& tag, Value value,
                                                       const MustacheContext& context, bool escapesHTML,
                                                       Error* error)
{
    const TagDelegates tagDelegates(context);
    for (auto delegate = tagDelegates.delegates.rbegin(); delegate != tagDelegates.delegates.rend(); ++delegate)
        value = (*delegate)->mustacheTagWillRenderObject(tag, value);

    const Value renderingObject = MustacheRendering::renderingObjectForObject(value);
    std::string rendering;
    bool HTMLSafe = false;
    const bool renders = tag.type() == MustacheTagTypeVariable
        || MustacheValueRendering::boolValue(renderingObject) != tag.isInverted();
    if (renders) {
        Error renderingError;
        std::optional<std::string> result = MustacheValueRendering::render(
            renderingObject, tag, false, context.shared_from_this(), HTMLSafe, renderingError);
        if (!result) {
            for (const MustacheTagDelegate* delegate : tagDelegates.delegates)
                delegate->mustacheTagDidFailRenderingObject(tag, value, renderingError);
            setMustacheError(error, std::move(renderingError));
            return false;
        }
        rendering = std::move(*result);
    }
    if (escapesHTML && m_contentType == MustacheContentTypeHTML && !HTMLSafe)
        rendering = MustacheEscaping::escapeHTML(rendering);
    if (tag.type() == MustacheTagTypeVariable && !withinOutputBound(rendering.size(), error))
        return false;
    m_buffer += rendering;
    for (const MustacheTagDelegate* delegate : tagDelegates.delegates)
        delegate->mustacheTagDidRenderObject(tag, value, rendering);
    return true;
}

// Values of foundation's own kinds, with no tag delegate to tell, render straight into
// the buffer, sections in this engine; they render as MustacheValueRendering renders
// them. Nullopt for the values it leaves to the general path.
std::optional<bool> MustacheRenderingEngine::renderValue(const MustacheTag& tag, bool isVariable,
                                                           const Value& value, const MustacheContext& context,
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

    const MustacheTemplateAST& content = *static_cast<const MustacheSectionTag&>(tag).templateAST();
    if (content.contentType() != m_contentType)
        return std::nullopt;
    if (MustacheValueRendering::boolValue(value) == tag.isInverted())
        return true;
    if (tag.isInverted() || kind == Value::Kind::Number)
        return renderContent(content, context, error);
    if (kind == Value::Kind::Array)
        return renderItems(tag, content, *value.array(), context, error);
    return renderContent(content, *context.contextByAddingObject(value), error);
}

bool MustacheRenderingEngine::renderContent(const MustacheTemplateAST& content, const MustacheContext& context,
                                              Error* error)
{
    const ContextScope scope(m_context, context);
    return visitTemplateAST(content, error);
}

bool MustacheRenderingEngine::renderItems(const MustacheTag& tag, const MustacheTemplateAST& content,
                                            const std::vector<Value>& items, const MustacheContext& context,
                                            Error* error)
{
    const std::size_t start = m_buffer.size();
    const bool contentSafe = m_contentType == MustacheContentTypeHTML;
    std::optional<bool> allSafe;
    MustacheContextPtr itemContext;
    MustacheContextPtr sharedContext;
    for (const Value& item : items) {
        bool itemSafe = contentSafe;
        switch (item.kind()) {
        case Value::Kind::Object: {
            Error renderingError;
            itemSafe = false;
            if (!sharedContext)
                sharedContext = context.shared_from_this();
            std::optional<std::string> rendering = MustacheValueRendering::render(item, tag, true, sharedContext,
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
        MustacheValueRendering::addItemEscaping(allSafe, itemSafe);
    }
    if (contentSafe && !allSafe.value_or(false)) {
        const std::string rendering = m_buffer.substr(start);
        m_buffer.resize(start);
        MustacheEscaping::appendEscapedHTML(m_buffer, rendering);
    }
    return true;
}

void MustacheRenderingEngine::appendText(std::string_view text, bool escapesHTML)
{
    if (escapesHTML && m_contentType == MustacheContentTypeHTML)
        MustacheEscaping::appendEscapedHTML(m_buffer, text);
    else
        m_buffer += text;
}
