#pragma once

#include "GRMustacheTemplateASTNode.h"

#include "foundation/Error.h"
#include "foundation/Value.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class GRMustacheContext;
class GRMustacheInheritablePartialNode;
class GRMustacheTagDelegate;

using GRMustacheContextPtr = std::shared_ptr<const GRMustacheContext>;

// The immutable state tags render in: the objects keys are looked up in, protected
// objects that win every lookup, hidden objects lookups skip, tag delegates and the
// inheritable partials being rendered. Every derivation makes a new context that
// shares the old one.
class GRMustacheContext final : public std::enable_shared_from_this<GRMustacheContext> {
public:
    GRMustacheContext() = default;

    static GRMustacheContextPtr context();
    static GRMustacheContextPtr contextWithUnsafeKeyAccess();
    // Also a tag delegate when the object is one.
    static GRMustacheContextPtr contextWithObject(const Value& object);
    static GRMustacheContextPtr contextWithProtectedObject(const Value& object);
    static GRMustacheContextPtr contextWithTagDelegate(const Value& tagDelegate);

    // A nil argument gives the receiver itself.
    GRMustacheContextPtr contextByAddingObject(const Value& object) const;
    // The same for one item of a list after another: `previous`, what this call gave for
    // the item before, is reused when nothing holds it any more. Never a tag delegate.
    GRMustacheContextPtr contextByAddingItem(const Value& item, GRMustacheContextPtr previous) const;
    GRMustacheContextPtr contextByAddingProtectedObject(const Value& object) const;
    GRMustacheContextPtr contextByAddingHiddenObject(const Value& object) const;
    GRMustacheContextPtr contextByAddingTagDelegate(const Value& tagDelegate) const;
    GRMustacheContextPtr contextByAddingInheritablePartialNode(
        std::shared_ptr<const GRMustacheInheritablePartialNode> node) const;
    // The same stacks, sharing as they do, with unsafe key access everywhere.
    GRMustacheContextPtr copyWithUnsafeKeyAccess() const;

    bool unsafeKeyAccess() const { return m_unsafeKeyAccess; }
    Value topMustacheObject() const;
    // Nil when no object answers; `isProtected` tells whether a protected object did.
    Value valueForMustacheKey(const std::string& key, bool* isProtected = nullptr) const;
    // The same without a copy, as GRMustacheKeyAccess::lookUpMustacheKey answers.
    const Value* lookUpMustacheKey(const std::string& key, Value& storage, bool* isProtected = nullptr) const;
    // The object on top of the context stack; null when there is none.
    const Value* topObject() const { return m_tops[Context] ? &m_tops[Context]->m_object : nullptr; }
    // Evaluates an expression string; false with the parse or evaluation error.
    bool hasValue(Value* value, const std::string& expression, Error* error) const;
    // Oldest first.
    std::vector<Value> tagDelegateStack() const;
    // Template inheritance: the node that renders in place of `node`.
    GRMustacheTemplateASTNodePtr resolveTemplateASTNode(const GRMustacheTemplateASTNodePtr& node) const;

    // Whether any tag delegate is on the stack, without building it.
    bool hasTagDelegates() const { return m_tops[TagDelegate] != nullptr; }
    // Whether resolveTemplateASTNode can answer anything but the node itself.
    bool rendersInheritablePartials() const { return m_tops[InheritablePartial] != nullptr; }

private:
    enum Stack { Context, Protected, Hidden, TagDelegate, InheritablePartial, StackCount };

    // Every context but the empty root pushes one entry on one stack, on top of its
    // parent; it keeps its parent alive and knows which context holds each stack's top.
    GRMustacheContextPtr pushed(Stack stack, Value object,
                                std::shared_ptr<const GRMustacheInheritablePartialNode> node = nullptr) const;
    static const GRMustacheTagDelegate* tagDelegateOf(const Value& object);
    bool isHidden(const Object* object) const;

    Value m_object;
    std::shared_ptr<const GRMustacheInheritablePartialNode> m_inheritablePartial;
    GRMustacheContextPtr m_parent;
    // The next older context on this context's own stack.
    const GRMustacheContext* m_below = nullptr;
    std::array<const GRMustacheContext*, StackCount> m_tops{};
    bool m_unsafeKeyAccess = false;
};
