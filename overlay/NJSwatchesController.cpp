#include "NJSwatchesController.h"

#include "ui_NJSwatchesController.h"

#include "app/AppDelegate.h"
#include "uikit/animation/NJAnimationGroup.h"
#include "uikit/views/NJBlurEffectView.h"
#include "uikit/application/NamedImage.h"
#include "uikit/application/ThemeColors.h"
#include "uikit/views/ViewAdditions.h"
#include "uikit/swatches/WNJICItemView.h"
#include "uikit/swatches/WNJIndicatorCollectionItem.h"
#include "uikit/swatches/WNJIndicatorCollectionView.h"
#include "uikit/swatches/WNJIndicatorScrollView.h"
#include "uikit/windows/WNJVisualEffectWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr const char* kFavoriteActiveImage = "sample-fav-active";
constexpr const char* kFavoriteImage = "sample-fav";

QString suffix()
{
    return themecolors::darkMode() ? QStringLiteral("-inv") : QString();
}

// The switch's image, and its alternate image while it is on.
void setSwitchImages(QToolButton* button, const QString& name)
{
    const QPixmap image = namedImage(name + suffix());
    QIcon icon(image);
    icon.addPixmap(namedImage(name + suffix() + QStringLiteral("_active")), QIcon::Normal, QIcon::On);
    button->setIcon(icon);
    if (!image.isNull())
        button->setIconSize(image.deviceIndependentSize().toSize());
}

std::vector<Color> without(const std::vector<Color>& colors, const Color& color)
{
    std::vector<Color> kept;
    std::copy_if(colors.begin(), colors.end(), std::back_inserter(kept), [&color](const Color& c) { return !c.isEqual(color); });
    return kept;
}

bool sameColors(const std::vector<Color>& a, const std::vector<Color>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Color& x, const Color& y) { return x.isEqual(y); });
}

} // namespace

NJSwatchesController::NJSwatchesController(AppDelegate& delegate, QWidget* parent)
    : QWidget(parent)
    , m_delegate(delegate)
    , m_ui(std::make_unique<Ui::NJSwatchesController>())
{
    m_ui->setupUi(this);
    m_ui->emptyFavoriteView->hide();
    for (QToolButton* button : {m_ui->collectionSwitcherFavorite, m_ui->collectionSwitcherHistory})
        connect(button, &QToolButton::clicked, this, [this] { toggleHistory(); });
}

NJSwatchesController::~NJSwatchesController() = default;

void NJSwatchesController::buildStrip(WNJIndicatorCollectionView*& strip, WNJIndicatorScrollView*& scrollView,
                                      QWidget* container, const QRect& frame)
{
    scrollView = WNJIndicatorScrollView::withHiddenScrollers(frame, container);
    strip = new WNJIndicatorCollectionView(QRect(QPoint(), frame.size()), WNJICItemView::itemSize());
    strip->setFocusPolicy(Qt::StrongFocus);
    scrollView->setWidget(strip);
    // The scroll area would fill the strip with the window colour; the strip is clear.
    strip->setAutoFillBackground(false);
    QPointer<NJSwatchesController> self(this);
    strip->setOnUpdateButton([self](WNJIndicatorCollectionItem& item) {
        if (self)
            self->styleButton(item);
    });
    strip->setOnButtonClick([self](WNJIndicatorCollectionItem& item) {
        if (self)
            self->colorButtonClicked(item);
    });
}

void NJSwatchesController::setupUI()
{
    m_history = true;
    m_hiddenFavWidth = m_ui->buttonView->width();
    m_ui->splitView->setGeometry(rect());
    // The history ends where the slid-out favourites begin, so that no swatch, the
    // selected one least of all, lies under their buttons.
    m_ui->historyContainer->setGeometry(0, 0, width() - m_hiddenFavWidth, height());
    m_ui->emptyHistoryInfo->setGeometry(m_ui->historyContainer->rect());
    buildStrip(m_historyCollectionView, m_historyScrollView, m_ui->historyContainer, m_ui->historyContainer->rect());
    // The clear colour: a clear swatch shows the triangle it stands for.
    m_historyCollectionView->setBackgroundColor(Color());

    viewadditions::embedView(m_ui->favoriteContainer, m_ui->emptyFavoriteView);
    buildStrip(m_favoriteCollectionView, m_favoriteScrollView, m_ui->favoriteContainer,
               QRect(m_hiddenFavWidth, 0, width() - m_hiddenFavWidth, height()));
    m_favoriteCollectionView->setShowSelection(false);
    m_favoriteScrollView->scrollToXPosition(0);
    m_ui->buttonView->raise();
    m_ui->favoriteContainer->setGeometry(0, m_ui->favoriteContainer->y(), width(), m_ui->favoriteContainer->height());
    m_historyCollectionView->initalizeAppearance();
    m_favoriteCollectionView->initalizeAppearance();
    applyFavoriteGround();
    m_initialized = true;
    updateState();
    showHistoryAnimated(nullptr);
}

