#pragma once

#include <QString>

class QVLoupeController;

// The picking keys: pick, cancel, zoom and diameter steps, format cycling, copying the
// lens image and nudging the loupe by single device pixels. Keys are known by their
// position (the virtual key code) or, where the position is unknown, by Qt's key;
// every other key is swallowed.
class QVLoupeKeys final {
public:
    // Nudges are this many device pixels while the movement modifier is held.
    static constexpr double kIncreasedMovement = 10;

    explicit QVLoupeKeys(QVLoupeController& loupe);

    // `virtualKeyCode` is -1 when the key's position is unknown.
    void keyDown(int virtualKeyCode, int qtKey, unsigned long modifierFlags, const QString& text);

private:
    bool keyDownByCode(int virtualKeyCode, unsigned long modifierFlags);
    bool nudge(int qtKey, unsigned long modifierFlags);

    QVLoupeController& m_loupe;
};
