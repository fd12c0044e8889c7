#pragma once

#include <QWidget>

// A view that notices a change of the system appearance whenever it is painted, and
// that keeps a rounded mask of radius 8 once it has one.
class WNJVisualEffectView : public QWidget {
    Q_OBJECT
public:
    static constexpr double kMaskRadius = 8;

    explicit WNJVisualEffectView(QWidget* parent = nullptr);

    // Masks the view to its rounded rectangle, also after later resizes.
    void updateMask();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool m_hasMask = false;
};
