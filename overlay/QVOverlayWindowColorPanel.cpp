// The overlay's colour editor: opening, closing and writing edits back.
#include "QVOverlayWindow.h"

#include "ui_QVOverlayWindow.h"

#include "app/AppDelegate.h"
#include "app/picking/LoupeView.h"
#include "foundation/Scheduler.h"
#include "overlay/NJColorPanel.h"
#include "overlay/NJColorPickerViewController.h"
#include "overlay/NJFormatTableView.h"
#include "overlay/NJSwatchesController.h"
#include "platform/GlobalCoordinates.h"
#include "uikit/windows/CustomWindow.h"
#include "uikit/application/QtColor.h"
#include "uikit/animation/SlicedTransition.h"
#include "uikit/views/ViewAdditions.h"
#include "uikit/swatches/WNJIndicatorCollectionView.h"
#include "uikit/views/WNJRoundedView.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>

namespace {

// The swatch's edge the editor pours through: its bottom, the editor lying below.
constexpr SlicedTransition::Edge kEditorEdge = SlicedTransition::Bottom;
constexpr double kMarkWidth = 8;
constexpr double kMarkLift = 2;

} // namespace

bool QVOverlayWindow::colorPanelVisible() const
{
    return m_pickerController && m_pickerController->isViewLoaded() && m_pickerController->view()->parentWidget();
}

void QVOverlayWindow::addColorPanel()
{
    if (m_pickerController)
        return;
    m_pickerController = std::make_unique<NJColorPickerViewController>();
    if (auto* rounded = qobject_cast<WNJRoundedView*>(m_ui->colorPanelNavigationView))
        rounded->setRoundedCorners(0);
    // The navigation bar lies above the swatches, apart from the editor: the editor gets
    // the toolbar container only and its pages fill the list area.
    m_pickerController->setToolbarContainer(m_ui->colorPanelToolbarContainerView);
    m_pickerController->setupUI();
    m_pickerController->view()->setGeometry(m_ui->formatContainerView->geometry());
    NJColorPanel& panel = NJColorPanel::sharedColorPanel();
    QWidget* content = m_pickerController->colorPanelView();
    // The panel's magnifier opens our own picker.
    for (QAbstractButton* button : content->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
        QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
        connect(button, &QAbstractButton::clicked, this, [this] { showPicker(); });
    }
    m_pickerController->setAppearance(m_content->property(viewadditions::kAppearanceProperty).toString());
    themeMagnifier();
    connect(&panel, &NJColorPanel::colorChanged, m_pickerController.get(), [this] { colorPanelColorChanged(); });
}

QRectF QVOverlayWindow::currentSelectedItemStartRect() const
{
    const QWidget* item = m_swatchesController ? m_swatchesController->activeCollectionView()->selectedItem() : nullptr;
    if (!item)
        return {};
    const QRectF bounds(item->mapTo(m_content, QPoint(0, 0)), item->size());
    return {bounds.center().x() - kMarkWidth / 2, bounds.bottom() - kMarkLift - 1, kMarkWidth, 1};
}

double QVOverlayWindow::colorPanelDuration() const
{
    return (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) ? kColorPanelSlowDuration : kColorPanelDuration;
}

QColor QVOverlayWindow::screenColorAt(const QWidget* widget, const QPoint& point) const
{
    const QPointF global = GlobalCoordinates::fromQt().toGlobal(QPointF(widget->mapToGlobal(point)));
    const LoupeView* loupe = m_delegate.loupe();
    if (const auto color = loupe ? loupe->colorAt(CustomWindow::pointToScreenPosition(global)) : std::nullopt)
        return qtcolor::fromColor(*color);
    return palette().color(QPalette::Window);
}

