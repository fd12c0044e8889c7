#pragma once

#include "windows/PreferencesHost.h"

class AppDelegate;
class QVLoupeController;

// The preferences host over the application controller, its loupe and the application
// object's login item.
class AppPreferencesHost final : public PreferencesHost {
public:
    explicit AppPreferencesHost(AppDelegate& delegate);

    void setInPreferences(bool inPreferences) override;
    bool inPicking() const override;
    void endPicking() override;
    double zoomFactor() const override;
    void setZoomFactor(double zoomFactor) override;
    double captureValue() const override;
    void setCaptureValue(double capture) override;
    double maxDiameterValue() const override;
    double loupeAlpha() const override;
    void setLoupeAlpha(double alpha) override;
    void animateLoupeAlpha(double alpha, double seconds, std::function<void()> completion) override;
    void setColorInfo(long long mode) override;
    void setPeekModeActive(bool peek) override;
    void initializeAppearance() override;
    QWidget* loupeParentWindow() const override;
    void dockToWindow(QWidget* window) override;
    void unDockWindow() override;
    bool isAppLoginItem() const override;
    void addAppAsLoginItem() override;
    void deleteAppFromLoginItem() override;

private:
    QVLoupeController* loupe() const;

    AppDelegate& m_delegate;
};
