#pragma once

#include "uikit/shortcuts/MASShortcut.h"

// The application's shortcuts; the hot-key operations are the base class's.
class NJShortcut final : public MASShortcut {
public:
    using MASShortcut::MASShortcut;
    explicit NJShortcut(const MASShortcut& shortcut)
        : MASShortcut(shortcut)
    {
    }
};
