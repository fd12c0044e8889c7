#pragma once

#include <QWidget>

// A view clipped to its rectangle with rounded corners.
class WNJRoundedClippingView : public QWidget {
    Q_OBJECT
public:
    static constexpr double kRadius = 4.5;
    explicit WNJRoundedClippingView(QWidget* parent = nullptr);
};
