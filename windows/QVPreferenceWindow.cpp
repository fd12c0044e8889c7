#include "QVPreferenceWindow.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QShortcut>

QVPreferenceWindow::QVPreferenceWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint)
{
    // The overlay stays up when the focus moves to this window; it knows it by name.
    setObjectName(QStringLiteral("preferencesWindow"));
    for (const QKeySequence& cancel : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::META | Qt::Key_Period)}) {
        auto* shortcut = new QShortcut(cancel, this);
        connect(shortcut, &QShortcut::activated, this, &QVPreferenceWindow::cancelOperation);
    }
}

void QVPreferenceWindow::closeEvent(QCloseEvent* event)
{
    if (isVisible())
        emit windowWillClose();
    QWidget::closeEvent(event);
}

void QVPreferenceWindow::moveEvent(QMoveEvent* event)
{
    if (isVisible())
        emit windowWillMove();
    QWidget::moveEvent(event);
}

void QVPreferenceWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        emit windowDidResignKey();
    QWidget::changeEvent(event);
}
