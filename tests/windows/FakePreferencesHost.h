#pragma once

#include "foundation/Scheduler.h"
#include "windows/PreferencesHost.h"

#include <QPointer>
#include <QWidget>

// The controller and loupe as the preferences see them, noting what was asked. Alpha
// animations end on the scheduler's clock.
class FakePreferencesHost final : public PreferencesHost {
public:
    bool inPreferences = false;
    bool picking = false;
    double zoom = 8;
    double capture = 31;
    double maxDiameter = 400;
    double alpha = 1;
    long long colorInfo = -1;
    bool peek = false;
    int appearanceReads = 0;
    int dockCount = 0;
    QPointer<QWidget> parent;
    bool loginItem = false;
    // The login item refuses changes.
    bool loginItemFails = false;
    int loginChanges = 0;

    void setInPreferences(bool on) override { inPreferences = on; }
    bool inPicking() const override { return picking; }
    void endPicking() override { picking = false; }
    double zoomFactor() const override { return zoom; }
    void setZoomFactor(double value) override { zoom = value; }
    double captureValue() const override { return capture; }
    void setCaptureValue(double value) override { capture = value; }
    double maxDiameterValue() const override { return maxDiameter; }
    double loupeAlpha() const override { return alpha; }
    void setLoupeAlpha(double value) override { alpha = value; }
    void animateLoupeAlpha(double to, double seconds, std::function<void()> completion) override
    {
        Scheduler::current().schedule(seconds, [this, to, completion] {
            alpha = to;
            if (completion)
                completion();
        });
    }
    void setColorInfo(long long mode) override { colorInfo = mode; }
    void setPeekModeActive(bool on) override { peek = on; }
    void initializeAppearance() override { ++appearanceReads; }
    QWidget* loupeParentWindow() const override { return parent; }
    void dockToWindow(QWidget* window) override
    {
        ++dockCount;
        parent = window;
    }
    void unDockWindow() override { parent = nullptr; }
    bool isAppLoginItem() const override { return loginItem; }
    void addAppAsLoginItem() override { change(true); }
    void deleteAppFromLoginItem() override { change(false); }

private:
    void change(bool on)
    {
        ++loginChanges;
        if (!loginItemFails)
            loginItem = on;
    }
};
