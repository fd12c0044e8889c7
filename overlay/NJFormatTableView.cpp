#include "NJFormatTableView.h"

#include "formats/processor/QVFormatProcessor.h"
#include "foundation/Scheduler.h"
#include "overlay/NJFormatCellView.h"
#include "overlay/NJFormatListModel.h"
#include "overlay/NJSearchArrayController.h"
#include "overlay/ScrollViewAdditions.h"
#include "uikit/application/NJApplication.h"
#include "uikit/views/ViewAdditions.h"
#include "uikit/views/WNJSlimScroller.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QPointer>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

NJFormatTableView::NJFormatTableView(QWidget* parent)
    : QListView(parent)
    , m_model(new NJFormatListModel(this))
{
    setModel(m_model);
    setItemDelegate(new NJFormatCellView(this));
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::NoFrame);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    viewport()->setAutoFillBackground(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void NJFormatTableView::setRowHeight(int height)
{
    // Two lines of text stand apart at any font size.
    m_rowHeight = std::max(1, viewadditions::scaledPixelSize(height, this));
    doItemsLayout();
}

void NJFormatTableView::setContentController(NJSearchArrayController* controller)
{
    if (m_contentController)
        m_contentController->setSelectionObserver(nullptr);
    m_contentController = controller;
    m_model->setContentController(controller);
    if (controller)
        controller->setSelectionObserver([this] { controllerSelectionChanged(); });
}

std::string NJFormatTableView::renderFormat(const QVFormatDefinition& format) const
{
    if (!m_processor)
        return {};
    m_processor->updateFormatParameters(format);
    return m_processor->renderFormat(format.exportFormat()).value_or(std::string());
}

void NJFormatTableView::renderFormats()
{
    std::map<std::string, std::string> texts;
    const bool hasColor = m_hasSelectedColor && m_hasSelectedColor();
    if (m_contentController) {
        for (const QVFormatDefinition& format : m_contentController->fullList())
            texts[format.name()] = hasColor ? renderFormat(format) : std::string(kNoColorAvailable);
    }
    m_exportFormats = std::move(texts);
    viewport()->update();
}

std::optional<std::string> NJFormatTableView::exportFormatForName(const std::string& name) const
{
    if (!m_exportFormats)
        return std::string();
    const auto found = m_exportFormats->find(name);
    if (found == m_exportFormats->end())
        return std::nullopt;
    return found->second;
}

void NJFormatTableView::reloadData()
{
    m_animatedRows.reset();
    m_model->reload();
    if (m_contentController && m_contentController->selectionIndex())
        showSelectedRows({*m_contentController->selectionIndex()});
}

QRect NJFormatTableView::laidOutRect(std::size_t row, std::size_t count) const
{
    const int documentHeight = static_cast<int>(count) * m_rowHeight;
    const int offset = std::clamp(verticalScrollBar()->value(), 0, std::max(0, documentHeight - viewport()->height()));
    return {0, static_cast<int>(row) * m_rowHeight - offset, viewport()->width(), m_rowHeight};
}

void NJFormatTableView::beginUpdates()
{
    m_rowsBefore = m_contentController ? m_contentController->currentObjects() : QVFormatList();
    m_rectsBefore.clear();
    for (std::size_t row = 0; row < m_rowsBefore.size(); ++row)
        m_rectsBefore.push_back(laidOutRect(row, m_rowsBefore.size()));
    m_removedRows.clear();
    m_insertedRows.clear();
}

void NJFormatTableView::endUpdates()
{
    reloadData();
    const QVFormatList rows = m_contentController ? m_contentController->currentObjects() : QVFormatList();
    std::vector<AnimatedRow> animated;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const QRect to = laidOutRect(row, rows.size());
        const bool inserted = std::find(m_insertedRows.begin(), m_insertedRows.end(), row) != m_insertedRows.end();
        const auto before = std::find(m_rowsBefore.begin(), m_rowsBefore.end(), rows[row]);
        if (inserted || before == m_rowsBefore.end()) {
            animated.push_back({rows[row], to, to, 0, 1});
        } else {
            const QRect from = m_rectsBefore[static_cast<std::size_t>(before - m_rowsBefore.begin())];
            animated.push_back({rows[row], from, to, 1, 1});
        }
    }
    for (std::size_t row : m_removedRows) {
        if (row < m_rowsBefore.size())
            animated.push_back({m_rowsBefore[row], m_rectsBefore[row], m_rectsBefore[row], 1, 0});
    }
    m_rowsBefore.clear();
    m_rectsBefore.clear();
    m_animatedRows = std::move(animated);
    m_updateProgress = 0;
    viewport()->update();
}