WNJIndicatorCollectionView* NJSwatchesController::activeCollectionView() const
{
    return m_history ? m_historyCollectionView : m_favoriteCollectionView;
}

NJBlurEffectView* NJSwatchesController::historyContainer() const
{
    return m_ui->historyContainer;
}

QWidget* NJSwatchesController::favoriteContainer() const
{
    return m_ui->favoriteContainer;
}

QWidget* NJSwatchesController::emptyFavoriteView() const
{
    return m_ui->emptyFavoriteView;
}

QToolButton* NJSwatchesController::collectionSwitcherHistory() const
{
    return m_ui->collectionSwitcherHistory;
}

QToolButton* NJSwatchesController::collectionSwitcherFavorite() const
{
    return m_ui->collectionSwitcherFavorite;
}

const std::vector<Color>& NJSwatchesController::historyColors() const
{
    static const std::vector<Color> none;
    return m_historyCollectionView ? m_historyCollectionView->content() : none;
}

const std::vector<Color>& NJSwatchesController::favoriteColors() const
{
    static const std::vector<Color> none;
    return m_favoriteCollectionView ? m_favoriteCollectionView->content() : none;
}

void NJSwatchesController::setHistoryColors(const std::vector<Color>& colors)
{
    if (m_historyCollectionView)
        m_historyCollectionView->setContent(colors);
}

void NJSwatchesController::setFavoriteColors(const std::vector<Color>& colors)
{
    if (m_favoriteCollectionView)
        m_favoriteCollectionView->setContent(colors);
}

void NJSwatchesController::styleButton(WNJIndicatorCollectionItem& item)
{
    QPushButton* button = item.button();
    if (!button)
        return;
    QString name;
    if (item.collectionView() == m_favoriteCollectionView) {
        name = QString::fromLatin1(m_history ? kFavoriteImage : kFavoriteActiveImage);
    } else if (isFavoriteColor(item.representedObject())) {
        name = QString::fromLatin1(kFavoriteActiveImage);
    } else {
        const Color& color = item.representedObject();
        const bool dark = color.alphaComponent() < 0.5 || color.invertedSelectColor().isSame32BitColorAs(Color::white());
        name = QString::fromLatin1(kFavoriteImage) + (dark ? QStringLiteral("-inv") : QString());
    }
    if (button->objectName() == name)
        return;
    button->setObjectName(name);
    button->setIcon(QIcon(namedImage(name)));
}

void NJSwatchesController::setHistoryBlur(double radius, double saturation)
{
    m_ui->historyContainer->setBlurRadius(static_cast<float>(radius), static_cast<float>(saturation));
}

void NJSwatchesController::updateState()
{
    if (!m_initialized)
        return;
    const bool hasFavorites = !favoriteColors().empty();
    m_ui->emptyFavoriteView->setHidden(hasFavorites);
    m_favoriteScrollView->setHidden(!hasFavorites);
    m_historyScrollView->setHidden(historyColors().empty());
    // What lies under the history strip shows where the strip is hidden.
    m_ui->emptyHistoryInfo->setHidden(!historyColors().empty());
    updateCollectionSwitcher();
}

void NJSwatchesController::updateCollectionSwitcher()
{
    m_ui->collectionSwitcherHistory->setChecked(false);
    m_ui->collectionSwitcherFavorite->setChecked(false);
    m_ui->collectionSwitcherHistory->setHidden(m_history);
    m_ui->collectionSwitcherFavorite->setHidden(!m_history);
}

QRect NJSwatchesController::favoriteHiddenRect() const
{
    return {width() - m_hiddenFavWidth, m_ui->favoriteContainer->y(), m_hiddenFavWidth, m_ui->favoriteContainer->height()};
}

void NJSwatchesController::toggleHistoryOnCompletion(Block completion)
{
    if (m_toggleHistFavAnimating || !m_initialized)
        return;
    m_toggleHistFavAnimating = true;
    QPointer<NJSwatchesController> self(this);
    if (m_history) {
        showFavoriteAnimated([self, completion] {
            if (!self)
                return;
            self->m_toggleHistFavAnimating = false;
            if (completion)
                completion();
        });
        m_history = false;
        m_favoriteCollectionView->updateButtons();
    } else {
        showHistoryAnimated([self, completion] {
            if (!self)
                return;
            self->m_favoriteCollectionView->updateButtons();
            self->m_toggleHistFavAnimating = false;
            if (completion)
                completion();
        });
        m_history = true;
    }
    updateState();
}

