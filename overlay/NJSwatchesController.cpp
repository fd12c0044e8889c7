#include "NJSwatchesController.h"

#include "app/AppDelegate.h"
#include "uikit/NJAnimationGroup.h"
#include "uikit/NJApplication.h"
#include "uikit/NamedImage.h"
#include "uikit/ViewAdditions.h"
#include "uikit/WNJICItemView.h"
#include "uikit/WNJIndicatorCollectionItem.h"
#include "uikit/WNJIndicatorCollectionView.h"
#include "uikit/WNJIndicatorScrollView.h"

#include <QApplication>
#include <QGraphicsBlurEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kWidth = 480;
constexpr double kBlurWithHistory = 25;
constexpr double kBlurEmptyHistory = 7;
constexpr const char* kFavoriteActiveImage = "sample-fav-active";
constexpr const char* kFavoriteImage = "sample-fav";
constexpr const char* kFavoritesEmptyText = "No favorites yet: mark a color with its star.";

bool darkMode()
{
    const NJApplication* app = NJApplication::sharedApplication();
    return app && app->darkMode();
}

QString suffix()
{
    return darkMode() ? QStringLiteral("-inv") : QString();
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
{
    setObjectName(QStringLiteral("swatchesView"));
    resize(kWidth, kHeight);
    m_historyContainer = new QWidget(this);
    m_historyContainer->setObjectName(QStringLiteral("historyContainer"));
    m_historyContainer->setGeometry(rect());
    m_historyBlur = new QGraphicsBlurEffect(m_historyContainer);
    m_historyBlur->setBlurRadius(0);
    m_historyBlur->setEnabled(false);
    m_historyContainer->setGraphicsEffect(m_historyBlur);

    m_favoriteContainer = new QWidget(this);
    m_favoriteContainer->setObjectName(QStringLiteral("favoriteContainer"));
    m_favoriteContainer->setAutoFillBackground(true);
    m_favoriteContainer->setGeometry(rect());
    m_emptyFavoriteView = new QWidget;
    m_emptyFavoriteView->setObjectName(QStringLiteral("emptyFavoriteView"));
    auto* emptyLayout = new QHBoxLayout(m_emptyFavoriteView);
    emptyLayout->setContentsMargins(m_hiddenFavWidth + 8, 0, 8, 0);
    m_favoriteImage = new QLabel;
    m_favoriteImage->setObjectName(QStringLiteral("favoriteImage"));
    m_favoriteEmptyInfo = new QLabel(QString::fromUtf8(kFavoritesEmptyText));
    m_favoriteEmptyInfo->setObjectName(QStringLiteral("favoriteEmptyInfo"));
    emptyLayout->addWidget(m_favoriteImage);
    emptyLayout->addWidget(m_favoriteEmptyInfo, 1);

    m_buttonView = new QWidget(m_favoriteContainer);
    m_buttonView->setObjectName(QStringLiteral("buttonView"));
    m_buttonView->setGeometry(0, 0, m_hiddenFavWidth, kHeight);
    auto* buttons = new QHBoxLayout(m_buttonView);
    buttons->setContentsMargins(4, 4, 4, 4);
    m_collectionSwitcherFavorite = new QToolButton;
    m_collectionSwitcherFavorite->setObjectName(QStringLiteral("collectionSwitcherFavorite"));
    m_collectionSwitcherHistory = new QToolButton;
    m_collectionSwitcherHistory->setObjectName(QStringLiteral("collectionSwitcherHistory"));
    for (QToolButton* button : {m_collectionSwitcherFavorite, m_collectionSwitcherHistory}) {
        button->setAutoRaise(true);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this] { toggleHistory(); });
    }
}

NJSwatchesController::~NJSwatchesController() = default;

void NJSwatchesController::buildStrip(WNJIndicatorCollectionView*& strip, WNJIndicatorScrollView*& scrollView,
                                      QWidget* container, const QRect& frame)
{
    scrollView = WNJIndicatorScrollView::withHiddenScrollers(frame, container);
    strip = new WNJIndicatorCollectionView(QRect(QPoint(), frame.size()), WNJICItemView::itemSize());
    strip->setFocusPolicy(Qt::StrongFocus);
    scrollView->setWidget(strip);
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
    buildStrip(m_historyCollectionView, m_historyScrollView, m_historyContainer, rect());
    m_historyCollectionView->setBackgroundColor(std::nullopt);

    viewadditions::embedView(m_favoriteContainer, m_emptyFavoriteView);
    buildStrip(m_favoriteCollectionView, m_favoriteScrollView, m_favoriteContainer,
               QRect(m_hiddenFavWidth, 0, width() - m_hiddenFavWidth, height()));
    m_favoriteCollectionView->setShowSelection(false);
    m_favoriteScrollView->scrollToXPosition(0);
    m_buttonView->raise();
    m_favoriteContainer->setGeometry(0, m_favoriteContainer->y(), width(), m_favoriteContainer->height());
    m_historyCollectionView->initalizeAppearance();
    m_favoriteCollectionView->initalizeAppearance();
    m_initialized = true;
    updateState();
    showHistoryAnimated(nullptr);
}

