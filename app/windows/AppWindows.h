#pragma once

#include <QImage>

#include <memory>
#include <string>

class AboutWindow;
class AppDelegate;
class ExportBanner;
class OverlayWindow;
class PreferencesWindow;
class WelcomeWindow;

// The controller's windows: the overlay, the welcome tour, the about and preferences
// windows and the export banner. A window its factory cannot make stays out, and
// what would reach it does nothing.
class AppWindows final {
public:
    explicit AppWindows(AppDelegate& delegate);
    ~AppWindows();

    // The overlay. A null sender is a hot key, whose modifiers are still held.
    void initOverlayWindow();
    void showOverlay(const void* sender);
    void hideOverlay() { hideOverlayAndRestoreFocus(true); }
    void hideOverlayAndRestoreFocus(bool restoreFocus);
    bool isOverlayVisible() const;
    bool hasSelectedColor() const;
    OverlayWindow* overlayWindow() const { return m_overlay.get(); }
    void setOverlay(std::shared_ptr<OverlayWindow> overlay) { m_overlay = std::move(overlay); }
    // Seconds since 1970 when the overlay was last hidden; 0 while never shown.
    double lastOverlayActivation() const { return m_lastOverlayActivation; }

    // Window openers.
    void showAbout();
    void showWelcome();
    // Called by the welcome tour when it closes.
    void closeWelcome();
    void showPreferences();
    bool inWelcome() const { return m_welcome != nullptr; }
    AboutWindow* aboutWindow() const { return m_about.get(); }
    WelcomeWindow* welcomeWindow() const { return m_welcome.get(); }
    // The preferences window once it was made; null before.
    PreferencesWindow* preferencesWindow() const { return m_preferences.get(); }
    // The preferences window drives the loupe.
    bool inPreferences() const { return m_inPreferences; }
    void setInPreferences(bool inPreferences) { m_inPreferences = inPreferences; }

    // The banner.
    void createBanner();
    void setBanner(std::shared_ptr<ExportBanner> banner) { m_banner = std::move(banner); }
    ExportBanner* banner() const { return m_banner.get(); }
    void showNotification(const std::string& text, const QImage& image);
    void cancelNotification();

private:
    AppDelegate& m_delegate;
    std::shared_ptr<OverlayWindow> m_overlay;
    std::shared_ptr<ExportBanner> m_banner;
    std::unique_ptr<WelcomeWindow> m_welcome;
    std::unique_ptr<AboutWindow> m_about;
    std::shared_ptr<PreferencesWindow> m_preferences;
    double m_lastOverlayActivation = 0;
    bool m_inPreferences = false;
};
