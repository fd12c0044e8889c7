#pragma once

#include <QWidget>

// The preferences window: Escape or Command-period closes it. It reports closing,
// moving and losing the focus to its controller.
class QVPreferenceWindow final : public QWidget {
    Q_OBJECT
public:
    explicit QVPreferenceWindow(QWidget* parent = nullptr);

    void cancelOperation() { close(); }

signals:
    void windowWillClose();
    void windowWillMove();
    void windowDidResignKey();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
};
