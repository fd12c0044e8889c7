#pragma once

#include <QImage>
#include <QSize>

#include <string>

// The banner that confirms an export.
class ExportBanner {
public:
    virtual ~ExportBanner() = default;
    // The size of its swatch image; empty when it shows none.
    virtual QSize imageSize() const = 0;
    // Shown, then dismissed by itself after `seconds`.
    virtual void present(const std::string& text, const QImage& image, double seconds) = 0;
    virtual bool isVisible() const = 0;
    // Hidden at once, without animation.
    virtual void orderOut() = 0;
};
