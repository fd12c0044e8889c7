#include "GRMustacheContext.h"

#include "GRMustacheExpressionInvocation.h"
#include "GRMustacheExpressionParser.h"
#include "GRMustacheInheritablePartialNode.h"
#include "GRMustacheKeyAccess.h"
#include "GRMustacheTagDelegate.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

Value GRMustacheTagDelegate::mustacheTagWillRenderObject(const GRMustacheTag&, const Value& object) const
{
    return object;
}

void GRMustacheTagDelegate::mustacheTagDidRenderObject(const GRMustacheTag&, const Value&, const std::string&) const
{
}

void GRMustacheTagDelegate::mustacheTagDidFailRenderingObject(const GRMustacheTag&, const Value&, const Error&) const
{
}

GRMustacheContextPtr GRMustacheContext::context()
{
    return std::make_shared<const GRMustacheContext>();
}

GRMustacheContextPtr GRMustacheContext::contextWithUnsafeKeyAccess()
{
    auto context = std::make_shared<GRMustacheContext>();
    context->m_unsafeKeyAccess = true;
    return context;
}

GRMustacheContextPtr GRMustacheContext::contextWithObject(const Value& object)
{
    return context()->contextByAddingObject(object);
}

GRMustacheContextPtr GRMustacheContext::contextWithProtectedObject(const Value& object)
{
    return context()->contextByAddingProtectedObject(object);
}

GRMustacheContextPtr GRMustacheContext::contextWithTagDelegate(const Value& tagDelegate)
{
    return context()->contextByAddingTagDelegate(tagDelegate);
}

const GRMustacheTagDelegate* GRMustacheContext::tagDelegateOf(const Value& object)
{
    return dynamic_cast<const GRMustacheTagDelegate*>(object.object());
}

GRMustacheContextPtr GRMustacheContext::pushed(Stack stack, const Value& object) const
{
    auto context = std::make_shared<GRMustacheContext>(*this);
    const GRMustacheContextPtr self = shared_from_this();
    auto push = [&](Value& top, GRMustacheContextPtr& parent) {
        parent = top ? self : nullptr;
        top = object;
    };
    switch (stack) {
    case Stack::Context:
        push(context->m_contextTop, context->m_contextParent);
        break;
    case Stack::Protected:
        push(context->m_protectedTop, context->m_protectedParent);
        break;
    case Stack::Hidden:
        push(context->m_hiddenTop, context->m_hiddenParent);
        break;
    case Stack::TagDelegate:
        push(context->m_tagDelegateTop, context->m_tagDelegateParent);
        break;
    }
    return context;
}

GRMustacheContextPtr GRMustacheContext::contextByAddingObject(const Value& object) const
{
    if (!object)
        return shared_from_this();
    GRMustacheContextPtr context = pushed(Stack::Context, object);
    if (tagDelegateOf(object))
        return context->pushed(Stack::TagDelegate, object);
    return context;
}

GRMustacheContextPtr GRMustacheContext::contextByAddingProtectedObject(const Value& object) const
{
    return object ? pushed(Stack::Protected, object) : shared_from_this();
}

GRMustacheContextPtr GRMustacheContext::contextByAddingHiddenObject(const Value& object) const
{
    return object ? pushed(Stack::Hidden, object) : shared_from_this();
}

GRMustacheContextPtr GRMustacheContext::contextByAddingTagDelegate(const Value& tagDelegate) const
{
    return tagDelegate ? pushed(Stack::TagDelegate, tagDelegate) : shared_from_this();
}

GRMustacheContextPtr GRMustacheContext::contextByAddingInheritablePartialNode(
    std::shared_ptr<const GRMustacheInheritablePartialNode> node) const
{
    if (!node)
        return shared_from_this();
    auto context = std::make_shared<GRMustacheContext>(*this);
    context->m_inheritablePartialParent = m_inheritablePartialTop ? shared_from_this() : nullptr;
    context->m_inheritablePartialTop = std::move(node);
    return context;
}

