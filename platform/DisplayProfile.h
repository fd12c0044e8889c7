#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// The colour profile the main display advertises to colour-managed programs. On X11
// this changes neither the pixels shown nor what a capture returns.
class DisplayProfile {
public:
    using Bytes = std::vector<std::uint8_t>;
    struct Reading {
        // 0 on success, else the platform's error code.
        int error = 0;
        // Empty when the display has no profile.
        std::optional<Bytes> profile;
    };

    virtual ~DisplayProfile() = default;
    virtual Reading read() const = 0;
    // Each answers 0 on success, else the platform's error code.
    virtual int write(const Bytes& profile) = 0;
    virtual int remove() = 0;
};
