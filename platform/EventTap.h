#pragma once

// A listen-only tap on the input of the whole desktop. It never swallows events.
class EventTap {
public:
    virtual ~EventTap() = default;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
};
