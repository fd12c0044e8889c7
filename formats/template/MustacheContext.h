#pragma once

#include "MustacheTemplateASTNode.h"

#include "foundation/Error.h"
#include "foundation/Value.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class MustacheContext;
class MustacheInheritablePartialNode;
class MustacheTagDelegate;

using MustacheContextPtr = std::shared_ptr<const MustacheContext>;

// The immutable state tags render in: the objects keys are looked up in, protected
// objects that win every lookup, hidden objects lookups skip, tag delegates and the
// inheritable partials being rendered. Every derivation makes a new context that
// shares the old one.
class MustacheContext final : public std::enable_shared_from_this<MustacheContext> {
public:
    MustacheContext() = default;

    static MustacheContextPtr context();
    static MustacheContextPtr contextWithUnsafeKeyAccess();
    // Also a tag delegate when the object is one.
    static MustacheContextPtr contextWithObject(const Value& object);
    static MustacheContextPtr contextWithProtectedObject(const Value& object);
    static MustacheContextPtr contextWithTagDelegate(const Value& tagDelegate);

    // A nil argument gives the receiver itself.
    MustacheContextPtr contextByAddingObject(const Value& object) const;
    // The same for one item of a list after another: `previous`, what this call gave for
    // the item before, is reused when nothing holds it any more. Never a tag delegate.
    MustacheContextPtr contextByAddingItem(const Value& item, MustacheContextPtr previous) const;
    MustacheContextPtr contextByAddingProtectedObject(const Value& object) const;
    MustacheContextPtr contextByAddingHiddenObject(const Value& object) const;
    MustacheContextPtr contextByAddingTagDelegate(const Value& tagDelegate) const;
    MustacheContextPtr contextByAddingInheritablePartialNode(
        std::shared_ptr<const MustacheInheritablePartialNode> node) const;
    // The same stacks, sharing as they do, with unsafe key access everywhere.
    MustacheContextPtr copyWithUnsafeKeyAccess() const;

    bool unsafeKeyAccess() const { return m_unsafeKeyAccess; }
    Value topMustacheObject() const;
    // Nil when no object answers; `isProtected` tells whether a protected object did.
    Value valueForMustacheKey(const std::string& key, bool* isProtected = nullptr) const;
    // The same without a copy, as MustacheKeyAccess::lookUpMustacheKey answers.
    const Value* lookUpMustacheKey(const std::string& key, Value& storage, bool* isProtected = nullptr) const;
    // The object on top of the context stack; null when there is none.
    const Value* topObject() const { return m_tops[Context] ? &m_tops[Context]->m_object : nullptr; }
    // Evaluates an expression string; false with the parse or evaluation error.
    bool hasValue(Value* value, const std::string& expression, Error* error) const;
    // Oldest first.
    std::vector<Value> tagDelegateStack() const;
    // Template inheritance: the node that renders in place of `node`.
    MustacheTemplateASTNodePtr resolveTemplateASTNode(const MustacheTemplateASTNodePtr& node) const;

    // Whether any tag delegate is on the stack, without building it.
    bool hasTagDelegates() const { return m_tops[TagDelegate] != nullptr; }
    // Whether resolveTemplateASTNode can answer anything but the node itself.
    bool rendersInheritablePartials() const { return m_tops[InheritablePartial] != nullptr; }

private:
    enum Stack { Context, Protected, Hidden, TagDelegate, InheritablePartial, StackCount };

    // Every context but the empty root pushes one entry on one stack, on top of its
    // parent; it keeps its parent alive and knows which context holds each stack's top.
    MustacheContextPtr pushed(Stack stack, Value object,
                                std::shared_ptr<const MustacheInheritablePartialNode> node = nullptr) const;
    static const MustacheTagDelegate* tagDelegateOf(const Value& object);
    bool isHidden(const Object* object) const;

    Value m_object;
    std::shared_ptr<const MustacheInheritablePartialNode> m_inheritablePartial;
    MustacheContextPtr m_parent;
    // The next older context on this context's own stack.
    const MustacheContext* m_below = nullptr;
    std::array<const MustacheContext*, StackCount> m_tops{};
    bool m_unsafeKeyAccess = false;
};
