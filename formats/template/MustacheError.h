#pragma once

#include "foundation/Error.h"
#include "foundation/Exception.h"

#include <string>

inline constexpr const char* MustacheErrorDomain = "MustacheErrorDomain";

enum MustacheErrorCode : long {
    MustacheErrorCodeParseError = 0,
    MustacheErrorCodeTemplateNotFound = 1,
    MustacheErrorCodeRenderingError = 2,
};

inline Error makeMustacheError(MustacheErrorCode code, std::string message)
{
    return Error{MustacheErrorDomain, code, std::move(message)};
}

// Stores the error where the caller asked for it; callers may pass no slot.
inline void setMustacheError(Error* slot, Error error)
{
    if (slot)
        *slot = std::move(error);
}

inline constexpr const char* MustacheGenericException = "NSGenericException";

// Raised when a configuration changes after a template was compiled with it.
inline Exception mutatedAfterCompilation(const std::string& description)
{
    return Exception(MustacheGenericException, description + " was mutated after template compilation");
}

// Raised when a template or configuration is given no base context.
inline Exception invalidBaseContext()
{
    return Exception(kInvalidArgumentException, "Invalid baseContext:nil");
}
