#pragma once

#include "uikit/windows/CustomWindow.h"

#include <QPointer>

class QPainter;
class WNJShadowView;

// A panel with a soft drawn shadow in a separate window kept directly below it. The
// shadow needs a compositing manager; without one the window is shaped to its rounded
// outline and paints its own background instead.
class WNJShadowWindow : public CustomWindow {
    Q_OBJECT
public:
    static constexpr double kBackgroundRadius = 5;
    static constexpr double kContentClipRadius = 4;
    // How far the shadow panel reaches beyond the window.
    static constexpr double kShadowMargin = 50;
    static constexpr double kShadowTopMargin = 35;

    explicit WNJShadowWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~WNJShadowWindow() override;

    static bool isFullSizeContentAvailable();

    // Clips the view and adds the shadow, unless there already is one.
    virtual void addCustomWindowShadow(QWidget* view);
    // Replaces any shadow panel with a new one.
    void addShadowWnd();
    void removeShadowWnd();
    // The shadow panel; null without one.
    QWidget* shadowWindow() const { return m_shadowWindow; }
    // The shadow panel's frame in global points.
    QRectF shadowWindowRct() const;
    void positionShadow(bool display = false);
    void updateShadowWindow();

    // Brings the window back onto its screen's full frame, animated.
    void moveToScreenBounds();

    // Paints the window's own background over the rectangle (widget coordinates).
    virtual void fillWindowBackground(QPainter& painter, const QRectF& rect);

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void frameDidChange(bool display) override;
    void compositingDidChange() override;

private:
    QRectF shadowPanelFrame() const;
    void followWindow();
    void hideShadowPanel();
    void updateOutline();

    QPointer<QWidget> m_shadowWindow;
    // Without a compositor the window stands in for its shadow panel.
    bool m_shapedInstead = false;
};
