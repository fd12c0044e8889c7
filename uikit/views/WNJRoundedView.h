#pragma once

#include "uikit/windows/RoundedCornerMask.h"
#include "uikit/views/WNJBackgroundView.h"

// A themed background with rounded corners: bits 1 and 2 name the upper left and right
// corners on screen, 4 and 8 the lower ones.
class WNJRoundedView : public WNJBackgroundView {
    Q_OBJECT
public:
    static constexpr double kRadius = 4;

    explicit WNJRoundedView(QWidget* parent = nullptr);
    WNJRoundedView(const QRect& frame, QWidget* parent);

    RoundedCornerMask roundedCorners() const { return m_roundedCorners; }
    void setRoundedCorners(RoundedCornerMask corners) { m_roundedCorners = corners; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RoundedCornerMask m_roundedCorners = roundedcorner::kAll;
};