void NJSwatchesController::showHistoryOnCompletion(Block completion)
{
    if (m_history) {
        if (completion)
            completion();
        return;
    }
    toggleHistoryOnCompletion(std::move(completion));
}

void NJSwatchesController::showFavoriteAnimated(Block completion)
{
    const QPoint target(0, m_ui->favoriteContainer->y());
    m_favoriteCollectionView->setShowSelection(false);
    m_historyCollectionView->hideSelectionAnimated(true);
    if (!favoriteColors().empty())
        m_favoriteCollectionView->setSelectionIndexes({0});
    const bool historyFocused = m_historyCollectionView->hasFocus();
    QPointer<NJSwatchesController> self(this);
    NJAnimationGroup group(kSwitchDuration, "easeOutQuart");
    group.position(m_ui->favoriteContainer, target);
    if (!WNJVisualEffectWindow::useVisualEffectView()) {
        // Where nothing blurs behind the panel, the history itself blurs as it is covered;
        // an empty history blurs less and keeps its saturation.
        const QPointer<NJBlurEffectView> blur(m_ui->historyContainer);
        const double radius = blur->blurRadius();
        const double saturation = blur->saturationFactor();
        const bool empty = historyColors().empty();
        const double toRadius = empty ? kBlurEmptyHistory : kBlurWithHistory;
        const double toSaturation = empty ? saturation : kBlurSaturation;
        group.step([blur, radius, saturation, toRadius, toSaturation](double progress) {
            if (blur)
                blur->setBlurRadius(static_cast<float>(radius + (toRadius - radius) * progress),
                                    static_cast<float>(saturation + (toSaturation - saturation) * progress));
        });
    }
    group.completion([self, completion] {
        if (!self)
            return;
        if (!self->favoriteColors().empty())
            self->m_favoriteCollectionView->setSelectionIndexes({0});
        if (completion)
            completion();
    });
    group.start();
    m_switchAnimation = group;
    m_favoriteCollectionView->showSelectionAnimated(false);
    if (historyFocused)
        m_favoriteCollectionView->setFocus();
}

void NJSwatchesController::showHistoryAnimated(Block completion)
{
    m_favoriteCollectionView->setShowSelection(false);
    m_historyCollectionView->showSelectionAnimated(true);
    const bool favoritesFocused = m_favoriteCollectionView->hasFocus();
    QPointer<NJSwatchesController> self(this);
    NJAnimationGroup group(kSwitchDuration, "easeInQuart");
    group.position(m_ui->favoriteContainer, favoriteHiddenRect().topLeft())
        .completion([self, completion] {
            if (!self || !self->m_history)
                return;
            if (!WNJVisualEffectWindow::useVisualEffectView())
                self->setHistoryBlur(0, 1);
            self->m_favoriteScrollView->scrollToXPosition(0);
            const auto selection = self->m_historyCollectionView->selectionIndexes();
            if (!selection.empty())
                self->m_historyCollectionView->setSelectionIndexes(selection);
            if (completion)
                completion();
        });
    group.start();
    m_switchAnimation = group;
    if (favoritesFocused)
        m_historyCollectionView->setFocus();
}

void NJSwatchesController::showHistory()
{
    if (!m_initialized)
        return;
    // A slide still running would carry the panel and the blur on after this; what it
    // would have completed no longer applies.
    if (m_switchAnimation)
        m_switchAnimation->stop();
    m_switchAnimation.reset();
    m_toggleHistFavAnimating = false;
    m_history = true;
    m_ui->favoriteContainer->move(favoriteHiddenRect().topLeft());
    m_historyScrollView->scrollToXPosition(0);
    m_favoriteScrollView->scrollToXPosition(0);
    if (!WNJVisualEffectWindow::useVisualEffectView())
        setHistoryBlur(0, 1);
    m_favoriteCollectionView->setShowSelection(false);
    m_historyCollectionView->showSelectionAnimated(true);
    if (!historyColors().empty())
        m_historyCollectionView->setSelectionIndexes({0});
    updateState();
    m_favoriteCollectionView->updateButtons();
}

