#pragma once

#include "app/windows/Appearance.h"
#include "app/banner/ExportBanner.h"
#include "app/picking/LoupeView.h"
#include "app/windows/OverlayWindow.h"
#include "app/picking/ScriptRunner.h"
#include "app/statusmenu/StatusMenu.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

// Collaborators of the controller that record what they were told.
class FakeLoupe final : public LoupeView {
public:
    double constraintedCapture(double capture) const override { return std::clamp(capture, 21.0, 100.0); }
    double constraintedZoomFactor(double zoom) const override { return std::clamp(zoom, 1.0, 15.0); }
    double captureValue() const override { return capture; }
    void setCaptureValue(double value) override { capture = value; }
    double zoomFactor() const override { return zoom; }
    void setZoomFactor(double value) override { zoom = value; }
    void setSwitchedControls(bool value) override { switched = value; }
    long long colorInfo() const override { return info; }
    void setColorInfo(long long mode) override { info = mode; }
    void setExportFormatProcessor(QVFormatProcessor* value) override { processor = value; }
    bool isDockedInPreferences() const override { return docked; }
    void setPeekModeActive(bool value) override { peek = value; ++peekSets; }
    void setExportFormat(const std::optional<QVFormatDefinition>& format) override { exportFormat = format; }
    void setDisplayFormat(const std::optional<QVDisplayFormatDefinition>& format) override { displayFormat = format; }
    void refreshWhilePicking() override { ++refreshes; }
    void showWindow() override { record("showWindow"); }
    void orderOut() override { record("orderOut"); }
    void makeWindowKey() override { record("makeWindowKey"); }
    bool isWindowKey() const override { return windowKey; }
    QPointF setLoupeCenter(const QPointF& point) override
    {
        record("setLoupeCenter");
        center = point;
        return point;
    }
    QPointF lastCenter() const override { return center; }
    void refreshLoupe() override { record("refreshLoupe"); }
    void redrawAll() override { record("redrawAll"); }
    void setCapturedImageNone() override { record("setCapturedImageNone"); }
    std::optional<Color> colorAt(const QPointF&) const override { return color; }
    std::optional<Color> selectedColor() const override { return color; }
    QImage lensImage() override { return {}; }
    void assignLayers() override { record("assignLayers"); }
    void releaseLayers() override { record("releaseLayers"); }
    void startRubberPull() override { record("startRubberPull"); }
    void stopRubberPull() override { record("stopRubberPull"); }
    void setSnapShotTarget(double) override { record("setSnapShotTarget"); }
    void snapShotTo(double, double, const EasingName&, const AnimationCallbacks& callbacks) override
    {
        record("snapShotTo");
        snapShotCallbacks = callbacks;
    }
    NJGestureResponder* gestureResponder() override { return nullptr; }
    void registerMouseListener() override { record("registerMouseListener"); }
    void unregisterMouseListener() override { record("unregisterMouseListener"); }
    void moveLoupeToCurrentMousePosition() override { record("moveLoupeToCurrentMousePosition"); }
    void setMouseFollow(bool follow) override { mouseFollow = follow; }
    void activateHiDPIMode(int) override { record("activateHiDPIMode"); }
    void deactivateHiDPIMode(int) override { record("deactivateHiDPIMode"); }
    void resetHiDPIZoom() override { record("resetHiDPIZoom"); }
    void checkHiDPIMode() override { record("checkHiDPIMode"); }
    void activateHoverMode() override { record("activateHoverMode"); }
    void deactivateHoverMode() override { record("deactivateHoverMode"); }
    void loupeChanged() override { record("loupeChanged"); }
    void dockToWindow(QWidget*) override { record("dockToWindow"); }
    void unDockWindow() override { record("unDockWindow"); }
    double previewOpacity() const override { return opacity; }
    void setPreviewOpacity(double value) override { opacity = value; }
    void fadePreview(double value, double, std::function<void()> completion) override
    {
        opacity = value;
        if (completion)
            completion();
    }
    double maxDiameterValue() const override { return 351; }
    void initializeAppearance() override { record("initializeAppearance"); }

