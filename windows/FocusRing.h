#pragma once

#include <QPointer>
#include <QWidget>

// Shows which button or pop-up of a window holds the keyboard focus: a ring in the
// highlight colour around it, unlike the default button's filled look. It lies over
// the window's content and lets the mouse through.
class FocusRing final : public QWidget {
public:
    static constexpr int kWidth = 2;
    static constexpr int kGap = 1;

    explicit FocusRing(QWidget* window);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(QWidget* focus);
    void place();

    QPointer<QWidget> m_target;
};
