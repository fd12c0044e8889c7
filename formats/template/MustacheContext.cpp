#include "MustacheContext.h"

#include "MustacheExpressionInvocation.h"
#include "MustacheExpressionParser.h"
#include "MustacheInheritablePartialNode.h"
#include "MustacheKeyAccess.h"
#include "MustacheTagDelegate.h"

#include <algorithm>
#include <unordered_set>

Value MustacheTagDelegate::mustacheTagWillRenderObject(const MustacheTag&, const Value& object) const
{
    return object;
}

void MustacheTagDelegate::mustacheTagDidRenderObject(const MustacheTag&, const Value&, const std::string&) const
{
}

void MustacheTagDelegate::mustacheTagDidFailRenderingObject(const MustacheTag&, const Value&, const Error&) const
{
}

MustacheContextPtr MustacheContext::context()
{
    return std::make_shared<const MustacheContext>();
}

MustacheContextPtr MustacheContext::contextWithUnsafeKeyAccess()
{
    auto context = std::make_shared<MustacheContext>();
    context->m_unsafeKeyAccess = true;
    return context;
}

MustacheContextPtr MustacheContext::contextWithObject(const Value& object)
{
    return context()->contextByAddingObject(object);
}

MustacheContextPtr MustacheContext::contextWithProtectedObject(const Value& object)
{
    return context()->contextByAddingProtectedObject(object);
}

MustacheContextPtr MustacheContext::contextWithTagDelegate(const Value& tagDelegate)
{
    return context()->contextByAddingTagDelegate(tagDelegate);
}

const MustacheTagDelegate* MustacheContext::tagDelegateOf(const Value& object)
{
    // Foundation's own kinds are final classes that are never delegates.
    if (object.kind() != Value::Kind::Object)
        return nullptr;
    return dynamic_cast<const MustacheTagDelegate*>(object.object());
}

MustacheContextPtr MustacheContext::pushed(Stack stack, Value object,
                                               std::shared_ptr<const MustacheInheritablePartialNode> node) const
{
    auto context = std::make_shared<MustacheContext>();
    context->m_object = std::move(object);
    context->m_inheritablePartial = std::move(node);
    context->m_parent = shared_from_this();
    context->m_below = m_tops[stack];
    context->m_tops = m_tops;
    context->m_tops[stack] = context.get();
    context->m_unsafeKeyAccess = m_unsafeKeyAccess;
    return context;
}

MustacheContextPtr MustacheContext::contextByAddingObject(const Value& object) const
{
    if (!object)
        return shared_from_this();
    MustacheContextPtr context = pushed(Context, object);
    if (tagDelegateOf(object))
        return context->pushed(TagDelegate, object);
    return context;
}

MustacheContextPtr MustacheContext::contextByAddingItem(const Value& item, MustacheContextPtr previous) const
{
    if (!item || tagDelegateOf(item))
        return contextByAddingObject(item);
    if (previous && previous.use_count() == 1 && previous->m_parent.get() == this
        && previous->m_tops[Context] == previous.get()) {
        // No one else can see it: it becomes the context of this item.
        const_cast<MustacheContext&>(*previous).m_object = item;
        return previous;
    }
    return pushed(Context, item);
}

MustacheContextPtr MustacheContext::contextByAddingProtectedObject(const Value& object) const
{
    return object ? pushed(Protected, object) : shared_from_this();
}

MustacheContextPtr MustacheContext::contextByAddingHiddenObject(const Value& object) const
{
    return object ? pushed(Hidden, object) : shared_from_this();
}

MustacheContextPtr MustacheContext::contextByAddingTagDelegate(const Value& tagDelegate) const
{
    return tagDelegate ? pushed(TagDelegate, tagDelegate) : shared_from_this();
}

MustacheContextPtr MustacheContext::contextByAddingInheritablePartialNode(
    std::shared_ptr<const MustacheInheritablePartialNode> node) const
{
    return node ? pushed(InheritablePartial, Value(), std::move(node)) : shared_from_this();
}

