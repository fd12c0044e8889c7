#pragma once

#include "formats/color/Color.h"

#include <functional>
#include <optional>

class AppDelegate;

// The road of one pick: the picker opens, a click (or Return or Space) flashes the
// loupe, and the colour goes to the export or to the overlay and into the history.
class PickFlow final {
public:
    static constexpr const char* kNoColorAvailable = "No Color available!";
    static constexpr const char* kImageCopied = "Image copied to clipboard";

    explicit PickFlow(AppDelegate& delegate);

    bool inPicking() const { return m_inPicking; }

    // A null sender is a hot key, whose modifiers are still held.
    void showPicker(const void* sender);
    // Does, without showing anything, what opening the picker starts with: the loupe's
    // window is made, put at the pointer and drawn with its texts, and the screen capture
    // readied. A command-line pick calls it while its start delay runs, and start-up once
    // its windows have drawn, so that opening then has little left to do.
    void preparePicker();
    // Escape: focus goes back unless the overlay is due.
    void hidePicker();
    void hidePickerAndRestoreFocus(bool restoreFocus);
    // Ignored while not picking and while a pick's flash runs, so one click exports once.
    void doPick();
    void showSnapShotAnimation(std::function<void()> completion);
    void copyLoupeImageToClipboard(std::function<void()> completion);
    // A colour clicked but not yet in the history (its flash or export still to come)
    // enters it now: the program is about to end.
    void recordPendingPick();

private:
    void pickCompleted(const std::optional<Color>& color, bool openOverlay);

    AppDelegate& m_delegate;
    bool m_inPicking = false;
    bool m_pickRunning = false;
    std::optional<Color> m_unrecordedColor;
};
