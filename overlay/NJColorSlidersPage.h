#pragma once

#include "overlay/NJColorPage.h"

#include <array>

class QComboBox;
class QLabel;
class QSlider;
class QSpinBox;

// Sliders for the channels of one colour model (grey, RGB, CMYK or HSB), and opacity.
class NJColorSlidersPage final : public NJColorPage {
    Q_OBJECT
public:
    enum Model { Gray = 0, RGB = 1, CMYK = 2, HSB = 3 };
    static constexpr int kChannels = 5;

    explicit NJColorSlidersPage(QWidget* parent = nullptr);

    void setColor(const QColor& color) override;
    void setShowsAlpha(bool shows) override;

    Model model() const { return m_model; }
    void setModel(Model model);
    QComboBox* modelChooser() const { return m_chooser; }
    QSlider* slider(int channel) const { return m_rows[static_cast<std::size_t>(channel)].slider; }

private:
    struct Row {
        QLabel* label = nullptr;
        QSlider* slider = nullptr;
        QSpinBox* field = nullptr;
    };

    void layoutRows();
    void showValues();
    void channelEdited(int channel, int value);
    QColor colorFromValues() const;
    std::array<int, kChannels> valuesOf(const QColor& color) const;

    QComboBox* m_chooser = nullptr;
    std::array<Row, kChannels> m_rows;
    Model m_model = RGB;
    bool m_showsAlpha = true;
    QColor m_color = Qt::white;
    // Greys and black keep the hue they were given.
    double m_hue = 0;
};
