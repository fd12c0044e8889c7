// The overlay's filtering: narrowing the format list to what is typed, and sizing the panel to it.
#include "QVOverlayWindow.h"

#include "ui_QVOverlayWindow.h"

#include "foundation/Scheduler.h"
#include "overlay/NJFormatTableView.h"
#include "overlay/NJSearchArrayController.h"
#include "uikit/animation/NJAnimationGroup.h"
#include "uikit/views/ViewAdditions.h"

#include <QLabel>
#include <QPointer>
#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

QString QVOverlayWindow::searchString() const
{
    return m_ui->linkSearchField->text();
}

QString QVOverlayWindow::currentSearchString() const
{
    static const QRegularExpression leadingSpace(QStringLiteral("^\\s+"), QRegularExpression::UseUnicodePropertiesOption);
    return searchString().remove(leadingSpace);
}

void QVOverlayWindow::resetFilterSearch(bool force)
{
    const auto& committed = m_formatController->searchString();
    if (!force && (!committed || committed->empty()))
        return;
    hideNoFormatInfo();
    m_ui->linkSearchField->setText(QString());
    m_formatController->setAnimSearchString(std::string());
    m_formatController->setSearchString(std::string());
    m_formatController->setContentWithFilter(m_formatController->fullList());
    m_ui->formatTableView->reloadData();
}

void QVOverlayWindow::controlTextDidChange()
{
    QPointer<QVOverlayWindow> self(this);
    Scheduler::current().post([self] {
        if (!self)
            return;
        self->sendBufferedCharacters();
        self->updateFilterSearch();
    });
}

void QVOverlayWindow::updateFilterSearch()
{
    QPointer<QVOverlayWindow> self(this);
    Scheduler::current().schedule(kFilterDelay, [self] {
        if (self)
            self->updateFilterSearch(false);
    });
}

void QVOverlayWindow::updateFilterSearchInstant()
{
    QPointer<QVOverlayWindow> self(this);
    Scheduler::current().post([self] {
        if (self)
            self->updateFilterSearch(true);
    });
}

void QVOverlayWindow::updateFilterSearch(bool instant)
{
    const std::string search = currentSearchString().toStdString();
    resizeWindowForSearch(QString::fromStdString(search));
    NJFormatTableView* table = m_ui->formatTableView;
    if (table->busyAnimating())
        return;
    table->setBusyAnimating(true);
    auto changed = std::make_shared<bool>(false);
    filterGroupStep(search, instant, *changed);
    QPointer<QVOverlayWindow> self(this);
    QPointer<NJFormatTableView> animatedTable(table);
    m_filterAnimation = NJAnimationGroup(kFilterAnimationDuration)
                            .step([animatedTable](double progress) {
                                if (animatedTable && animatedTable->isAnimatingRows())
                                    animatedTable->setUpdateProgress(progress);
                            })
                            .completion([self, search, changed] {
                                if (self)
                                    self->filterCompletionStep(search, *changed);
                            });
    m_filterAnimation->start();
}

void QVOverlayWindow::settleFilterSearch()
{
    sendBufferedCharacters();
    NJFormatTableView* table = m_ui->formatTableView;
    const std::string search = currentSearchString().toStdString();
    const bool animating = m_filterAnimation && m_filterAnimation->isRunning();
    if (!animating && m_formatController->searchString().value_or(std::string()) == search)
        return;
    if (animating) {
        m_filterAnimation->stop();
        table->setBusyAnimating(false);
    }
    m_filterAnimation.reset();
    table->setBusyAnimating(true);
    bool changed = false;
    filterGroupStep(search, true, changed);
    filterCompletionStep(search, changed);
}

