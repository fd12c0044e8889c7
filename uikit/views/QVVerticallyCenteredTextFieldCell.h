#pragma once

#include <QLabel>

// A label whose text sits in the vertical middle of its bounds.
class QVVerticallyCenteredTextFieldCell : public QLabel {
    Q_OBJECT
public:
    explicit QVVerticallyCenteredTextFieldCell(QWidget* parent = nullptr);
    // The text's rectangle: the full width, its own height, centred vertically.
    QRectF titleRectForBounds(const QRectF& bounds) const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
