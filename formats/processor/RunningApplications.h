#pragma once

#include <string>
#include <vector>

// The applications running now, by the names a user knows them by.
class RunningApplications {
public:
    virtual ~RunningApplications() = default;
    virtual std::vector<std::string> names() const = 0;
};
