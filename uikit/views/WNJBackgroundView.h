#pragma once

#include "uikit/views/WNJOpaqueView.h"

class QPainterPath;

// A themed background: a gradient when both its colours are set, else the plain
// background colour, with an optional stroke along the bottom.
class WNJBackgroundView : public WNJOpaqueView {
    Q_OBJECT
public:
    static constexpr int kDefaultAngle = 270;

    // Made by an interface file: takes the theme's panel colour.
    explicit WNJBackgroundView(QWidget* parent = nullptr);
    // Made with a frame: a translucent white (light) or black (dark), a downward gradient angle.
    WNJBackgroundView(const QRect& frame, QWidget* parent);

    // The theme's panel colour; owners call it again after an appearance change.
    void initializeAppearance();

    const std::optional<QColor>& startingColor() const { return m_startingColor; }
    void setStartingColor(std::optional<QColor> color) { m_startingColor = std::move(color); }
    const std::optional<QColor>& endingColor() const { return m_endingColor; }
    void setEndingColor(std::optional<QColor> color) { m_endingColor = std::move(color); }
    const std::optional<QColor>& bottomStrokeColor() const { return m_bottomStrokeColor; }
    void setBottomStrokeColor(std::optional<QColor> color) { m_bottomStrokeColor = std::move(color); }
    // Degrees counterclockwise from the right, as seen on screen.
    int angle() const { return m_angle; }
    void setAngle(int angle) { m_angle = angle; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hasGradient() const { return m_startingColor && m_endingColor; }
    void fillGradient(QPainter& painter) const;
    void strokeBottom(QPainter& painter) const;

private:
    std::optional<QColor> m_startingColor;
    std::optional<QColor> m_endingColor;
    std::optional<QColor> m_bottomStrokeColor;
    int m_angle = 0;
};
