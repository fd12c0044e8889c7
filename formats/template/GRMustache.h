#pragma once

#include "GRMustacheRendering.h"

#include "foundation/Value.h"

struct GRMustacheVersion {
    int major;
    int minor;
    int patch;
};

// Entry points of the engine that belong to no single class.
class GRMustache final {
public:
    static GRMustacheVersion libraryVersion() { return {7, 3, 2}; }
    // The filters every template sees through the default base context.
    static Value standardLibrary();
    static Value renderingObjectForObject(const Value& object);
    static Value renderingObjectWithBlock(GRMustacheRendering::Block block);
    static void preventNSUndefinedKeyExceptionAttack();
};
