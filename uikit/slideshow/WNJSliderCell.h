#pragma once

#include <QSlider>

// A slider that marks the part of its bar beyond an allowed maximum in black, within
// the groove as the style draws it.
class WNJSliderCell : public QSlider {
    Q_OBJECT
public:
    static constexpr double kMarkRadius = 3;

    explicit WNJSliderCell(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);
    // For interface files, which set the orientation afterwards.
    explicit WNJSliderCell(QWidget* parent);

    double maxSliderValue() const { return m_maxSliderValue; }
    // 0 marks nothing. Redraws at once.
    void setMaxSliderValue(double value);
    // The black mark over the bar rectangle; empty when there is none.
    QRectF forbiddenRect(const QRectF& bar) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_maxSliderValue = 0;
};
