#pragma once

#include "foundation/Error.h"
#include "foundation/Exception.h"

#include <string>

inline constexpr const char* GRMustacheErrorDomain = "GRMustacheErrorDomain";

enum GRMustacheErrorCode : long {
    GRMustacheErrorCodeParseError = 0,
    GRMustacheErrorCodeTemplateNotFound = 1,
    GRMustacheErrorCodeRenderingError = 2,
};

inline Error makeMustacheError(GRMustacheErrorCode code, std::string message)
{
    return Error{GRMustacheErrorDomain, code, std::move(message)};
}

// Stores the error where the caller asked for it; callers may pass no slot.
inline void setMustacheError(Error* slot, Error error)
{
    if (slot)
        *slot = std::move(error);
}

inline constexpr const char* GRMustacheGenericException = "NSGenericException";

// Raised when a configuration changes after a template was compiled with it.
inline Exception mutatedAfterCompilation(const std::string& description)
{
    return Exception(GRMustacheGenericException, description + " was mutated after template compilation");
}

// Raised when a template or configuration is given no base context.
inline Exception invalidBaseContext()
{
    return Exception(kInvalidArgumentException, "Invalid baseContext:nil");
}
