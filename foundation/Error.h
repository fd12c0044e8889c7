#pragma once

#include <string>

// A failure returned beside a result.
struct Error {
    std::string domain;
    long code = 0;
    std::string message;

    bool operator==(const Error&) const = default;
};
