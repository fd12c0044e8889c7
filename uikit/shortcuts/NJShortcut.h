#pragma once

#include "uikit/shortcuts/KeyShortcut.h"

// The application's shortcuts; the hot-key operations are the base class's.
class NJShortcut final : public KeyShortcut {
public:
    using KeyShortcut::KeyShortcut;
    explicit NJShortcut(const KeyShortcut& shortcut)
        : KeyShortcut(shortcut)
    {
    }
};