void NJSwatchesController::toggleCurrentColorFavorite()
{
    if (m_isBusy || !m_initialized)
        return;
    WNJIndicatorCollectionView* strip = activeCollectionView();
    const auto selection = strip->selectionIndexes();
    if (selection.empty())
        return;
    if (WNJIndicatorCollectionItem* item = strip->itemAtIndex(selection.front()))
        colorButtonClicked(*item);
}

void NJSwatchesController::colorButtonClicked(WNJIndicatorCollectionItem& item)
{
    if (!toggleFavoriteColor(item.representedObject()))
        item.blinkButton(kBlinkDuration);
}

bool NJSwatchesController::toggleFavoriteColor(const Color& color)
{
    const bool result = m_history ? toggleFavoriteMarker(color) : removeFavoriteMarkerAnimated(color);
    updateState();
    return result;
}

bool NJSwatchesController::isFavoriteColor(const Color& color) const
{
    const auto& favorites = favoriteColors();
    return std::any_of(favorites.begin(), favorites.end(),
                       [&color](const Color& favorite) { return favorite.isSame32BitColorAs(color); });
}

bool NJSwatchesController::toggleFavoriteMarker(const Color& color)
{
    std::vector<Color> favorites = favoriteColors();
    const auto same = std::find_if(favorites.begin(), favorites.end(),
                                   [&color](const Color& favorite) { return favorite.isSame32BitColorAs(color); });
    if (same != favorites.end()) {
        favorites = without(favorites, *same);
    } else {
        if (favorites.size() >= kMaxFavorites)
            return false;
        favorites.insert(favorites.begin(), color);
    }
    setFavoriteColors(favorites);
    m_delegate.setFavoriteColors(favorites);
    m_historyCollectionView->updateButtons();
    return true;
}

bool NJSwatchesController::removeFavoriteMarkerAnimated(const Color& color)
{
    if (isFavoriteColor(color) && !m_isBusy) {
        const auto& favorites = favoriteColors();
        const auto found = std::find_if(favorites.begin(), favorites.end(),
                                        [&color](const Color& favorite) { return favorite.isEqual(color); });
        if (found != favorites.end()) {
            // The lists as they are now: a hide meanwhile empties the strips, never them.
            const std::vector<Color> remaining = without(favorites, color);
            QPointer<NJSwatchesController> self(this);
            removeItem(static_cast<std::size_t>(found - favorites.begin()), [self, remaining] {
                if (!self)
                    return;
                self->m_delegate.setFavoriteColors(remaining);
                if (!self->m_history && self->favoriteColors().empty())
                    self->toggleHistory();
                self->m_historyCollectionView->updateButtons();
                self->m_ui->favoriteContainer->update();
            });
        }
    }
    return true;
}

void NJSwatchesController::removeItem(std::size_t index, Block completion)
{
    WNJIndicatorCollectionView* strip = m_favoriteCollectionView;
    WNJIndicatorCollectionItem* item = strip->itemAtIndex(index);
    if (!item)
        return;
    m_isBusy = true;
    const Color color = item->representedObject();
    const std::vector<Color> before = strip->content();
    QWidget* view = item->view();
    const double duration = strip->content().size() > 1 ? kRemoveDuration : kRemoveLastDuration;
    const auto selection = strip->selectionIndexes();
    if (!selection.empty() && selection.front() == index)
        strip->animateArrowOut();
    QPointer<NJSwatchesController> self(this);
    NJAnimationGroup(duration, "easeInExpo")
        .position(view, QPoint(view->x(), -view->height()))
        .completion([self, strip, color, before, index, completion] {
            if (!self)
                return;
            // The swatches after the removed one close the gap in one movement, and
            // the selection marks ride along with a selected swatch among them; the
            // content then changes under views already in place.
            NJAnimationGroup group(kRemoveCommitDuration);
            if (sameColors(strip->content(), before))
                self->closeGap(group, index);
            group
                .completion([self, strip, color, before, index, completion] {
                    if (!self)
                        return;
                    const auto selected = strip->selectionIndexes();
                    // A hide meanwhile emptied the strip: leave it empty.
                    if (sameColors(strip->content(), before)) {
                        strip->setContent(without(before, color));
                        const std::size_t count = strip->content().size();
                        const std::size_t s = selected.empty() ? count + 1 : selected.front();
                        if (index <= s && count > 0) {
                            const std::size_t next = index < s && s > 0 ? s - 1 : s;
                            strip->setSelectionIndexes({std::min(next, count - 1)});
                        }
                    }
                    self->m_isBusy = false;
                    if (completion)
                        completion();
                })
                .start();
        })
        .start();
}

