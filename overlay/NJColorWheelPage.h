#pragma once

#include "overlay/NJColorPage.h"

class NJColorWheel;
class QLabel;
class QLineEdit;
class QSlider;

// The colour wheel: hue and saturation on the disk, brightness beside it, opacity and
// the hexadecimal value below.
class NJColorWheelPage final : public NJColorPage {
    Q_OBJECT
public:
    static constexpr int kSteps = 1000;

    explicit NJColorWheelPage(QWidget* parent = nullptr);

    void setColor(const QColor& color) override;
    void setShowsAlpha(bool shows) override;

    NJColorWheel* wheel() const { return m_wheel; }
    QSlider* brightnessSlider() const { return m_brightness; }
    QSlider* opacitySlider() const { return m_opacity; }
    QLineEdit* hexField() const { return m_hex; }

protected:
    void changeEvent(QEvent* event) override;

private:
    QColor currentColor() const;
    void fitHexField();
    void showValues();
    void edited();
    void hexEntered();

    NJColorWheel* m_wheel = nullptr;
    QSlider* m_brightness = nullptr;
    QSlider* m_opacity = nullptr;
    QLabel* m_opacityLabel = nullptr;
    QLineEdit* m_hex = nullptr;
    bool m_showsAlpha = true;
    // Kept apart from the colour so that black and greys keep the hue they were given.
    double m_hue = 0;
    double m_saturation = 0;
    double m_value = 1;
    double m_alpha = 1;
};
