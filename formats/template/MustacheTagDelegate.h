#pragma once

#include "foundation/Error.h"
#include "foundation/Value.h"

#include <string>

class MustacheTag;

// Observes and alters the rendering of the tags below it in the context. Objects
// that implement it are told about tags when they are pushed on the context.
class MustacheTagDelegate {
public:
    virtual ~MustacheTagDelegate() = default;

    // The value to render instead.
    virtual Value mustacheTagWillRenderObject(const MustacheTag& tag, const Value& object) const;
    virtual void mustacheTagDidRenderObject(const MustacheTag& tag, const Value& object,
                                            const std::string& rendering) const;
    virtual void mustacheTagDidFailRenderingObject(const MustacheTag& tag, const Value& object,
                                                   const Error& error) const;
};
