#pragma once

#include <functional>

class QWidget;

// What the preferences window needs of the application controller, the loupe and the
// login item. Calls on a loupe that does not exist do nothing.
class PreferencesHost {
public:
    virtual ~PreferencesHost() = default;

    // The preferences drive the loupe while they are open.
    virtual void setInPreferences(bool inPreferences) = 0;
    virtual bool inPicking() const = 0;
    // Ends a running pick and takes the loupe off the screen.
    virtual void endPicking() = 0;

    // The loupe's zoom view.
    virtual double zoomFactor() const = 0;
    virtual void setZoomFactor(double zoomFactor) = 0;
    virtual double captureValue() const = 0;
    virtual void setCaptureValue(double capture) = 0;
    virtual double maxDiameterValue() const = 0;
    virtual double loupeAlpha() const = 0;
    virtual void setLoupeAlpha(double alpha) = 0;
    virtual void animateLoupeAlpha(double alpha, double seconds, std::function<void()> completion) = 0;
    virtual void setColorInfo(long long mode) = 0;
    virtual void setPeekModeActive(bool peek) = 0;
    // The zoom view reads the theme again.
    virtual void initializeAppearance() = 0;

    // Docking the loupe as a preview beside a window.
    virtual QWidget* loupeParentWindow() const = 0;
    virtual void dockToWindow(QWidget* window) = 0;
    virtual void unDockWindow() = 0;

    // The login item.
    virtual bool isAppLoginItem() const = 0;
    virtual void addAppAsLoginItem() = 0;
    virtual void deleteAppFromLoginItem() = 0;
};
