#pragma once

#include "uikit/views/WNJBasicView.h"

#include <QColor>

#include <optional>

// A view that fills what it paints with its background colour.
class WNJOpaqueView : public WNJBasicView {
    Q_OBJECT
public:
    // Made by an interface file: the background is not drawn until asked for.
    explicit WNJOpaqueView(QWidget* parent = nullptr);
    // Made with a frame: the background is drawn.
    WNJOpaqueView(const QRect& frame, QWidget* parent);

    const std::optional<QColor>& backgroundColor() const { return m_backgroundColor; }
    // Repaints only when the colour changes.
    void setBackgroundColor(std::optional<QColor> color);
    bool drawsBackgroundColor() const { return m_drawsBackgroundColor; }
    void setDrawsBackgroundColor(bool draws) { m_drawsBackgroundColor = draws; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void fillBackground(QPainter& painter, const QRectF& rect) const;

private:
    std::optional<QColor> m_backgroundColor;
    bool m_drawsBackgroundColor = false;
};