WNJIndicatorCollectionView* NJSwatchesController::activeCollectionView() const
{
    return m_history ? m_historyCollectionView : m_favoriteCollectionView;
}

double NJSwatchesController::historyBlurRadius() const
{
    return m_historyBlur->blurRadius();
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

void NJSwatchesController::setHistoryBlur(double radius)
{
    m_historyBlur->setBlurRadius(radius);
    m_historyBlur->setEnabled(radius > 0);
}

void NJSwatchesController::updateState()
{
    if (!m_initialized)
        return;
    const bool hasFavorites = !favoriteColors().empty();
    m_emptyFavoriteView->setHidden(hasFavorites);
    m_favoriteScrollView->setHidden(!hasFavorites);
    m_historyScrollView->setHidden(historyColors().empty());
    updateCollectionSwitcher();
}

void NJSwatchesController::updateCollectionSwitcher()
{
    m_collectionSwitcherHistory->setChecked(false);
    m_collectionSwitcherFavorite->setChecked(false);
    m_collectionSwitcherHistory->setHidden(m_history);
    m_collectionSwitcherFavorite->setHidden(!m_history);
}

QRect NJSwatchesController::favoriteHiddenRect() const
{
    return {width() - m_hiddenFavWidth, m_favoriteContainer->y(), m_hiddenFavWidth, m_favoriteContainer->height()};
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
    const QPoint target(0, m_favoriteContainer->y());
    m_favoriteCollectionView->setShowSelection(false);
    m_historyCollectionView->hideSelectionAnimated(true);
    if (!favoriteColors().empty())
        m_favoriteCollectionView->setSelectionIndexes({0});
    const bool historyFocused = m_historyCollectionView->hasFocus();
    QPointer<NJSwatchesController> self(this);
    NJAnimationGroup(kSwitchDuration, "easeOutQuart")
        .position(m_favoriteContainer, target)
        .completion([self, completion] {
            if (!self)
                return;
            if (!self->favoriteColors().empty())
                self->m_favoriteCollectionView->setSelectionIndexes({0});
            if (completion)
                completion();
        })
        .start();
    m_favoriteCollectionView->showSelectionAnimated(false);
    // Only our own content blurs here: the history behind the panel.
    setHistoryBlur(historyColors().empty() ? kBlurEmptyHistory : kBlurWithHistory);
    if (historyFocused)
        m_favoriteCollectionView->setFocus();
}

void NJSwatchesController::showHistoryAnimated(Block completion)
{
    m_favoriteCollectionView->setShowSelection(false);
    m_historyCollectionView->showSelectionAnimated(true);
    const bool favoritesFocused = m_favoriteCollectionView->hasFocus();
    QPointer<NJSwatchesController> self(this);
    NJAnimationGroup(kSwitchDuration, "easeInQuart")
        .position(m_favoriteContainer, favoriteHiddenRect().topLeft())
        .completion([self, completion] {
            if (!self || !self->m_history)
                return;
            self->setHistoryBlur(0);
            self->m_favoriteScrollView->scrollToXPosition(0);
            const auto selection = self->m_historyCollectionView->selectionIndexes();
            if (!selection.empty())
                self->m_historyCollectionView->setSelectionIndexes(selection);
            if (completion)
                completion();
        })
        .start();
    if (favoritesFocused)
        m_historyCollectionView->setFocus();
}

void NJSwatchesController::showHistory()
{
    if (!m_initialized)
        return;
    m_history = true;
    m_favoriteContainer->move(favoriteHiddenRect().topLeft());
    m_historyScrollView->scrollToXPosition(0);
    m_favoriteScrollView->scrollToXPosition(0);
    setHistoryBlur(0);
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
                self->m_favoriteContainer->update();
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
            NJAnimationGroup(kRemoveCommitDuration)
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

void NJSwatchesController::initializeAppearance()
{
    if (!m_initialized)
        return;
    m_favoriteCollectionView->initalizeAppearance();
    m_historyCollectionView->initalizeAppearance();
    setHistoryBlur(m_history ? 0 : historyBlurRadius());
    QPalette palette = m_favoriteEmptyInfo->palette();
    palette.setColor(QPalette::WindowText, darkMode() ? QColor(Qt::white) : QApplication::palette().color(QPalette::Text));
    m_favoriteEmptyInfo->setPalette(palette);
    m_favoriteImage->setPixmap(namedImage(QStringLiteral("favorites") + suffix()));
    m_collectionSwitcherFavorite->setIcon(QIcon(namedImage(QStringLiteral("favorites") + suffix())));
    m_collectionSwitcherFavorite->setToolTip(QString::fromUtf8(kFavoritesToolTip));
    m_collectionSwitcherHistory->setIcon(QIcon(namedImage(QStringLiteral("history") + suffix())));
    m_collectionSwitcherHistory->setToolTip(QString::fromUtf8(kHistoryToolTip));
    updateCollectionSwitcher();
    m_collectionSwitcherHistory->parentWidget()->update();
}
