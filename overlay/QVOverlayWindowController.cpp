#include "QVOverlayWindowController.h"

#include "overlay/NJFormatTableView.h"
#include "overlay/NJSwatchesController.h"
#include "overlay/QVOverlayWindow.h"
#include "uikit/swatches/WNJIndicatorCollectionView.h"
#include "uikit/views/ViewAdditions.h"


QVOverlayWindowController::QVOverlayWindowController(AppDelegate& delegate, const QVFormatRepository& repository)
    : m_window(std::make_unique<QVOverlayWindow>(delegate, repository))
{
}

QVOverlayWindowController::~QVOverlayWindowController() = default;

bool QVOverlayWindowController::isVisible() const
{
    return m_window->isVisible();
}

void QVOverlayWindowController::renderFormats()
{
    m_window->formatTableView()->renderFormats();
}

void QVOverlayWindowController::setHistoryColors(const std::vector<Color>& colors)
{
    m_window->createSwatchesController();
    NJSwatchesController* swatches = m_window->swatchesController();
    swatches->setHistoryColors(colors);
    swatches->historyCollectionView()->updateButtons();
    swatches->updateState();
    if (!colors.empty())
        swatches->historyCollectionView()->setSelectionIndexes({0});
    m_window->updateSwatchesState();
}

void QVOverlayWindowController::setFavoriteColors(const std::vector<Color>& colors)
{
    m_window->createSwatchesController();
    NJSwatchesController* swatches = m_window->swatchesController();
    swatches->setFavoriteColors(colors);
    if (!colors.empty())
        swatches->favoriteCollectionView()->setSelectionIndexes({0});
}

void QVOverlayWindowController::initWithColors(const std::vector<Color>& history, const std::vector<Color>& favorites)
{
    m_window->createSwatchesController();
    setHistoryColors(history);
    setFavoriteColors(favorites);
    m_window->swatchesController()->updateState();
    m_window->swatchesController()->historyCollectionView()->updateButtons();
}

void QVOverlayWindowController::setFormatProcessor(QVFormatProcessor* processor)
{
    m_window->setFormatProcessor(processor);
}

bool QVOverlayWindowController::hasSelectedColor() const
{
    return m_window->hasSelectedColor();
}

void QVOverlayWindowController::center()
{
    viewadditions::centerOnPrimaryScreen(m_window.get());
}

void QVOverlayWindowController::makeKeyAndOrderFront()
{
    m_window->makeKeyAndOrderFront();
}

void QVOverlayWindowController::orderOut()
{
    m_window->orderOut();
}

std::vector<Color> QVOverlayWindowController::historyColors() const
{
    return m_window->swatchesController()->historyColors();
}

std::vector<Color> QVOverlayWindowController::favoriteColors() const
{
    return m_window->swatchesController()->favoriteColors();
}
