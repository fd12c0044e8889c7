#pragma once

#include <functional>

// What runs when a keyed animation ends ("finished") or is stopped ("canceled").
// Either may be empty.
struct AnimationCallbacks {
    std::function<void()> finished;
    std::function<void()> canceled;
};
