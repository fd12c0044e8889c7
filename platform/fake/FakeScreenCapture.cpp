#include "platform/fake/FakeScreenCapture.h"

#include "platform/CapturedPixels.h"

#include <QPainter>

bool FakeScreenCapture::beginSession()
{
    if (m_screen.isNull())
        return false;
    m_snapshot = m_screen.copy();
    m_sessionActive = true;
    ++m_snapshotCount;
    return true;
}

void FakeScreenCapture::endSession()
{
    m_sessionActive = false;
    m_snapshot = QImage();
    m_excluded = QRegion();
}

void FakeScreenCapture::resnapshot()
{
    if (!m_sessionActive)
        return;
    ++m_snapshotCount;
    const QImage previous = m_snapshot;
    m_snapshot = m_screen.copy();
    QPainter painter(&m_snapshot);
    for (const QRect& rect : m_excluded)
        painter.drawImage(rect.topLeft(), previous, rect);
}

QImage FakeScreenCapture::capture(const QRect& rect)
{
    m_captures.push_back(rect);
    return capturedpixels::crop(m_sessionActive ? m_snapshot : m_screen, rect);
}

void FakeScreenCapture::setScreen(const QImage& screen)
{
    m_screen = screen.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (m_sessionActive)
        copyOutsideExcluded(m_screen.rect());
}

void FakeScreenCapture::paint(const QRect& rect, QRgb color)
{
    QPainter(&m_screen).fillRect(rect, QColor::fromRgba(color));
    if (m_sessionActive)
        copyOutsideExcluded(rect);
}

void FakeScreenCapture::copyOutsideExcluded(const QRect& rect)
{
    QPainter painter(&m_snapshot);
    for (const QRect& part : QRegion(rect).subtracted(m_excluded))
        painter.drawImage(part.topLeft(), m_screen, part);
}
