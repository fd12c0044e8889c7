#include "loupe/QVLensBase.h"

#include "loupe/NJZoomView.h"

#include "foundation/NotificationCenter.h"

#include <algorithm>

namespace {

// Newest first: the entries move up one place and the oldest falls off at the end.
template <typename T>
void pushFront(std::array<T, QVLensBase::kHistoryLength>& history, int& count, const T& value)
{
    const bool wasEmpty = count == 0;
    if (count < static_cast<int>(QVLensBase::kHistoryLength))
        ++count;
    if (!wasEmpty)
        std::move_backward(history.begin(), history.begin() + count - 1, history.begin() + count);
    history[0] = value;
}

} // namespace

QVLensBase::QVLensBase(NJZoomView* image)
    : m_image(image)
{
}

QVLensBase::~QVLensBase() = default;

NJZoomView* QVLensBase::image() const
{
    return m_image.data();
}

void QVLensBase::setImage(NJZoomView* image)
{
    m_image = image;
}

void QVLensBase::draw(QPainter&) {}

void QVLensBase::setExportFormatProcessor(QVFormatProcessor*) {}

void QVLensBase::setLensCenter(const QPointF& center)
{
    addLocationHistory(center);
}

void QVLensBase::lensAttributeChanged()
{
    NotificationCenter::defaultCenter().post(kAttributesChangedNotification, image());
}

void QVLensBase::setAlphaBlind(double) {}

void QVLensBase::addLocationHistory(const QPointF& location)
{
    pushFront(m_locationHistory, m_locationHistoryCnt, location);
}

void QVLensBase::addFrameRateHistory(double framesPerSecond)
{
    pushFront(m_frameRateHistory, m_frameRateHistoryCnt, framesPerSecond);
}
