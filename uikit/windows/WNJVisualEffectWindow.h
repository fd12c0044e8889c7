#pragma once

#include "uikit/windows/WNJShadowWindow.h"

#include <QColor>
#include <QPointer>

// A shadowed panel tinted by the theme, with its own rounded background: a faint
// pattern under a 42 pt title band, black in the dark theme and white in the light.
class WNJVisualEffectWindow : public WNJShadowWindow {
    Q_OBJECT
public:
    static constexpr double kTitleBandHeight = 42;
    static constexpr const char* kLightTint = "F5F5F5";
    static constexpr const char* kDarkTint = "333333";
    static constexpr const char* kLightPattern = "background-alpha";
    static constexpr const char* kDarkPattern = "background-alpha-inv";

    explicit WNJVisualEffectWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    static bool useVisualEffectView();
    static QColor tintColorFromAppearance();
    QColor backgroundTintColor() const { return m_backgroundTintColor; }

    // Fills the window with the view, which takes the application's appearance.
    void setContentView(QWidget* view);
    QWidget* contentView() const { return m_contentView; }

    void applicationAppearanceDidChange() override;
    void addCustomWindowShadow(QWidget* view) override;
    void fillWindowBackground(QPainter& painter, const QRectF& rect) override;

protected:
    // The theme the background is drawn in: the application's.
    virtual bool darkAppearance() const;

private:
    void applyTint();

    QColor m_backgroundTintColor;
    QPointer<QWidget> m_contentView;
};
