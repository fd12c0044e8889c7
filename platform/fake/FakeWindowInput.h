#pragma once

#include "platform/WindowInput.h"

#include <optional>
#include <set>

class FakeWindowInput final : public WindowInput {
public:
    bool setClickThrough(std::uint64_t window, bool through) override
    {
        if (through)
            m_through.insert(window);
        else
            m_through.erase(window);
        return true;
    }
    bool clickThrough(std::uint64_t window) const { return m_through.count(window) > 0; }
    void takeKeyboardFocus(std::uint64_t window, std::function<void()>) override { m_focus = window; }
    std::optional<std::uint64_t> focus() const { return m_focus; }
    void whenFocusSettled(std::function<void()> done) override { done(); }
    bool pointerFree() override { return true; }

private:
    std::set<std::uint64_t> m_through;
    std::optional<std::uint64_t> m_focus;
};
