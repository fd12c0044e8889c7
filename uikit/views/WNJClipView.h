#pragma once

#include <QWidget>

class QPainter;

// The viewport of a WNJScrollView. The scroll view takes the viewport's paint events
// and has it draw through drawRect().
class WNJClipView : public QWidget {
public:
    explicit WNJClipView(QWidget* parent = nullptr)
        : QWidget(parent)
    {
    }
    virtual void drawRect(QPainter&, const QRectF&) {}
};