void QVOverlayWindow::showColorPanelLayer(QWidget* transition)
{
    if (m_colorPanelLayer.isNull() || !transition)
        return;
    if (!m_colorPanelLayerView)
        m_colorPanelLayerView = new QLabel;
    m_colorPanelLayerView->setParent(transition->parentWidget());
    m_colorPanelLayerView->setPixmap(QPixmap::fromImage(m_colorPanelLayer));
    m_colorPanelLayerView->setGeometry(transition->geometry());
    m_colorPanelLayerView->show();
    m_colorPanelLayerView->stackUnder(transition);
}

void QVOverlayWindow::hideColorPanelLayer(bool drop)
{
    if (m_colorPanelLayerView)
        m_colorPanelLayerView->hide();
    if (!drop)
        return;
    m_colorPanelLayer = QImage();
    delete m_colorPanelLayerView.data();
}

void QVOverlayWindow::showNavigation(bool editor)
{
    QWidget* shown = editor ? m_ui->colorPanelNavigationView : m_ui->formatsNavigationView;
    QWidget* hidden = editor ? m_ui->formatsNavigationView : m_ui->colorPanelNavigationView;
    hidden->hide();
    viewadditions::embedView(m_ui->navigationContainerView, shown);
    shown->show();
}

void QVOverlayWindow::dropPickerController()
{
    m_pickerController.reset();
    m_colorPanelAnimating = false;
    m_closeWhenOpened = false;
}

void QVOverlayWindow::showColorPanel(const QRectF& startRect)
{
    if (colorPanelVisible())
        return;
    m_refocusSearch = isSearchFirstResponder();
    moveToScreenBounds();
    addColorPanel();
    NJColorPanel::sharedColorPanel().setColor(qtcolor::fromColor(selectedColorAsSRGB()));
    m_colorPanelAnimating = true;
    m_pickerController->updateToolbarItems();
    const double duration = colorPanelDuration();
    const QColor background = screenColorAt(m_ui->colorPanelButton, QPoint(1, 0));
    // Taken from the window: the content is clear, and alone it would be laid on the
    // palette's light window colour, a light flash in the dark theme.
    m_colorPanelLayer = SlicedTransition::createBackgroundCALayer(this).copy(
        QRect(m_content->mapTo(this, QPoint(0, 0)), m_content->size()));
    QWidget* editor = m_pickerController->view();
    editor->setParent(m_content);
    editor->setGeometry(m_ui->formatContainerView->geometry());
    editor->show();
    // Out of sight under the list until the transition takes it.
    editor->stackUnder(m_ui->formatContainerView);

    QPointer<QVOverlayWindow> self(this);
    QPointer<QWidget> view(editor);
    const bool openedOnHistory = m_swatchesController->isHistoryActive();
    // A close at once meanwhile ends this opening: nothing of it may come back.
    const unsigned long opening = m_colorPanelOpening;
    const auto current = [self, opening] { return self && self->m_colorPanelOpening == opening; };
    Scheduler::current().post([self, view, duration, startRect, background, openedOnHistory, current] {
        if (!current() || !view)
            return;
        SlicedTransition::restoreTransition(
            duration, view, self->m_content, startRect, kEditorEdge, background,
            [self, current](QWidget* transition) {
                if (!current())
                    return;
                self->showColorPanelLayer(transition);
                self->m_ui->formatTableView->hide();
            },
            [self, view, openedOnHistory, current] {
                if (!current())
                    return;
                self->hideColorPanelLayer(false);
                if (view) {
                    view->show();
                    view->raise();
                }
                self->showNavigation(true);
                self->m_colorPanelAnimating = false;
                // After a switch of lists meanwhile the panel still holds the other list's
                // colour: it takes the new selection instead of overwriting it.
                if (self->m_swatchesController->isHistoryActive() == openedOnHistory)
                    self->colorPanelColorChanged();
                else
                    NJColorPanel::sharedColorPanel().setColor(qtcolor::fromColor(self->selectedColorAsSRGB()));
                if (self->m_closeWhenOpened) {
                    self->hideColorPanel(self->currentSelectedItemStartRect());
                    return;
                }
                Scheduler::current().post([self] {
                    if (self && self->m_pickerController)
                        self->m_pickerController->updateNextKeyLoop(true);
                });
            });
    });
}

