#pragma once

#include <string>

// Programs started when the user logs in, named by an identifier.
class LoginItems {
public:
    virtual ~LoginItems() = default;
    // false when the change could not be made.
    virtual bool setEnabled(const std::string& identifier, bool enabled) = 0;
    virtual bool isEnabled(const std::string& identifier) const = 0;
};
