#pragma once

#include "MustacheContentType.h"
#include "MustacheContext.h"

#include "foundation/Error.h"
#include "foundation/Value.h"

#include <functional>
#include <optional>
#include <string>

class MustacheTag;
class MustacheTemplateRepository;

// A value that renders itself. Objects implementing it decide their own text for a
// tag; every other value renders by its kind.
class MustacheRendering {
public:
    // Null result: failure, with the error set.
    using Block = std::function<std::optional<std::string>(const MustacheTag& tag,
                                                           const MustacheContextPtr& context, bool& HTMLSafe,
                                                           Error& error)>;

    virtual ~MustacheRendering() = default;

    // The text for the tag; `HTMLSafe` starts false. Nullopt with `error` set on failure.
    virtual std::optional<std::string> renderForMustacheTag(const MustacheTag& tag,
                                                            const MustacheContextPtr& context, bool& HTMLSafe,
                                                            Error& error) const = 0;
    // Whether a section shows for this value.
    virtual bool mustacheBoolValue() const { return true; }

    // The value itself, or the shared nil rendering for nil.
    static Value renderingObjectForObject(const Value& object);
    // Raises on an empty block.
    static Value renderingObjectWithBlock(Block block);

    // Per-thread state of the rendering in progress.
    static void pushCurrentTemplateRepository(MustacheTemplateRepository* repository);
    static void popCurrentTemplateRepository();
    static MustacheTemplateRepository* currentTemplateRepository();
    static void pushCurrentContentType(MustacheContentType contentType);
    static void popCurrentContentType();
    // Outside rendering: the current repository's, else the default configuration's.
    static MustacheContentType currentContentType();
};

// A rendering that also knows when it is one item of an enumerable value.
class MustacheRenderingWithIterationSupport : public MustacheRendering {
public:
    virtual std::optional<std::string> renderForMustacheTagAsEnumerationItem(const MustacheTag& tag,
        bool asEnumerationItem, const MustacheContextPtr& context, bool& HTMLSafe, Error& error) const = 0;

    std::optional<std::string> renderForMustacheTag(const MustacheTag& tag, const MustacheContextPtr& context,
                                                    bool& HTMLSafe, Error& error) const override
    {
        return renderForMustacheTagAsEnumerationItem(tag, false, context, HTMLSafe, error);
    }
};