    void record(const std::string& call) { calls.push_back(call); }

    double capture = 0;
    double zoom = 0;
    bool switched = false;
    long long info = -1;
    QVFormatProcessor* processor = nullptr;
    bool docked = false;
    bool peek = false;
    int peekSets = 0;
    std::optional<QVFormatDefinition> exportFormat;
    std::optional<QVDisplayFormatDefinition> displayFormat;
    int refreshes = 0;
    bool windowKey = false;
    double opacity = 1;
    QPointF center;
    std::optional<Color> color;
    bool mouseFollow = false;
    AnimationCallbacks snapShotCallbacks;
    std::vector<std::string> calls;
};

class FakeOverlay final : public OverlayWindow {
public:
    bool isVisible() const override { return visible; }
    void renderFormats() override { ++renders; }
    void setHistoryColors(const std::vector<Color>& colors) override { history = colors; }
    void initWithColors(const std::vector<Color>& colors, const std::vector<Color>& favoriteColors) override
    {
        history = colors;
        favorites = favoriteColors;
        ++inits;
    }
    void setFormatProcessor(QVFormatProcessor* value) override { processor = value; }
    bool hasSelectedColor() const override { return selected; }
    void center() override { ++centred; }
    void makeKeyAndOrderFront() override { visible = true; }
    void orderOut() override { visible = false; }

    bool visible = false;
    int renders = 0;
    std::vector<Color> history;
    std::vector<Color> favorites;
    int inits = 0;
    QVFormatProcessor* processor = nullptr;
    bool selected = false;
    int centred = 0;
};

class FakeBanner final : public ExportBanner {
public:
    QSize imageSize() const override { return size; }
    void present(const std::string& text, const QImage& image, double seconds) override
    {
        shown.emplace_back(text, image);
        visible = true;
        lastSeconds = seconds;
    }
    bool isVisible() const override { return visible; }
    void orderOut() override { visible = false; }

    QSize size{20, 17};
    std::vector<std::pair<std::string, QImage>> shown;
    bool visible = false;
    double lastSeconds = 0;
};

class FakeStatusMenu final : public StatusMenu {
public:
    void refreshStatusImage() override { ++imageRefreshes; }
    void setShortcut(Entry entry, const std::vector<std::uint8_t>& archived) override { shortcuts.emplace_back(entry, archived); }
    void initMenulet() override { calls.push_back("initMenulet"); }
    void createMenuletItem() override { calls.push_back("createMenuletItem"); }
    void attachWelcome() override { calls.push_back("attachWelcome"); }
    void attachMenu() override { calls.push_back("attachMenu"); }
    void updateMenulet(bool option) override { updates.push_back(option); }
    bool isOpen() const override { return open; }
    std::string pickColorMenuItemTitle() const override { return pickTitle; }

    int imageRefreshes = 0;
    std::vector<std::pair<Entry, std::vector<std::uint8_t>>> shortcuts;
    std::vector<std::string> calls;
    std::vector<bool> updates;
    bool open = false;
    std::string pickTitle = "Pick Color";
};

class FakeAppearance final : public Appearance {
public:
    bool themeIsDark() const override { return dark; }
    bool darkMode() const override { return current; }
    void themeChanged() override { current = dark; ++changes; }

    bool dark = true;
    bool current = false;
    int changes = 0;
};

class RecordingScriptRunner final : public ScriptRunner {
public:
    std::string name() const override { return "runner"; }
    bool isAvailable() const override { return true; }
    bool isApplicationInstalled(const std::string&) override { return true; }
    bool execute(const std::string& source) override
    {
        sources.push_back(source);
        return succeeds;
    }

    bool succeeds = true;
    std::vector<std::string> sources;
};
