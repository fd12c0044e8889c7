#pragma once

#include <QWidget>

// A view that can let a mouse press drag its window.
class WNJBasicView : public QWidget {
    Q_OBJECT
public:
    explicit WNJBasicView(QWidget* parent = nullptr);

    bool canMoveWithMouseDown() const { return m_canMoveWithMouseDown; }
    void setCanMoveWithMouseDown(bool can) { m_canMoveWithMouseDown = can; }
    bool mouseDownCanMoveWindow() const { return m_canMoveWithMouseDown; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool m_canMoveWithMouseDown = false;
};
