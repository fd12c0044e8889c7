#pragma once

#include <functional>
#include <memory>

class AboutWindow;
class ExportBanner;
class LoupeView;
class OverlayWindow;
class PreferencesWindow;
class WelcomeWindow;

// How the controller makes its windows. A factory that is not set, or that answers
// nothing, leaves that window out: calls that would reach it do nothing.
struct WindowFactories {
    std::function<std::shared_ptr<LoupeView>()> loupe;
    std::function<std::shared_ptr<ExportBanner>()> banner;
    std::function<std::shared_ptr<OverlayWindow>()> overlay;
    std::function<std::unique_ptr<WelcomeWindow>()> welcome;
    std::function<std::unique_ptr<AboutWindow>()> about;
    // The shared preferences window, made on first use.
    std::function<std::shared_ptr<PreferencesWindow>()> preferences;
};
