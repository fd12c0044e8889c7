#pragma once

#include <stdexcept>
#include <string>

// What the object model raises where the original raised an exception: a message
// a kind does not understand, misuse of an API.
class Exception : public std::runtime_error {
public:
    Exception(std::string name, std::string reason)
        : std::runtime_error(name + ": " + reason), m_name(std::move(name)), m_reason(std::move(reason)) {}

    const std::string& name() const { return m_name; }
    const std::string& reason() const { return m_reason; }

private:
    std::string m_name;
    std::string m_reason;
};

inline constexpr const char* kInvalidArgumentException = "NSInvalidArgumentException";
inline constexpr const char* kInternalInconsistencyException = "NSInternalInconsistencyException";
inline constexpr const char* kRangeException = "NSRangeException";