MustacheContextPtr MustacheContext::copyWithUnsafeKeyAccess() const
{
    std::vector<const MustacheContext*> chain;
    for (const MustacheContext* node = this; node->m_parent; node = node->m_parent.get())
        chain.push_back(node);
    MustacheContextPtr copy = contextWithUnsafeKeyAccess();
    for (auto node = chain.rbegin(); node != chain.rend(); ++node) {
        const MustacheContext& original = **node;
        const auto stack = static_cast<Stack>(std::find(original.m_tops.begin(), original.m_tops.end(), &original)
                                              - original.m_tops.begin());
        copy = copy->pushed(stack, original.m_object, original.m_inheritablePartial);
    }
    return copy;
}

Value MustacheContext::valueForMustacheKey(const std::string& key, bool* isProtected) const
{
    Value storage;
    const Value* value = lookUpMustacheKey(key, storage, isProtected);
    return value ? *value : Value();
}

const Value* MustacheContext::lookUpMustacheKey(const std::string& key, Value& storage, bool* isProtected) const
{
    for (const MustacheContext* node = m_tops[Protected]; node; node = node->m_below) {
        if (const Value* value = MustacheKeyAccess::lookUpMustacheKey(key, node->m_object, node->m_unsafeKeyAccess,
                                                                        storage)) {
            if (isProtected)
                *isProtected = true;
            return value;
        }
    }
    if (isProtected)
        *isProtected = false;
    const bool hides = m_tops[Hidden] != nullptr;
    for (const MustacheContext* node = m_tops[Context]; node; node = node->m_below) {
        if (hides && isHidden(node->m_object.object()))
            continue;
        if (const Value* value = MustacheKeyAccess::lookUpMustacheKey(key, node->m_object, node->m_unsafeKeyAccess,
                                                                        storage))
            return value;
    }
    return nullptr;
}

bool MustacheContext::isHidden(const Object* object) const
{
    for (const MustacheContext* node = m_tops[Hidden]; node; node = node->m_below) {
        if (node->m_object.object() == object)
            return true;
    }
    return false;
}

bool MustacheContext::hasValue(Value* value, const std::string& expression, Error* error) const
{
    MustacheExpressionPtr parsed = MustacheExpressionParser().parseExpression(expression, nullptr, error);
    if (!parsed)
        return false;
    MustacheExpressionInvocation invocation;
    invocation.setContext(this);
    invocation.setExpression(parsed.get());
    if (!invocation.invokeReturningError(error))
        return false;
    if (value)
        *value = invocation.value();
    return true;
}

Value MustacheContext::topMustacheObject() const
{
    const Value* top = topObject();
    return top ? *top : Value();
}

std::vector<Value> MustacheContext::tagDelegateStack() const
{
    std::vector<Value> delegates;
    for (const MustacheContext* node = m_tops[TagDelegate]; node; node = node->m_below)
        delegates.push_back(node->m_object);
    std::reverse(delegates.begin(), delegates.end());
    return delegates;
}

MustacheTemplateASTNodePtr MustacheContext::resolveTemplateASTNode(const MustacheTemplateASTNodePtr& node) const
{
    if (!m_tops[InheritablePartial])
        return node;
    MustacheTemplateASTNodePtr resolved = node;
    std::unordered_set<const MustacheTemplateAST*> usedPartialASTs;
    for (const MustacheContext* context = m_tops[InheritablePartial]; context; context = context->m_below) {
        const MustacheInheritablePartialNode& partial = *context->m_inheritablePartial;
        const MustacheTemplateAST* partialAST = partial.partialNode()->templateAST().get();
        if (usedPartialASTs.count(partialAST))
            continue;
        MustacheTemplateASTNodePtr answer = partial.resolveTemplateASTNode(resolved);
        if (answer != resolved) {
            usedPartialASTs.insert(partialAST);
            resolved = std::move(answer);
        }
    }
    return resolved;
}
