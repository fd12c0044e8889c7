#pragma once

#include <QPointer>
#include <QWidget>

class QPushButton;
class WNJSliderView;

// The row of page dots under a slide show; a click on a dot shows its slide.
class WNJSliderDotsControl final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDotSize = 15;
    static constexpr int kDotSpacing = 22;
    static constexpr int kBottomMargin = 8;
    static constexpr const char* kDotImage = "WNJSliderDot";
    static constexpr const char* kActiveDotImage = "WNJSliderDot_active";
    // The dynamic property holding a dot's index.
    static constexpr const char* kTagProperty = "tag";

    explicit WNJSliderDotsControl(QWidget* parent = nullptr);

    void setSliderView(WNJSliderView* slider) { m_sliderView = slider; }
    WNJSliderView* sliderView() const { return m_sliderView; }

    unsigned dotsCount() const { return m_dotsCount; }
    // Rebuilds the dots and centres the row above the slider's bottom edge.
    void setDotsCount(unsigned count);
    unsigned indexOfHighlightedDot() const { return m_indexOfHighlightedDot; }
    void setIndexOfHighlightedDot(unsigned index);
    QPushButton* dotAt(unsigned index) const;

private:
    QPointer<WNJSliderView> m_sliderView;
    unsigned m_dotsCount = 0;
    unsigned m_indexOfHighlightedDot = 0;
};
