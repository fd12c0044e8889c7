#pragma once

#include <QScrollBar>

// A scroll bar that takes no room and shows nothing.
class WNJHiddenScroller final : public QScrollBar {
public:
    explicit WNJHiddenScroller(Qt::Orientation orientation, QWidget* parent = nullptr)
        : QScrollBar(orientation, parent)
    {
        setFixedSize(0, 0);
    }
    QSize sizeHint() const override { return {0, 0}; }
};
