#pragma once

#include "uikit/windows/WNJVisualEffectWindow.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <functional>

class WNJBackgroundView;

// The welcome tour's floating window. Without visual-effect views the content sits on
// a translucent grey ground with rounded corners, light or dark with the theme. Escape
// closes it, Return clicks the default button from any control that leaves Return alone
// (an open pop-up keeps it), and a ring shows the focus; the tour does not restyle
// itself while it is shown.
class WelcomeTourWindow final : public WNJVisualEffectWindow {
    Q_OBJECT
public:
    static constexpr double kGroundGrey = 0.949;
    static constexpr double kDarkGroundGrey = 0.196;
    static constexpr double kGroundAlpha = 0.75;
    static constexpr double kCornerRadius = 5.0;

    explicit WelcomeTourWindow(QWidget* parent = nullptr);

    void setContentView(QWidget* view);
    QLabel* windowCaption() const { return m_windowCaption; }
    void setWindowCaption(QLabel* caption) { m_windowCaption = caption; }
    // The button Return clicks while it is shown and enabled.
    void setDefaultButton(QPushButton* button) { m_defaultButton = button; }
    // Runs once when the window closes, before it hides.
    void setOnWillClose(std::function<void()> willClose) { m_onWillClose = std::move(willClose); }

    void applicationAppearanceDidChange() override;
    void fillWindowBackground(QPainter& painter, const QRectF& rect) override;
    void cancelOperation();

protected:
    bool darkAppearance() const override { return m_dark; }
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Takes the theme as it is now for the ground and the background.
    void holdTheme();

    QPointer<QLabel> m_windowCaption;
    QPointer<WNJBackgroundView> m_ground;
    QPointer<QPushButton> m_defaultButton;
    // The theme as the tour last showed.
    bool m_dark = false;
    std::function<void()> m_onWillClose;
};
