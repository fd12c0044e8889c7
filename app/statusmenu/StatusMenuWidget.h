#pragma once

#include <QMenu>

// The status menu's widget. Option (Alt) alone never closes it, so holding it can
// swap the colour groups, and the entries' key equivalents work while it is open:
// the global hot keys cannot fire while a menu holds the keyboard. Opened above the
// pointer (from a panel at the bottom of the screen), it keeps its bottom edge when the
// swap changes its height, so it never reaches past the screen.
class StatusMenuWidget final : public QMenu {
    Q_OBJECT
public:
    explicit StatusMenuWidget(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool triggerShortcut(const QKeyEvent& event);

    bool m_keepsBottomEdge = false;
};
