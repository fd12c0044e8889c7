// The overlay's keyboard: type-ahead into the search field and the keys that move, export or close.
#include "QVOverlayWindow.h"

#include "ui_QVOverlayWindow.h"

#include "app/AppDelegate.h"
#include "overlay/NJFormatTableView.h"
#include "overlay/NJSearchArrayController.h"
#include "overlay/NJSwatchesController.h"
#include "uikit/animation/NJAnimationGroup.h"
#include "uikit/swatches/WNJIndicatorCollectionView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

#include <utility>

namespace {

constexpr Qt::KeyboardModifiers kCommandModifiers = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

bool movesInFormatList(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

} // namespace

bool QVOverlayWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && (watched == m_ui->linkSearchField || watched == m_ui->formatTableView)) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Like Return, a key typed right after the filter moves through the list it leaves.
        if (movesInFormatList(key->key()) && !(key->modifiers() & kCommandModifiers))
            settleFilterSearch();
        if (watched == m_ui->linkSearchField)
            return searchFieldCommand(key);
    }
    return WNJVisualEffectWindow::eventFilter(watched, event);
}

bool QVOverlayWindow::searchFieldCommand(QKeyEvent* event)
{
    NJFormatTableView* table = m_ui->formatTableView;
    if (event->modifiers() & kCommandModifiers)
        return false;
    switch (event->key()) {
    case Qt::Key_Home:
        table->moveToBeginning();
        return false;
    case Qt::Key_End:
        table->moveToEnding();
        return false;
    // The field has no page movement of its own: a page key it ignored would reach
    // the panel, which would page the list a second time.
    case Qt::Key_PageUp:
        table->pageUp();
        return true;
    case Qt::Key_PageDown:
        table->pageDown();
        return true;
    case Qt::Key_Up:
        m_formatController->selectPrevious();
        return true;
    case Qt::Key_Down:
        m_formatController->selectNext();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        QCoreApplication::sendEvent(m_swatchesController->activeCollectionView(), event);
        return true;
    // The field leaves Return unaccepted: taken here, it does not reach the panel too.
    case Qt::Key_Return:
    case Qt::Key_Enter:
        exportOnReturn();
        return true;
    case Qt::Key_Escape:
        if (!m_ui->linkSearchField->text().isEmpty()) {
            m_ui->linkSearchField->setText(QString());
            updateFilterSearchInstant();
        } else {
            cancelOperation();
        }
        return true;
    default:
        return false;
    }
}

void QVOverlayWindow::cancelOperation()
{
    if (!colorPanelVisible()) {
        m_delegate.hideOverlay();
        return;
    }
    // Escape waits for a running transition: closing while the editor opens would leave
    // the editor's bar over the format list. A close under way already does what it asks.
    if (m_colorPanelAnimating)
        m_closeWhenOpened = true;
    else
        hideColorPanel(currentSelectedItemStartRect());
}

void QVOverlayWindow::keyPressEvent(QKeyEvent* event)
{
    keyDown(event);
}

void QVOverlayWindow::keyDown(QKeyEvent* event)
{
    // The editor's own fields take their keys; only Escape comes up to close it.
    if (colorPanelVisible() && !(event->modifiers() & kCommandModifiers) && event->key() == Qt::Key_Escape) {
        cancelOperation();
        return;
    }
    if ((event->modifiers() & kCommandModifiers) || colorPanelVisible()) {
        event->ignore();
        return;
    }
    if (m_keyDownResent)
        return;
    if (event->key() == Qt::Key_Escape) {
        cancelOperation();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        exportOnReturn();
        return;
    }
    const QString text = event->text();
    const bool backspace = event->key() == Qt::Key_Backspace;
    const QChar ch = backspace ? QChar(u'\b') : (text.isEmpty() ? QChar() : text.front());
    if (backspace || ch.isLetterOrNumber() || ch == QChar(u' ')) {
        QLineEdit* field = m_ui->linkSearchField;
        if (!field->hasFocus() && !m_makingFirstResponder) {
            m_makingFirstResponder = true;
            QPointer<QVOverlayWindow> self(this);
            NJAnimationGroup(0)
                .completion([self] {
                    if (!self)
                        return;
                    self->m_ui->linkSearchField->setFocus();
                    self->m_makingFirstResponder = false;
                    self->sendBufferedCharacters();
                    self->updateFilterSearch();
                })
                .start();
        }
        if (m_makingFirstResponder)
            m_bufferedCharacters.append(ch);
        else if (QWidget* focus = QApplication::focusWidget())
            QCoreApplication::sendEvent(focus, event);
        return;
    }
    const bool listKey = movesInFormatList(event->key());
    if (listKey)
        settleFilterSearch();
    m_keyDownResent = true;
    if (listKey)
        m_ui->formatTableView->keyDown(event);
    else if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)
        QCoreApplication::sendEvent(m_swatchesController->activeCollectionView(), event);
    m_keyDownResent = false;
}

void QVOverlayWindow::exportOnReturn()
{
    settleFilterSearch();
    m_ui->formatTableView->highlightSelection();
    exportWithSelectedFormat();
}

void QVOverlayWindow::sendBufferedCharacters()
{
    if (m_bufferedCharacters.isEmpty())
        return;
    // Typed ahead after what the field holds; Backspace removes the last character.
    QString text = m_ui->linkSearchField->text();
    for (const QChar ch : std::as_const(m_bufferedCharacters)) {
        if (ch == QChar(u'\b'))
            text.chop(1);
        else
            text.append(ch);
    }
    m_bufferedCharacters.clear();
    m_ui->linkSearchField->setText(text);
}
