#pragma once

#include "foundation/Dictionary.h"

// The constant names a template can pass to filters, since templates have no
// literals: digits, flags, component paths, separators and application names.
class QVTemplateSymbols final {
public:
    // The 27 symbols, built once.
    static const Dictionary& symbols();
};