GRMustacheContextPtr GRMustacheContext::copyWithUnsafeKeyAccess() const
{
    std::unordered_map<const GRMustacheContext*, GRMustacheContextPtr> copies;
    // Parents are always older nodes, so the recursion ends; shared parents are copied once.
    auto copy = [&copies](const auto& self, const GRMustacheContextPtr& node) -> GRMustacheContextPtr {
        if (!node)
            return nullptr;
        if (const auto found = copies.find(node.get()); found != copies.end())
            return found->second;
        auto result = std::make_shared<GRMustacheContext>(*node);
        result->m_unsafeKeyAccess = true;
        result->m_contextParent = self(self, node->m_contextParent);
        result->m_protectedParent = self(self, node->m_protectedParent);
        result->m_hiddenParent = self(self, node->m_hiddenParent);
        result->m_tagDelegateParent = self(self, node->m_tagDelegateParent);
        result->m_inheritablePartialParent = self(self, node->m_inheritablePartialParent);
        copies.emplace(node.get(), result);
        return result;
    };
    return copy(copy, shared_from_this());
}

Value GRMustacheContext::valueForMustacheKey(const std::string& key, bool* isProtected) const
{
    for (const GRMustacheContext* node = this; node && node->m_protectedTop; node = node->m_protectedParent.get()) {
        Value value = GRMustacheKeyAccess::valueForMustacheKey(key, node->m_protectedTop, node->m_unsafeKeyAccess);
        if (value) {
            if (isProtected)
                *isProtected = true;
            return value;
        }
    }
    if (isProtected)
        *isProtected = false;
    std::vector<const Object*> hidden;
    for (const GRMustacheContext* node = this; node && node->m_hiddenTop; node = node->m_hiddenParent.get())
        hidden.push_back(node->m_hiddenTop.object());
    for (const GRMustacheContext* node = this; node && node->m_contextTop; node = node->m_contextParent.get()) {
        if (std::find(hidden.begin(), hidden.end(), node->m_contextTop.object()) != hidden.end())
            continue;
        Value value = GRMustacheKeyAccess::valueForMustacheKey(key, node->m_contextTop, node->m_unsafeKeyAccess);
        if (value)
            return value;
    }
    return {};
}

bool GRMustacheContext::hasValue(Value* value, const std::string& expression, Error* error) const
{
    GRMustacheExpressionPtr parsed = GRMustacheExpressionParser().parseExpression(expression, nullptr, error);
    if (!parsed)
        return false;
    GRMustacheExpressionInvocation invocation;
    invocation.setContext(this);
    invocation.setExpression(parsed.get());
    if (!invocation.invokeReturningError(error))
        return false;
    if (value)
        *value = invocation.value();
    return true;
}

std::vector<Value> GRMustacheContext::tagDelegateStack() const
{
    std::vector<Value> delegates;
    for (const GRMustacheContext* node = this; node && node->m_tagDelegateTop;
         node = node->m_tagDelegateParent.get())
        delegates.push_back(node->m_tagDelegateTop);
    std::reverse(delegates.begin(), delegates.end());
    return delegates;
}

GRMustacheTemplateASTNodePtr GRMustacheContext::resolveTemplateASTNode(const GRMustacheTemplateASTNodePtr& node) const
{
    GRMustacheTemplateASTNodePtr resolved = node;
    std::unordered_set<const GRMustacheTemplateAST*> usedPartialASTs;
    for (const GRMustacheContext* context = this; context && context->m_inheritablePartialTop;
         context = context->m_inheritablePartialParent.get()) {
        const GRMustacheInheritablePartialNode& partial = *context->m_inheritablePartialTop;
        const GRMustacheTemplateAST* partialAST = partial.partialNode()->templateAST().get();
        if (usedPartialASTs.count(partialAST))
            continue;
        GRMustacheTemplateASTNodePtr answer = partial.resolveTemplateASTNode(resolved);
        if (answer != resolved) {
            usedPartialASTs.insert(partialAST);
            resolved = std::move(answer);
        }
    }
    return resolved;
}
