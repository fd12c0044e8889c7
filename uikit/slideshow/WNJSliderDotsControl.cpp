#include "uikit/slideshow/WNJSliderDotsControl.h"

#include "uikit/application/NamedImage.h"
#include "uikit/slideshow/WNJSliderView.h"

#include <QPushButton>

WNJSliderDotsControl::WNJSliderDotsControl(QWidget* parent)
    : QWidget(parent)
{
}

QPushButton* WNJSliderDotsControl::dotAt(unsigned index) const
{
    for (QPushButton* dot : findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (dot->property(kTagProperty).toUInt() == index)
            return dot;
    }
    return nullptr;
}

void WNJSliderDotsControl::setDotsCount(unsigned count)
{
    m_dotsCount = count;
    qDeleteAll(findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly));
    const QIcon dotIcon(namedImage(QLatin1String(kDotImage)));
    const QIcon activeIcon(namedImage(QLatin1String(kActiveDotImage)));
    for (unsigned i = 0; i < count; ++i) {
        auto* dot = new QPushButton(this);
        dot->setFlat(true);
        dot->setFocusPolicy(Qt::NoFocus);
        dot->setGeometry(static_cast<int>(i) * kDotSpacing, 0, kDotSize, kDotSize);
        // New dots keep the highlight: the first slide shows before the others are added.
        dot->setIcon(i == m_indexOfHighlightedDot ? activeIcon : dotIcon);
        dot->setIconSize(QSize(kDotSize, kDotSize));
        dot->setProperty(kTagProperty, i);
        dot->show();
        connect(dot, &QPushButton::clicked, this, [this, i] {
            if (m_sliderView)
                m_sliderView->dotViewSelected(static_cast<int>(i));
        });
    }
    const int width = static_cast<int>(count) * kDotSpacing + kDotSize;
    const int sliderWidth = m_sliderView ? m_sliderView->width() : 0;
    const int sliderHeight = m_sliderView ? m_sliderView->height() : 0;
    setGeometry((sliderWidth - width + kDotSpacing) / 2, sliderHeight - kBottomMargin - kDotSize, width, kDotSize);
}

void WNJSliderDotsControl::setIndexOfHighlightedDot(unsigned index)
{
    m_indexOfHighlightedDot = index;
    const QIcon dotIcon(namedImage(QLatin1String(kDotImage)));
    const QIcon activeIcon(namedImage(QLatin1String(kActiveDotImage)));
    for (QPushButton* dot : findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly))
        dot->setIcon(dot->property(kTagProperty).toUInt() == index ? activeIcon : dotIcon);
}