void NJFormatTableView::setUpdateProgress(double progress)
{
    m_updateProgress = std::clamp(progress, 0.0, 1.0);
    viewport()->update();
}

void NJFormatTableView::finishUpdates()
{
    m_animatedRows.reset();
    viewport()->update();
}

double NJFormatTableView::rowOpacity(const QVFormatDefinition& format) const
{
    if (m_animatedRows) {
        for (const AnimatedRow& row : *m_animatedRows) {
            if (row.format == format)
                return row.fromOpacity + (row.toOpacity - row.fromOpacity) * m_updateProgress;
        }
        return 0;
    }
    const QVFormatList& rows = m_contentController ? m_contentController->currentObjects() : QVFormatList();
    return std::find(rows.begin(), rows.end(), format) != rows.end() ? 1 : 0;
}

void NJFormatTableView::paintEvent(QPaintEvent* event)
{
    if (!m_animatedRows) {
        QListView::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    const auto* cell = static_cast<const NJFormatCellView*>(itemDelegate());
    const double p = m_updateProgress;
    auto blend = [p](int from, int to) { return static_cast<int>(std::lround(from + (to - from) * p)); };
    for (const AnimatedRow& row : *m_animatedRows) {
        const QRect rect(blend(row.from.x(), row.to.x()), blend(row.from.y(), row.to.y()), row.to.width(),
                         row.to.height());
        const double opacity = row.fromOpacity + (row.toOpacity - row.fromOpacity) * p;
        if (opacity <= 0 || !rect.intersects(event->rect()))
            continue;
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.rect = rect;
        if (selectedRow())
            option.state |= QStyle::State_Selected;
        painter.setOpacity(opacity);
        cell->paintRow(&painter, option, row.format);
    }
}

std::optional<std::size_t> NJFormatTableView::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return std::nullopt;
    return static_cast<std::size_t>(rows.first().row());
}

void NJFormatTableView::showSelectedRows(const std::vector<std::size_t>& rows)
{
    const bool applying = m_applyingSelection;
    m_applyingSelection = true;
    const QModelIndex index = rows.empty() ? QModelIndex() : m_model->index(static_cast<int>(rows.front()));
    if (index.isValid())
        selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    else
        selectionModel()->clearSelection();
    m_applyingSelection = applying;
    viewport()->update();
}

void NJFormatTableView::selectRowIndexes(const std::vector<std::size_t>& rows)
{
    const std::optional<std::size_t> first = rows.empty() ? std::nullopt : std::optional(rows.front());
    const bool changed = first != selectedRow();
    showSelectedRows(rows);
    m_selectedFormat = first && m_contentController ? m_contentController->currentObjectAtIndex(*first) : std::nullopt;
    if (m_contentController) {
        const bool applying = m_applyingSelection;
        m_applyingSelection = true;
        m_contentController->setSelectionIndex(first);
        m_applyingSelection = applying;
    }
    if (changed) {
        updateSelection();
        if (!m_busyAnimating && first)
            scrollToRow(*first);
    }
}

void NJFormatTableView::controllerSelectionChanged()
{
    if (m_applyingSelection || !m_contentController)
        return;
    const auto index = m_contentController->selectionIndex();
    selectRowIndexes(index ? std::vector<std::size_t>{*index} : std::vector<std::size_t>{});
}

bool NJFormatTableView::selectRowWithFormat(const QVFormatDefinition& format)
{
    if (!m_contentController)
        return false;
    const QVFormatList& rows = m_contentController->currentObjects();
    const auto found = std::find(rows.begin(), rows.end(), format);
    if (found == rows.end())
        return false;
    const auto row = static_cast<std::size_t>(found - rows.begin());
    if (selectedRow() != row)
        selectRowIndexes({row});
    return true;
}

