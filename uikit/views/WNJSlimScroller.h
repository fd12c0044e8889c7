#pragma once

#include <QScrollBar>

// A 7 pt scroll bar that shows only a slim rounded knob.
class WNJSlimScroller : public QScrollBar {
    Q_OBJECT
public:
    enum class Part { NoPart = 0, DecrementPage = 1, Knob = 2, IncrementPage = 3, DecrementLine = 4,
                      IncrementLine = 5, KnobSlot = 6 };
    static constexpr double kWidth = 7.0;
    static constexpr double kKnobRadius = 3;
    static constexpr bool kAllowsVibrancy = false;
    static constexpr bool kCompatibleWithOverlayScrollers = true;

    explicit WNJSlimScroller(Qt::Orientation orientation = Qt::Vertical, QWidget* parent = nullptr);

    static double scrollerWidth() { return kWidth; }
    // Only the knob and its slot have a rectangle.
    QRectF rectForPart(Part part) const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
