#include "GRMustacheContext.h"

#include "GRMustacheExpressionInvocation.h"
#include "GRMustacheExpressionParser.h"
#include "GRMustacheInheritablePartialNode.h"
#include "GRMustacheKeyAccess.h"
#include "GRMustacheTagDelegate.h"

#include <algorithm>
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
    // Foundation's own kinds are final classes that are never delegates.
    if (object.kind() != Value::Kind::Object)
        return nullptr;
    return dynamic_cast<const GRMustacheTagDelegate*>(object.object());
}

GRMustacheContextPtr GRMustacheContext::pushed(Stack stack, Value object,
                                               std::shared_ptr<const GRMustacheInheritablePartialNode> node) const
{
    auto context = std::make_shared<GRMustacheContext>();
    context->m_object = std::move(object);
    context->m_inheritablePartial = std::move(node);
    context->m_parent = shared_from_this();
    context->m_below = m_tops[stack];
    context->m_tops = m_tops;
    context->m_tops[stack] = context.get();
    context->m_unsafeKeyAccess = m_unsafeKeyAccess;
    return context;
}

GRMustacheContextPtr GRMustacheContext::contextByAddingObject(const Value& object) const
{
    if (!object)
        return shared_from_this();
    GRMustacheContextPtr context = pushed(Context, object);
    if (tagDelegateOf(object))
        return context->pushed(TagDelegate, object);
    return context;
}

GRMustacheContextPtr GRMustacheContext::contextByAddingItem(const Value& item, GRMustacheContextPtr previous) const
{
    if (!item || tagDelegateOf(item))
        return contextByAddingObject(item);
    if (previous && previous.use_count() == 1 && previous->m_parent.get() == this
        && previous->m_tops[Context] == previous.get()) {
        // No one else can see it: it becomes the context of this item.
        const_cast<GRMustacheContext&>(*previous).m_object = item;
        return previous;
    }
    return pushed(Context, item);
}

GRMustacheContextPtr GRMustacheContext::contextByAddingProtectedObject(const Value& object) const
{
    return object ? pushed(Protected, object) : shared_from_this();
}

GRMustacheContextPtr GRMustacheContext::contextByAddingHiddenObject(const Value& object) const
{
    return object ? pushed(Hidden, object) : shared_from_this();
}

GRMustacheContextPtr GRMustacheContext::contextByAddingTagDelegate(const Value& tagDelegate) const
{
    return tagDelegate ? pushed(TagDelegate, tagDelegate) : shared_from_this();
}

GRMustacheContextPtr GRMustacheContext::contextByAddingInheritablePartialNode(
    std::shared_ptr<const GRMustacheInheritablePartialNode> node) const
{
    return node ? pushed(InheritablePartial, Value(), std::move(node)) : shared_from_this();
}

GRMustacheContextPtr GRMustacheContext::copyWithUnsafeKeyAccess() const
{
    std::vector<const GRMustacheContext*> chain;
    for (const GRMustacheContext* node = this; node->m_parent; node = node->m_parent.get())
        chain.push_back(node);
    GRMustacheContextPtr copy = contextWithUnsafeKeyAccess();
    for (auto node = chain.rbegin(); node != chain.rend(); ++node) {
        const GRMustacheContext& original = **node;
        const auto stack = static_cast<Stack>(std::find(original.m_tops.begin(), original.m_tops.end(), &original)
                                              - original.m_tops.begin());
        copy = copy->pushed(stack, original.m_object, original.m_inheritablePartial);
    }
    return copy;
}

Value GRMustacheContext::valueForMustacheKey(const std::string& key, bool* isProtected) const
{
    Value storage;
    const Value* value = lookUpMustacheKey(key, storage, isProtected);
    return value ? *value : Value();
}

const Value* GRMustacheContext::lookUpMustacheKey(const std::string& key, Value& storage, bool* isProtected) const
{
    for (const GRMustacheContext* node = m_tops[Protected]; node; node = node->m_below) {
        if (const Value* value = GRMustacheKeyAccess::lookUpMustacheKey(key, node->m_object, node->m_unsafeKeyAccess,
                                                                        storage)) {
            if (isProtected)
                *isProtected = true;
            return value;
        }
    }
    if (isProtected)
        *isProtected = false;
    const bool hides = m_tops[Hidden] != nullptr;
    for (const GRMustacheContext* node = m_tops[Context]; node; node = node->m_below) {
        if (hides && isHidden(node->m_object.object()))
            continue;
        if (const Value* value = GRMustacheKeyAccess::lookUpMustacheKey(key, node->m_object, node->m_unsafeKeyAccess,
                                                                        storage))
            return value;
    }
    return nullptr;
}

bool GRMustacheContext::isHidden(const Object* object) const
{
    for (const GRMustacheContext* node = m_tops[Hidden]; node; node = node->m_below) {
        if (node->m_object.object() == object)
            return true;
    }
    return false;
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

Value GRMustacheContext::topMustacheObject() const
{
    const Value* top = topObject();
    return top ? *top : Value();
}

std::vector<Value> GRMustacheContext::tagDelegateStack() const
{
    std::vector<Value> delegates;
    for (const GRMustacheContext* node = m_tops[TagDelegate]; node; node = node->m_below)
        delegates.push_back(node->m_object);
    std::reverse(delegates.begin(), delegates.end());
    return delegates;
}

GRMustacheTemplateASTNodePtr GRMustacheContext::resolveTemplateASTNode(const GRMustacheTemplateASTNodePtr& node) const
{
    if (!m_tops[InheritablePartial])
        return node;
    GRMustacheTemplateASTNodePtr resolved = node;
    std::unordered_set<const GRMustacheTemplateAST*> usedPartialASTs;
    for (const GRMustacheContext* context = m_tops[InheritablePartial]; context; context = context->m_below) {
        const GRMustacheInheritablePartialNode& partial = *context->m_inheritablePartial;
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