void NJFormatTableView::tryToSelectFormat(const std::optional<QVFormatDefinition>& format)
{
    if (format && selectRowWithFormat(*format))
        return;
    if (m_contentController && m_contentController->currentObjectCount() > 0)
        selectRowIndexes({0});
}

void NJFormatTableView::updateSelection()
{
    viewport()->update();
}

std::optional<std::size_t> NJFormatTableView::topVisibleRow() const
{
    const QModelIndex index = indexAt(QPoint(1, 1));
    if (!index.isValid())
        return std::nullopt;
    return static_cast<std::size_t>(index.row());
}

void NJFormatTableView::scrollToSelection(std::size_t minimumRow)
{
    const auto row = selectedRow();
    if (!row)
        return;
    if (*row >= minimumRow)
        scrollToRow(*row);
    else
        scrollToTop();
}

void NJFormatTableView::scrollToRow(std::size_t row)
{
    const auto y = static_cast<float>(row) * static_cast<float>(m_rowHeight);
    const auto itemHeight = static_cast<float>(m_rowHeight);
    if (!scrollviewadditions::isYPositionVisible(*this, y, itemHeight))
        scrollFormatsToY(y, itemHeight);
}

void NJFormatTableView::scrollFormatsToY(float y, float itemHeight)
{
    // A reload lays the rows out later; until then the scroll range is the old list's.
    executeDelayedItemsLayout();
    const auto documentHeight = static_cast<float>(m_model->rowCount() * m_rowHeight);
    y = std::clamp(y, 0.0f, std::max(0.0f, documentHeight));
    const float target = std::roundf(y / itemHeight) * itemHeight;
    // A shorter list scrolls the view back by itself: the stored target counts only
    // while its band is still in view.
    if (target == m_clipY && scrollviewadditions::isYPositionVisible(*this, target, itemHeight))
        return;
    m_clipY = target;
    scrollviewadditions::scrollToYPosition(*this, target, itemHeight);
    if (!m_busyAnimating && window()->isVisible())
        flashScrollers();
}

void NJFormatTableView::scrollToTop()
{
    m_clipY = 0;
    scrollviewadditions::scrollToYPosition(*this, 0, static_cast<float>(m_rowHeight));
}

void NJFormatTableView::setOverlayScroller(WNJSlimScroller* scroller)
{
    delete m_overlayScroller;
    m_overlayScroller = scroller;
    scroller->setParent(this);
    scroller->hide();
    QScrollBar* own = verticalScrollBar();
    scroller->setRange(own->minimum(), own->maximum());
    scroller->setPageStep(own->pageStep());
    scroller->setValue(own->value());
    connect(own, &QScrollBar::rangeChanged, scroller, [scroller, own](int minimum, int maximum) {
        scroller->setRange(minimum, maximum);
        scroller->setPageStep(own->pageStep());
    });
    connect(own, &QScrollBar::valueChanged, scroller, &QScrollBar::setValue);
    connect(scroller, &QScrollBar::valueChanged, own, &QScrollBar::setValue);
    placeOverlayScroller();
}

void NJFormatTableView::placeOverlayScroller()
{
    if (!m_overlayScroller)
        return;
    const int width = static_cast<int>(WNJSlimScroller::scrollerWidth());
    const QRect area = viewport()->geometry();
    m_overlayScroller->setGeometry(area.right() + 1 - width, area.top(), width, area.height());
}

void NJFormatTableView::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    placeOverlayScroller();
}

void NJFormatTableView::flashScrollers()
{
    ++m_flashCount;
    const unsigned long generation = ++m_flashGeneration;
    if (!m_overlayScroller)
        return;
    // Nothing to scroll, nothing to show.
    if (m_overlayScroller->maximum() > m_overlayScroller->minimum()) {
        m_overlayScroller->raise();
        m_overlayScroller->show();
    }
    QPointer<NJFormatTableView> self(this);
    Scheduler::current().schedule(kFlashDuration, [self, generation] {
        if (self && self->m_flashGeneration == generation && self->m_overlayScroller)
            self->m_overlayScroller->hide();
    });
}

std::size_t NJFormatTableView::pageItemCount() const
{
    const double rows = std::trunc(static_cast<double>(height()) / m_rowHeight - 1);
    return rows < 1 ? 1 : static_cast<std::size_t>(rows);
}

