#pragma once

#include <QPointer>
#include <QWidget>

class QVLoupeController;

// The loupe shown as a live preview at the side of another window (the preferences):
// over its right edge when that window is in the left half of its screen, else over
// its left edge. Docked and picking exclude each other.
class QVLoupeDocking final {
public:
    explicit QVLoupeDocking(QVLoupeController& loupe);

    bool isWindowDocked() const { return !m_parent.isNull(); }
    QWidget* parentWindow() const { return m_parent; }
    void dockToWindow(QWidget* window);
    void unDockWindow();

private:
    QVLoupeController& m_loupe;
    QPointer<QWidget> m_parent;
};