void QVOverlayWindow::filterGroupStep(const std::string& search, bool instant, bool& changed)
{
    NJFormatTableView* table = m_ui->formatTableView;
    NJSearchArrayController& controller = *m_formatController;
    const QVFormatList full = controller.fullList();
    controller.setContentWithFilter(full);
    const std::size_t committedLength = controller.searchString().value_or(std::string()).size();
    std::vector<std::size_t> removed;
    std::vector<std::size_t> inserted;
    if (search.size() > committedLength)
        removed = controller.removeIdxsWithSearch(search);
    else if (search.size() < committedLength)
        inserted = controller.insertIdxsWithSearch(search);

    long long sel = table->selectedRow() ? static_cast<long long>(*table->selectedRow()) : -1;
    const auto top = table->topVisibleRow();
    long long distance = top ? sel - static_cast<long long>(*top) : sel;
    for (std::size_t index : inserted) {
        if (sel < static_cast<long long>(index))
            break;
        ++sel;
        ++distance;
    }
    const std::size_t newCount = controller.content().size() - removed.size() + inserted.size();
    if (newCount != 0)
        hideNoFormatInfo();
    const bool noMatch = newCount == 0;
    const std::optional<QVFormatDefinition> selected = table->selectedFormat();
    if ((!removed.empty() || !inserted.empty()) && distance <= kMaxAnimatedDistance && !noMatch && !instant) {
        table->beginUpdates();
        controller.setAnimSearchString(search);
        table->removeRows(std::move(removed));
        table->insertRows(std::move(inserted));
        table->endUpdates();
        // A selected row that fades out leaves the selection on the first row.
        table->tryToSelectFormat(selected);
        changed = true;
        return;
    }
    const std::size_t count = controller.content().size();
    controller.setSearchString(search);
    controller.setContentWithFilter(full);
    table->reloadData();
    table->tryToSelectFormat(selected);
    changed = controller.content().size() != count;
}

void QVOverlayWindow::filterCompletionStep(const std::string& search, bool changed)
{
    NJFormatTableView* table = m_ui->formatTableView;
    NJSearchArrayController& controller = *m_formatController;
    controller.setSearchString(search);
    table->finishUpdates();
    if (controller.animSearchString() == search) {
        const std::optional<QVFormatDefinition> selected = table->selectedFormat();
        controller.setContentWithFilter(controller.fullList());
        if (changed) {
            table->reloadData();
            if (selected)
                table->selectRowWithFormat(*selected);
        }
    }
    if (search == currentSearchString().toStdString()) {
        if (const auto row = table->selectedRow())
            table->scrollTo(table->model()->index(static_cast<int>(*row), 0));
        if (changed)
            table->flashScrollers();
        if (controller.content().empty())
            showNoFormatInfo();
    } else {
        updateFilterSearchInstant();
    }
    table->setBusyAnimating(false);
}

void QVOverlayWindow::showNoFormatInfo()
{
    QWidget* host = m_ui->formatTableView->parentWidget();
    if (!host)
        return;
    viewadditions::embedView(host, m_ui->noMatchingFormatLabel);
    m_ui->noMatchingFormatLabel->show();
    m_ui->noMatchingFormatLabel->update();
}

void QVOverlayWindow::hideNoFormatInfo()
{
    m_ui->noMatchingFormatLabel->hide();
    m_ui->noMatchingFormatLabel->setParent(nullptr);
}

QRectF QVOverlayWindow::calculateWindowRect(std::size_t rows) const
{
    const double rowHeight = m_ui->formatTableView->rowHeight();
    const double listHeight =
        std::max(std::min(static_cast<double>(rows) * rowHeight, kMaxVisibleRows * rowHeight), rowHeight + 5);
    const double height = listHeight + m_ui->swatchesContainerView->minimumHeight() +
                          m_ui->navigationContainerView->minimumHeight() - kContainerOverlap;
    const QRectF current = frame();
    return {current.x(), current.y() + current.height() - height, current.width(), height};
}

void QVOverlayWindow::resizeWindowForSearch(const QString& text)
{
    const std::size_t rows =
        NJSearchArrayController::filterObjects(m_formatController->fullList(), text.toStdString()).size();
    setFrame(calculateWindowRect(rows), true, false);
}

void QVOverlayWindow::resizeWindow(Block completion)
{
    setFrame(calculateWindowRect(m_formatController->itemsMatchingSearch()), true, false);
    if (completion)
        Scheduler::current().post(std::move(completion));
}

void QVOverlayWindow::resizeWindowToMaximum()
{
    const std::size_t rows = std::min(m_formatController->fullList().size(), kMaxVisibleRows);
    setFrame(calculateWindowRect(rows), isVisible(), false);
}

void QVOverlayWindow::resizeWindowToMaximum(Block completion)
{
    const QRectF target = calculateWindowRect(std::min(m_formatController->fullList().size(), kMaxVisibleRows));
    if (target != frame())
        setFrame(target, true, false);
    if (completion)
        completion();
}