void NJFormatTableView::moveToBeginning()
{
    if (m_contentController && !m_contentController->content().empty())
        m_contentController->setSelectionIndex(0);
}

void NJFormatTableView::moveToEnding()
{
    if (!m_contentController || m_contentController->content().empty())
        return;
    // Without a selection End lands on the first row.
    const std::size_t count = m_contentController->content().size();
    m_contentController->setSelectionIndex(m_contentController->selectionIndex() ? count - 1 : 0);
}

void NJFormatTableView::pageUp()
{
    moveSelectionWithDelta(-static_cast<long long>(pageItemCount()));
}

void NJFormatTableView::pageDown()
{
    moveSelectionWithDelta(static_cast<long long>(pageItemCount()));
}

void NJFormatTableView::moveSelectionWithDelta(long long delta)
{
    if (!m_contentController || m_contentController->content().empty())
        return;
    const auto count = static_cast<long long>(m_contentController->content().size());
    const auto first = m_contentController->selectionIndex();
    long long next = 0;
    if (first)
        next = std::clamp(static_cast<long long>(*first) + delta, 0LL, count - 1);
    else
        next = delta < 0 ? count - 1 : 0;
    if (!first || static_cast<long long>(*first) != next)
        m_contentController->setSelectionIndex(static_cast<std::size_t>(next));
}

bool NJFormatTableView::keyDown(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        moveBackward();
        return true;
    case Qt::Key_Down:
        moveForward();
        return true;
    case Qt::Key_Home:
        moveToBeginning();
        return true;
    case Qt::Key_End:
        moveToEnding();
        return true;
    case Qt::Key_PageUp:
        pageUp();
        return true;
    case Qt::Key_PageDown:
        pageDown();
        return true;
    default:
        return false;
    }
}

void NJFormatTableView::keyPressEvent(QKeyEvent* event)
{
    // What the table leaves goes up to the panel.
    if (!keyDown(event))
        event->ignore();
}

QRect NJFormatTableView::rectOfRow(std::size_t row) const
{
    return visualRect(m_model->index(static_cast<int>(row)));
}

void NJFormatTableView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex hit = indexAt(event->position().toPoint());
    std::optional<std::size_t> row;
    if (hit.isValid()) {
        row = static_cast<std::size_t>(hit.row());
        selectRowIndexes({*row});
    }
    QPointer<NJFormatTableView> self(this);
    const QPointF mouse = event->globalPosition();
    const QRect frame = window()->frameGeometry();
    const QPointF offset = mouse - QPointF(frame.topLeft());
    // Global points grow upwards: the offset from the window's bottom left corner.
    const bool dragged = viewadditions::dragWindowUntilMouseUp(this, QPointF(offset.x(), frame.height() - offset.y()));
    if (!self || dragged || !row)
        return;
    // Where the mouse is now, not where the last event said.
    const QPoint released = viewport()->mapFromGlobal(QCursor::pos());
    if (rectOfRow(*row).contains(released))
        formatClicked();
}

void NJFormatTableView::mouseMoveEvent(QMouseEvent*)
{
}

void NJFormatTableView::mouseReleaseEvent(QMouseEvent*)
{
}

void NJFormatTableView::mouseDoubleClickEvent(QMouseEvent*)
{
    // The pair's first click has exported already.
}

void NJFormatTableView::formatClicked()
{
    if (!m_onFormatClick)
        return;
    highlightSelection();
    m_onFormatClick();
}

void NJFormatTableView::blinkSelection(double seconds)
{
    const auto row = selectedRow();
    if (!row)
        return;
    showSelectedRows({});
    viewport()->update();
    QPointer<NJFormatTableView> self(this);
    const std::size_t restore = *row;
    Scheduler::current().schedule(seconds, [self, restore] {
        // The list may have changed meanwhile: only a row that still exists comes back.
        if (self && restore < static_cast<std::size_t>(self->m_model->rowCount())) {
            self->showSelectedRows({restore});
            self->viewport()->update();
        }
    });
}

void NJFormatTableView::initializeAppearance()
{
    if (const NJApplication* app = NJApplication::sharedApplication())
        setProperty(viewadditions::kAppearanceProperty, QString::fromStdString(app->getAppAppearanceName()));
    updateSelection();
}
