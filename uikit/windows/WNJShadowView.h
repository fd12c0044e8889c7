#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

class WNJShadowWindow;

// Draws the soft shadow of its linked window and, over it, the window's background.
class WNJShadowView final : public QWidget {
    Q_OBJECT
public:
    static constexpr double kShadowAlpha = 0.65;
    static constexpr double kShadowBlur = 50;
    static constexpr double kCastingRadius = 5;

    explicit WNJShadowView(WNJShadowWindow* linkedWindow, QWidget* parent = nullptr);

    WNJShadowWindow* linkedWindow() const { return m_linkedWindow; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& shadowImage();

    QPointer<WNJShadowWindow> m_linkedWindow;
    QImage m_shadow;
};
