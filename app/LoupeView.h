#pragma once

#include "formats/QVDisplayFormatDefinition.h"
#include "formats/QVFormatDefinition.h"

#include <optional>

class QVFormatProcessor;

// The loupe's zoom view and its renderer, as the settings drive them.
class LoupeView {
public:
    virtual ~LoupeView() = default;

    // The zoom view's limits, without changing anything.
    virtual double constraintedCapture(double capture) const = 0;
    virtual double constraintedZoomFactor(double zoomFactor) const = 0;
    virtual double captureValue() const = 0;
    virtual void setCaptureValue(double capture) = 0;
    virtual double zoomFactor() const = 0;
    virtual void setZoomFactor(double zoomFactor) = 0;
    virtual void setSwitchedControls(bool switched) = 0;

    // The renderer.
    virtual long long colorInfo() const = 0;
    virtual void setColorInfo(long long mode) = 0;
    virtual void setExportFormatProcessor(QVFormatProcessor* processor) = 0;
    // The loupe is shown inside the preferences window.
    virtual bool isDockedInPreferences() const = 0;
    virtual void setPeekModeActive(bool peek) = 0;
    virtual void setExportFormat(const std::optional<QVFormatDefinition>& format) = 0;
    virtual void setDisplayFormat(const std::optional<QVDisplayFormatDefinition>& format) = 0;
    // While picking, rebuilds the layers and redraws; otherwise nothing.
    virtual void refreshWhilePicking() = 0;
};
