#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// A disk of hues around the centre with the saturation growing outwards, at one
// brightness. A press or drag picks hue and saturation.
class NJColorWheel final : public QWidget {
    Q_OBJECT
public:
    explicit NJColorWheel(QWidget* parent = nullptr);

    // Hue in 0..1 (turns), saturation and value in 0..1.
    void setHsv(double hue, double saturation, double value);
    double hue() const { return m_hue; }
    double saturation() const { return m_saturation; }
    // The hue and saturation under a widget point; points outside land on the rim.
    std::pair<double, double> hueSaturationAt(const QPointF& point) const;
    QRectF diskRect() const;

signals:
    void hueSaturationPicked(double hue, double saturation);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    QSize sizeHint() const override { return {240, 240}; }
    QSize minimumSizeHint() const override { return {120, 120}; }

private:
    void pick(const QPointF& point);
    const QImage& disk();

    double m_hue = 0;
    double m_saturation = 0;
    double m_value = 1;
    QImage m_disk;
    double m_diskValue = -1;
};
