#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// The colour profile the main display advertises to colour-managed programs. On X11
// this changes neither the pixels shown nor what a capture returns.
class DisplayProfile {
public:
    using Bytes = std::vector<std::uint8_t>;
    // A profile as the display keeps it: its bytes, stored as items of 8, 16 or 32
    // bits of a type (0 for the usual one), so that it can be put back exactly.
    struct Profile {
        Bytes bytes;
        std::uint8_t itemBits = 8;
        std::uint32_t type = 0;
        bool operator==(const Profile&) const = default;
    };
    struct Reading {
        // 0 on success, else the platform's error code.
        int error = 0;
        // Empty when the display has no profile.
        std::optional<Profile> profile;
    };

    virtual ~DisplayProfile() = default;
    virtual Reading read() const = 0;
    // Each answers 0 on success, else the platform's error code.
    virtual int write(const Profile& profile) = 0;
    virtual int remove() = 0;
};
