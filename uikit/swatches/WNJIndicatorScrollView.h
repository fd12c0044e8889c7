#pragma once

#include "uikit/views/WNJScrollView.h"

// The scroll view that hosts a swatch strip and draws its background and separators.
class WNJIndicatorScrollView final : public WNJScrollView {
    Q_OBJECT
public:
    explicit WNJIndicatorScrollView(QWidget* parent = nullptr);
    static WNJIndicatorScrollView* withHiddenScrollers(const QRect& frame, QWidget* parent = nullptr);
    static QWidget* createClipViewWithFrame(const QRect& frame);
};
