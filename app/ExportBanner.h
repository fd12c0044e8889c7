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
    virtual void present(const std::string& text, const QImage& image) = 0;
};
