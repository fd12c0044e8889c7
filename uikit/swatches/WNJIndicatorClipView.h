#pragma once

#include "uikit/views/WNJClipView.h"

// The viewport behind a swatch strip: a themed wash, the separator under the row and
// one at every swatch boundary.
class WNJIndicatorClipView final : public WNJClipView {
    Q_OBJECT
public:
    explicit WNJIndicatorClipView(QWidget* parent = nullptr);

    void drawRect(QPainter& painter, const QRectF& dirty) override;
};