void NJSwatchesController::closeGap(NJAnimationGroup& group, std::size_t index) const
{
    WNJIndicatorCollectionView* strip = m_favoriteCollectionView;
    const QPoint step(strip->itemSize().width(), 0);
    for (std::size_t later = index + 1; WNJIndicatorCollectionItem* shifted = strip->itemAtIndex(later); ++later)
        group.position(shifted->view(), shifted->view()->pos() - step);
    const auto selected = strip->selectionIndexes();
    if (selected.empty() || selected.front() <= index)
        return;
    for (QWidget* mark : std::initializer_list<QWidget*> {strip->selectionView(), strip->arrowView()}) {
        if (mark)
            group.position(mark, mark->pos() - step);
    }
}

void NJSwatchesController::addColor(const Color& color)
{
    QPointer<NJSwatchesController> self(this);
    showHistoryOnCompletion([self, color] {
        if (self)
            self->addColorToHistory(color);
    });
}

void NJSwatchesController::addColorToHistory(const Color& color)
{
    std::vector<Color> history = historyColors();
    if (history.size() > kMaxHistory - 1)
        history.resize(kMaxHistory - 1);
    history.insert(history.begin(), color);
    setHistoryColors(history);
    m_historyCollectionView->setSelectionIndexes({0});
    updateState();
}

void NJSwatchesController::updateActiveColorWith(const Color& color)
{
    if (!m_history && favoriteColors().empty())
        toggleHistory();
    WNJIndicatorCollectionView* strip = activeCollectionView();
    std::vector<Color> list = strip->content();
    const auto selection = strip->selectionIndexes();
    if (!list.empty() && !selection.empty() && selection.front() < list.size() && !list[selection.front()].isEqual(color)) {
        list[selection.front()] = color;
        strip->setContent(list);
        strip->setSelectionIndexes(selection);
    }
    strip->updateButtons();
}

void NJSwatchesController::updateButtonState(unsigned long)
{
    if (m_initialized)
        activeCollectionView()->updateButtons();
}

void NJSwatchesController::clearAllItems()
{
    setHistoryColors({});
    setFavoriteColors({});
}

void NJSwatchesController::applyFavoriteGround()
{
    // Where no vibrancy tints the favourites, the blurred history would show through
    // their empty slots and behind their placeholder as coloured smears.
    QWidget* panel = m_ui->favoriteContainer;
    const bool ground = !WNJVisualEffectWindow::useVisualEffectView();
    panel->setAutoFillBackground(ground);
    if (!ground)
        return;
    QColor tint = WNJVisualEffectWindow::tintColorFromAppearance();
    tint.setAlphaF(static_cast<float>(kFavoriteGroundAlpha));
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, tint);
    panel->setPalette(palette);
}

void NJSwatchesController::initializeAppearance()
{
    if (!m_initialized)
        return;
    m_favoriteCollectionView->initalizeAppearance();
    m_historyCollectionView->initalizeAppearance();
    applyFavoriteGround();
    // The kit's white tint would paint a light band under the history in the dark
    // theme: the history panel shows the window's own themed background instead.
    m_ui->historyContainer->setTintColor(std::nullopt);
    // A theme change while the favourites cover the history keeps the blur.
    if (!WNJVisualEffectWindow::useVisualEffectView() && m_history)
        setHistoryBlur(0, 1);
    const QColor text = themecolors::darkMode() ? QColor(Qt::white) : QApplication::palette().color(QPalette::Text);
    for (QLabel* label : {m_ui->favoriteEmptyInfo, m_ui->emptyHistoryPickText, m_ui->emptyHistoryMakeText}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, text);
        label->setPalette(palette);
    }
    m_ui->loupeImage->setPixmap(namedImage(QStringLiteral("loupe") + suffix()));
    m_ui->colorPanelImage->setPixmap(namedImage(QStringLiteral("colorPanel") + suffix()));
    m_ui->favoriteImage->setPixmap(namedImage(QStringLiteral("favorites") + suffix()));
    setSwitchImages(m_ui->collectionSwitcherFavorite, QStringLiteral("favorites"));
    m_ui->collectionSwitcherFavorite->setToolTip(QString::fromUtf8(kFavoritesToolTip));
    setSwitchImages(m_ui->collectionSwitcherHistory, QStringLiteral("history"));
    m_ui->collectionSwitcherHistory->setToolTip(QString::fromUtf8(kHistoryToolTip));
    updateCollectionSwitcher();
    m_ui->collectionSwitcherHistory->parentWidget()->update();
}
