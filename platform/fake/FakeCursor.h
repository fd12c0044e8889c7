#pragma once

#include "platform/Cursor.h"

#include <vector>

// A pointer that can be told to refuse hiding or showing.
class FakeCursor final : public Cursor {
public:
    void hide() override;
    void show() override;
    bool isVisible() const override { return m_visible; }
    QPointF location() const override { return m_location; }
    bool isOnOurScreen() const override { return m_onOurScreen; }
    void warp(const QPointF& globalPoint) override;

    void setLocation(const QPointF& point) { m_location = point; }
    void setVisible(bool visible) { m_visible = visible; }
    void setOnOurScreen(bool onOurScreen) { m_onOurScreen = onOurScreen; }
    void setRefusesToHide(bool refuses) { m_refusesToHide = refuses; }
    void setRefusesToShow(bool refuses) { m_refusesToShow = refuses; }
    int hideCount() const { return m_hideCount; }
    int showCount() const { return m_showCount; }
    const std::vector<QPointF>& warps() const { return m_warps; }

private:
    bool m_visible = true;
    bool m_onOurScreen = true;
    bool m_refusesToHide = false;
    bool m_refusesToShow = false;
    int m_hideCount = 0;
    int m_showCount = 0;
    QPointF m_location;
    std::vector<QPointF> m_warps;
};
