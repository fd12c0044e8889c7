#pragma once

class QVLoupeController;

// Hover mode: the loupe fades to a see-through state without grid, focus square or
// info box, and lets the pointer through to the windows below. No capture is taken
// while it fades, and a newer transition makes an older one's end only refresh.
class QVHoverMode final {
public:
    enum State { Off = 0, On = 1, FadingIn = 2, FadingOut = 4 };

    static constexpr double kFadeDuration = 0.1;
    static constexpr double kHoverAlpha = 0.6;

    explicit QVHoverMode(QVLoupeController& loupe);

    int hoverMode() const { return m_hoverMode; }
    bool pausesCapture() const { return m_hoverMode == FadingIn || m_hoverMode == FadingOut; }
    void toggleHoverMode();
    void activateHoverMode();
    void deactivateHoverMode();
    // The info box's mode as the user chose it. Hover mode hides the box only for a
    // while: what is saved, or set meanwhile, is the mode it brings back.
    long long colorInfo() const;
    void setColorInfo(long long mode);

private:
    // Runs the fade to `alpha`; at its end, unless a newer transition started, the mode
    // becomes `end` and the loupe takes or gives up the pointer.
    void fade(double alpha, State end);

    QVLoupeController& m_loupe;
    int m_hoverMode = Off;
    int m_hoverModeID = 0;
    // The info box's mode while hover mode hides it.
    long long m_hoverColorInfo = 0;
};
