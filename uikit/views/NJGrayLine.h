#pragma once

#include <QWidget>

// One grey line across the vertical middle of the view.
class NJGrayLine : public QWidget {
    Q_OBJECT
public:
    explicit NJGrayLine(QWidget* parent = nullptr)
        : QWidget(parent)
    {
    }

protected:
    void paintEvent(QPaintEvent* event) override;
};
