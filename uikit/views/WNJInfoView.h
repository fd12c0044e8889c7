#pragma once

#include "uikit/views/WNJThemeAwareView.h"

// A themed view with a hairline along its bottom edge.
class WNJInfoView : public WNJThemeAwareView {
    Q_OBJECT
public:
    static constexpr double kHairlineWidth = 0.75;

    explicit WNJInfoView(QWidget* parent = nullptr);

    bool hideStroke() const { return m_hideStroke; }
    void setHideStroke(bool hide) { m_hideStroke = hide; }
    bool noVibrancy() const { return m_noVibrancy; }
    void setNoVibrancy(bool no) { m_noVibrancy = no; }
    bool allowsVibrancy() const { return !m_noVibrancy; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_hideStroke = false;
    bool m_noVibrancy = false;
};