void QVOverlayWindow::hideColorPanel(const QRectF& targetRect)
{
    if (!colorPanelVisible())
        return;
    m_colorPanelAnimating = true;
    m_closeWhenOpened = false;
    showNavigation(false);
    const QColor background = screenColorAt(m_ui->colorPanelCloseButton,
                                            QPoint(1, m_ui->colorPanelCloseButton->height() - 1));
    QPointer<QVOverlayWindow> self(this);
    const auto completion = [self] {
        if (self)
            self->dropPickerController();
    };
    QWidget* editor = m_pickerController->view();
    if (targetRect.isNull()) {
        ++m_colorPanelOpening;
        qDeleteAll(m_content->findChildren<SlicedTransition*>(Qt::FindDirectChildrenOnly));
        hideColorPanelLayer(true);
        m_ui->formatTableView->show();
        editor->hide();
        editor->setParent(nullptr);
        resizeWindow(completion);
        return;
    }
    SlicedTransition::shrinkTransition(
        colorPanelDuration(), editor, m_content, targetRect, kEditorEdge, background,
        [self](QWidget* transition) {
            if (!self)
                return;
            self->showColorPanelLayer(transition);
            if (self->m_refocusSearch)
                self->m_ui->linkSearchField->setFocus();
        },
        [self, completion] {
            if (!self)
                return;
            self->hideColorPanelLayer(true);
            self->m_ui->formatTableView->show();
            self->resizeWindow(completion);
        });
}

void QVOverlayWindow::toggleColorPanel()
{
    if (m_colorPanelAnimating)
        return;
    const std::size_t count = m_swatchesController->activeCollectionView()->content().size();
    QPointer<QVOverlayWindow> self(this);
    if (colorPanelVisible()) {
        if (count > 0) {
            hideColorPanel(currentSelectedItemStartRect());
            return;
        }
        // With nothing to close into, the editor closes once, after the switch to the history.
        m_swatchesController->showHistoryOnCompletion([self] {
            if (self)
                self->hideColorPanel(self->currentSelectedItemStartRect());
        });
        return;
    }
    if (count > 0) {
        resizeWindowToMaximum([self] {
            if (self)
                self->showColorPanel(self->currentSelectedItemStartRect());
        });
        return;
    }
    // The editor always opens on a colour: white when the history has none.
    m_swatchesController->showHistoryOnCompletion([self] {
        if (!self)
            return;
        if (self->m_swatchesController->historyColors().empty()) {
            self->m_swatchesController->addColor(Color::sRGB(1, 1, 1, 1));
            self->updateSwatchesState();
        }
        Scheduler::current().post([self] {
            if (self)
                self->toggleColorPanel();
        });
    });
}

void QVOverlayWindow::colorPanelColorChanged()
{
    if (m_blockUpdate)
        return;
    m_blockUpdate = true;
    if (colorPanelVisible()) {
        const QColor panelColor = NJColorPanel::sharedColorPanel().color().toRgb();
        if (panelColor.isValid()) {
            m_swatchesController->updateActiveColorWith(
                Color::sRGB(panelColor.redF(), panelColor.greenF(), panelColor.blueF(), panelColor.alphaF())
                    .getassRGBColor());
        }
        if (!m_colorsInvalid) {
            const std::vector<Color>& list = m_swatchesController->activeCollectionView()->content();
            if (m_swatchesController->isHistoryActive())
                m_delegate.setHistoryColors(list);
            else
                m_delegate.setFavoriteColors(list);
        }
    }
    m_blockUpdate = false;
}

void QVOverlayWindow::toggleHistory()
{
    m_swatchesController->toggleHistory();
}
