#pragma once

#include "app/windows/PreferencesWindow.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Scheduler.h"
#include "foundation/UserDefaults.h"
#include "windows/NJPrefsWindowController.h"

#include <QPointer>

#include <memory>
#include <optional>

class AppDelegate;
class DefaultsBinding;
class NJShortcutView;
class PreferencesHost;
class QAbstractButton;
class QLabel;
class QPainter;
class QRectF;
class QVFormatProcessor;
class WNJSliderCell;
namespace Ui {
class AppearancePreferencePane;
class CodeStylePreferencePane;
class GeneralPreferencePane;
} // namespace Ui

// The application's preferences: the General, Appearance and Code Style panes, the two
// shortcut recorders, info texts that follow the settings, the loupe docked beside the
// window as a live preview while its settings change, and code-style examples.
class PreferencesWindowController final : public NJPrefsWindowController, public PreferencesWindow {
    Q_OBJECT
public:
    static constexpr const char* kGeneral = "General";
    static constexpr const char* kAppearance = "Appearance";
    static constexpr const char* kCodeStyle = "Code Style";
    static constexpr const char* kEmptyCaption = "Click to record shortcut";
    static constexpr double kHideDelay = 2.25;
    static constexpr double kHideAfter = 2.0;
    static constexpr double kFadeInDuration = 0.3;
    static constexpr double kFadeOutDuration = 0.25;

    PreferencesWindowController(UserDefaults& defaults, std::unique_ptr<PreferencesHost> host);
    ~PreferencesWindowController() override;

    // The window for the running application.
    static std::shared_ptr<PreferencesWindow> make(AppDelegate& delegate, UserDefaults& defaults);

    // PreferencesWindow.
    void show() override { showWindow(); }
    bool isVisible() const override { return isWindowVisible(); }
    void close() override;
    bool isShortcutRecording() const override;
    void cancelShortcutRecording() override;
    void focusShortcutPicker() override;
    void focusShortcutOverlay() override;

    void showWindow() override;
    void displayViewForIdentifier(const QString& identifier, bool animate) override;

    QWidget* generalPreferenceView() const { return m_general; }
    QWidget* appearancePreferenceView() const { return m_appearance; }
    QWidget* codestylePreferenceView() const { return m_codestyle; }
    NJShortcutView* shortcutPicker() const;
    NJShortcutView* shortcutOverlay() const;
    WNJSliderCell* captureSlider() const;

    // Actions of the controls.
    void lensControlsChanged();
    void afterPickChanged();
    void recentMenuItemChanged();
    void launchAtLoginChanged();
    void magnificationChanged();
    void captureChanged();
    void loupePreferenceChanged(QObject* sender);

    void updateExamples();
    void updateCaptureSlider();
    void hideLoupe();
    void addListeners();
    void removeListeners();

    static void drawShortcutBackground(QPainter& painter, const QRectF& rect, const NJShortcutView& recorder);

protected:
    void setupToolbar() override;
    void setupPreferences() override;
    void windowWillClose() override;
    void windowWillMove() override;
    void windowDidResignKey() override;

private:
    void awakeFromNib();
    void bindControls();
    void codeStyleChanged(const Value& style);

    UserDefaults& m_defaults;
    std::unique_ptr<PreferencesHost> m_host;
    std::unique_ptr<Ui::GeneralPreferencePane> m_generalUi;
    std::unique_ptr<Ui::AppearancePreferencePane> m_appearanceUi;
    std::unique_ptr<Ui::CodeStylePreferencePane> m_codestyleUi;
    QPointer<QWidget> m_general;
    QPointer<QWidget> m_appearance;
    QPointer<QWidget> m_codestyle;
    DefaultsBinding* m_binding = nullptr;
    std::unique_ptr<QVFormatProcessor> m_formatProcessor;
    std::vector<UserDefaults::Token> m_infoTokens;
    std::optional<UserDefaults::Token> m_codeStyleToken;
    std::optional<NotificationCenter::Token> m_lensObserver;
    double m_lastChange = 0;
    bool m_loupeHidding = false;
    bool m_listening = false;
};
