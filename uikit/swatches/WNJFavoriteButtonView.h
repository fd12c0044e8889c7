#pragma once

#include <QWidget>

// The panel behind the swatches' favourite button: a themed fill with hairlines along
// its bottom and left edges.
class WNJFavoriteButtonView : public QWidget {
    Q_OBJECT
public:
    static constexpr double kHairlineWidth = 0.75;
    static constexpr bool kAllowsVibrancy = true;

    explicit WNJFavoriteButtonView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
