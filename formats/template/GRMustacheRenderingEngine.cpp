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

// Pushes a content type on the thread's stack for as long as it lives.
class ContentTypeScope {
public:
    explicit ContentTypeScope(GRMustacheContentType contentType)
    {
        GRMustacheRendering::pushCurrentContentType(contentType);
    }
    ~ContentTypeScope() { GRMustacheRendering::popCurrentContentType(); }
    ContentTypeScope(const ContentTypeScope&) = delete;
    ContentTypeScope& operator=(const ContentTypeScope&) = delete;
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

// Adds to one measure of the rendering; false with the error once it passes its bound.
// The message reads "Rendering <verb> more than <bound> <unit>".
bool withinBound(std::size_t& measure, std::size_t amount, std::size_t bound, const char* verb, const char* unit,
                 Error* error)
{
    measure += amount;
    if (measure <= bound)
        return true;
    setMustacheError(error, makeMustacheError(GRMustacheErrorCodeRenderingError, "Rendering " + std::string(verb)
                                                  + " more than " + std::to_string(bound) + " " + unit));
    return false;
}

bool withinWorkBound(std::size_t work, Error* error)
{
    return withinBound(renderingWork, work, GRMustacheRenderingEngine::kMaximumWork, "takes", "steps", error);
}

bool withinOutputBound(std::size_t bytes, Error* error)
{
    return withinBound(renderingOutput, bytes, GRMustacheRenderingEngine::kMaximumOutput, "produces", "bytes", error);
}

} // namespace

GRMustacheRenderingEngine::GRMustacheRenderingEngine(GRMustacheContentType contentType, GRMustacheContextPtr context)
    : m_contentType(contentType), m_context(std::move(context))
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
    if (ast.contentType() != m_contentType) {
        GRMustacheRenderingEngine engine(ast.contentType(), m_context);
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
    if (!withinWorkBound(1 + ast.templateASTNodes().size(), error))
        return false;
    const ContentTypeScope contentType(ast.contentType());
    for (const GRMustacheTemplateASTNodePtr& node : ast.templateASTNodes()) {
        const GRMustacheTemplateASTNodePtr resolved = m_context->resolveTemplateASTNode(node);
        if (!resolved->acceptTemplateASTVisitor(*this, error))
            return false;
    }
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
    return visitTag(tag, *tag.expression(), tag.escapesHTML(), error);
}

bool GRMustacheRenderingEngine::visitSectionTag(const GRMustacheSectionTag& tag, Error* error)
{
    return visitTag(tag, *tag.expression(), true, error);
}

bool GRMustacheRenderingEngine::visitPartialNode(const GRMustachePartialNode& node, Error* error)
{
    const GRMustacheTemplateASTPtr ast = node.templateAST();
    return !ast || visitTemplateAST(*ast, error);
}

bool GRMustacheRenderingEngine::visitInheritablePartialNode(const GRMustacheInheritablePartialNode& node,
                                                            Error* error)
{
    const GRMustacheContextPtr saved = m_context;
    m_context = m_context->contextByAddingInheritablePartialNode(
        std::static_pointer_cast<const GRMustacheInheritablePartialNode>(node.shared_from_this()));
    const bool success = visitPartialNode(*node.partialNode(), error);
    m_context = saved;
    return success;
}

bool GRMustacheRenderingEngine::visitInheritableSectionNode(const GRMustacheInheritableSectionNode& node,
                                                            Error* error)
{
    return visitTemplateAST(*node.templateAST(), error);
}

bool GRMustacheRenderingEngine::visitTag(const GRMustacheTag& tag, const GRMustacheExpression& expression,
                                         bool escapesHTML, Error* error)
{
    GRMustacheExpressionInvocation invocation;
    invocation.setContext(m_context.get());
    invocation.setExpression(&expression);
    if (!invocation.invokeReturningError(error))
        return false;

    Value value = invocation.value();
    const GRMustacheContextPtr context = invocation.valueIsProtected() ? m_context->contextByAddingHiddenObject(value)
                                                                       : m_context;
    const TagDelegates tagDelegates(*context);
    for (auto delegate = tagDelegates.delegates.rbegin(); delegate != tagDelegates.delegates.rend(); ++delegate)
        value = (*delegate)->mustacheTagWillRenderObject(tag, value);

    const Value renderingObject = GRMustacheRendering::renderingObjectForObject(value);
    std::string rendering;
    bool HTMLSafe = false;
    const bool renders = tag.type() == GRMustacheTagTypeVariable
        || GRMustacheValueRendering::boolValue(renderingObject) != tag.isInverted();
    if (renders) {
        Error renderingError;
        std::optional<std::string> result = GRMustacheValueRendering::render(renderingObject, tag, false, context,
                                                                             HTMLSafe, renderingError);
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
