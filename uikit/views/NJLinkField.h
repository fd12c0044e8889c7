#pragma once

#include <QLabel>

// A label that shows the pointing hand, as links do.
class NJLinkField : public QLabel {
public:
    explicit NJLinkField(QWidget* parent = nullptr)
        : QLabel(parent)
    {
        setCursor(Qt::PointingHandCursor);
    }
};
