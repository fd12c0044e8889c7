#pragma once

#include <QObject>

#include <functional>

// Super+W, the program's Close key: pressed in any of the program's windows it runs
// the close action, as a menu bar's key equivalent would. A window's own shortcut for
// the same keys goes first.
class CloseWindowKey final : public QObject {
public:
    explicit CloseWindowKey(std::function<void()> close);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_close;
};
