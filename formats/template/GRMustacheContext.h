#pragma once

#include "GRMustacheTemplateASTNode.h"

#include "foundation/Error.h"
#include "foundation/Value.h"

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
    GRMustacheContextPtr contextByAddingProtectedObject(const Value& object) const;
    GRMustacheContextPtr contextByAddingHiddenObject(const Value& object) const;
    GRMustacheContextPtr contextByAddingTagDelegate(const Value& tagDelegate) const;
    GRMustacheContextPtr contextByAddingInheritablePartialNode(
        std::shared_ptr<const GRMustacheInheritablePartialNode> node) const;
    // The same stacks, sharing as they do, with unsafe key access everywhere.
    GRMustacheContextPtr copyWithUnsafeKeyAccess() const;

    bool unsafeKeyAccess() const { return m_unsafeKeyAccess; }
    Value topMustacheObject() const { return m_contextTop; }
    // Nil when no object answers; `isProtected` tells whether a protected object did.
    Value valueForMustacheKey(const std::string& key, bool* isProtected = nullptr) const;
    // Evaluates an expression string; false with the parse or evaluation error.
    bool hasValue(Value* value, const std::string& expression, Error* error) const;
    // Oldest first.
    std::vector<Value> tagDelegateStack() const;
    // Template inheritance: the node that renders in place of `node`.
    GRMustacheTemplateASTNodePtr resolveTemplateASTNode(const GRMustacheTemplateASTNodePtr& node) const;

private:
    enum class Stack { Context, Protected, Hidden, TagDelegate };

    GRMustacheContextPtr pushed(Stack stack, const Value& object) const;
    static const GRMustacheTagDelegate* tagDelegateOf(const Value& object);

    Value m_contextTop;
    GRMustacheContextPtr m_contextParent;
    Value m_protectedTop;
    GRMustacheContextPtr m_protectedParent;
    Value m_hiddenTop;
    GRMustacheContextPtr m_hiddenParent;
    Value m_tagDelegateTop;
    GRMustacheContextPtr m_tagDelegateParent;
    std::shared_ptr<const GRMustacheInheritablePartialNode> m_inheritablePartialTop;
    GRMustacheContextPtr m_inheritablePartialParent;
    bool m_unsafeKeyAccess = false;
};
