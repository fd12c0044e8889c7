#pragma once

#include "uikit/animation/NJAnimationGroup.h"

#include <QScrollArea>

#include <optional>

// A scroll area without visible scroll bars whose horizontal scrolling glides.
class WNJScrollView : public QScrollArea {
    Q_OBJECT
public:
    static constexpr double kMaxScrollDuration = 0.3;

    explicit WNJScrollView(QWidget* parent = nullptr);
    // Both scroll bars hidden and taking no room.
    static WNJScrollView* withHiddenScrollers(const QRect& frame, QWidget* parent = nullptr);
    static QWidget* createClipViewWithFrame(const QRect& frame);

    // Whether scrolling to x would move, comparing whole points.
    bool willScrolltoXPosition(float x) const;
    void scrollToXPosition(float x);
    bool scrollAnimation() const { return m_scrollAnimation; }
    // How long a scroll over the distance takes in a view of the width.
    static double scrollDuration(double distance, double width);

protected:
    WNJScrollView(QWidget* clipView, QWidget* parent);
    void hideScrollers();
    template <class View>
    static View* makeWithHiddenScrollers(const QRect& frame, QWidget* parent)
    {
        auto* view = new View(parent);
        view->setGeometry(frame);
        view->hideScrollers();
        return view;
    }
    template <class Clip>
    static QWidget* makeClipView(const QRect& frame)
    {
        auto* clip = new Clip;
        clip->setGeometry(frame);
        return clip;
    }
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_scrollAnimation = false;
    std::optional<NJAnimationGroup> m_scroll;
};
