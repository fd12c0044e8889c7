#pragma once

#include <QColor>
#include <QWidget>

// One page of the shared colour panel. The panel sets the colour silently; the page
// reports what the user changes, on every step of a drag.
class NJColorPage : public QWidget {
    Q_OBJECT
public:
    explicit NJColorPage(QWidget* parent = nullptr);
    ~NJColorPage() override;

    virtual void setColor(const QColor& color) = 0;
    virtual void setShowsAlpha(bool shows) = 0;

signals:
    void colorEdited(const QColor& color);
};
