#pragma once

#include "MustacheRendering.h"

#include "foundation/Value.h"

struct MustacheVersion {
    int major;
    int minor;
    int patch;
};

// Entry points of the engine that belong to no single class.
class Mustache final {
public:
    static MustacheVersion libraryVersion() { return {7, 3, 2}; }
    // The filters every template sees through the default base context.
    static Value standardLibrary();
    static Value renderingObjectForObject(const Value& object);
    static Value renderingObjectWithBlock(MustacheRendering::Block block);
    static void preventNSUndefinedKeyExceptionAttack();
};
