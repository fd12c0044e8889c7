#pragma once

#include "platform/InputSynthesizer.h"

#include <utility>
#include <vector>

// Records the keystrokes instead of typing them.
class FakeInputSynthesizer final : public InputSynthesizer {
public:
    bool postKeyStroke(int virtualKeyCode, unsigned long modifierFlags) override;

    const std::vector<std::pair<int, unsigned long>>& keyStrokes() const { return m_keyStrokes; }

private:
    std::vector<std::pair<int, unsigned long>> m_keyStrokes;
};
