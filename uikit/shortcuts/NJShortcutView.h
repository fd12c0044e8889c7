#pragma once

#include "uikit/shortcuts/NJShortcut.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class KeyShortcutDefaultsObserver;
class NJKey;
class NJRolloverButton;
class QKeyEvent;
class QPainter;
class UserDefaults;

// The control that records one global shortcut. It shows the shortcut as key caps
// (Shift, Control, Option, Command and the main key), a caption when there is none,
// and a button at its right end that clears it, or cancels a recording. One
// recorder in the process records at a time.
class NJShortcutView final : public QWidget {
    Q_OBJECT
public:
    using ValueChange = std::function<void(NJShortcutView* recorder)>;
    using DrawBlock = std::function<void(QPainter& painter, const QRectF& rect)>;
    // Shows a modal alert; tests replace it.
    using AlertPresenter = std::function<void(const QString& title, const QString& message)>;

    static constexpr const char* kTakenAlertTitle = "The key combination %@ cannot be used";
    static constexpr const char* kAlertButton = "OK";
    static constexpr const char* kRemoveButtonImage = "RemoveBtn";
    static constexpr const char* kResetButtonImage = "ResetBtn";

    explicit NJShortcutView(QWidget* parent = nullptr);
    ~NJShortcutView() override;

    const std::optional<NJShortcut>& shortcutValue() const { return m_shortcutValue; }
    void setShortcutValue(const std::optional<NJShortcut>& value);
    bool isRecording() const { return m_recording; }
    void setRecording(bool recording);
    void exitRecording() { setRecording(false); }

    QString emptyCaption() const { return m_emptyCaption; }
    void setEmptyCaption(const QString& caption);
    bool ignoresEnter() const { return m_ignoresEnter; }
    void setIgnoresEnter(bool ignores) { m_ignoresEnter = ignores; }
    bool directEnteringEnabled() const { return m_directEnteringEnabled; }
    void setDirectEnteringEnabled(bool enabled) { m_directEnteringEnabled = enabled; }
    const ValueChange& shortcutValueChange() const { return m_shortcutValueChange; }
    void setShortcutValueChange(ValueChange change) { m_shortcutValueChange = std::move(change); }
    const DrawBlock& onDrawBackground() const { return m_onDrawBackground; }
    void setOnDrawBackground(DrawBlock block) { m_onDrawBackground = std::move(block); }
    // The key caps of this recorder draw their background with it when set.
    const DrawBlock& onDrawButtonBackground() const { return m_onDrawButtonBackground; }
    void setOnDrawButtonBackground(DrawBlock block) { m_onDrawButtonBackground = std::move(block); }

    // Values set from the settings change the caps without animation.
    void willSetUserDefaultValue(bool fromDefaults) { m_setFromDefaults = fromDefaults; }
    void clearPressed();
    void resetPressed();

    // Binds the recorder both ways to a settings key; an empty key unbinds and gives
    // the recorder back the value it had before.
    QString associatedUserDefaultsKey() const;
    void setAssociatedUserDefaultsKey(const QString& key, UserDefaults& defaults);

    // What a key does to the recorder; true when it took the key.
    bool keyDown(QKeyEvent* event);
    // Lights the caps of the modifiers held while recording.
    void showHeldModifiers(unsigned long modifierFlags);

    static void setAlertPresenter(AlertPresenter presenter);

    // Room for all five caps, as recording shows them, and the button.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override { return minimumSizeHint(); }

signals:
    void shortcutValueChanged();

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void holdKeyboard(bool hold);
    enum Cap { CommandCap, ControlCap, OptionCap, ShiftCap, MainCap, CapCount };

    void keysForKeyCode(const QString& key, unsigned long modifierFlags);
    int alignKeysWithDuration(double duration);
    void updateButtons();
    void placeButton(NJRolloverButton* button);
    void trySetShortCut(const NJShortcut& shortcut);
    bool canSetDirectly(const NJShortcut& shortcut) const;
    void showValueOnKeys();
    void layOutKeys();
    int mainKeyWidth() const;
    static int defaultHeight();
    void drawBackgroundInRect(QPainter& painter, const QRectF& rect) const;
    void drawOverlayText(QPainter& painter, const QString& text, const QRectF& rect) const;

    std::array<NJKey*, CapCount> m_keys {};
    NJRolloverButton* m_clearBtn = nullptr;
    NJRolloverButton* m_resetBtn = nullptr;
    bool m_recording = false;
    // When the last click that counted began.
    std::optional<quint64> m_lastPressTime;
    std::optional<NJShortcut> m_shortcutValue;
    QString m_emptyCaption;
    bool m_ignoresEnter = false;
    bool m_directEnteringEnabled = false;
    ValueChange m_shortcutValueChange;
    DrawBlock m_onDrawBackground;
    DrawBlock m_onDrawButtonBackground;
    bool m_setFromDefaults = false;
    std::unique_ptr<KeyShortcutDefaultsObserver> m_observer;
};
