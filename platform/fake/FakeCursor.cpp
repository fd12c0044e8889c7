#include "platform/fake/FakeCursor.h"

void FakeCursor::hide()
{
    ++m_hideCount;
    if (!m_refusesToHide)
        m_visible = false;
}

void FakeCursor::show()
{
    ++m_showCount;
    if (!m_refusesToShow)
        m_visible = true;
}

void FakeCursor::warp(const QPointF& globalPoint)
{
    m_location = globalPoint;
    m_warps.push_back(globalPoint);
}
