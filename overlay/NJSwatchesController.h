#pragma once

#include "formats/color/Color.h"
#include "uikit/animation/NJAnimationGroup.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class AppDelegate;
class NJAnimationGroup;
class NJBlurEffectView;
class QLabel;
class QToolButton;
class WNJIndicatorCollectionItem;
class WNJIndicatorCollectionView;
class WNJIndicatorScrollView;
namespace Ui {
class NJSwatchesController;
}

// The overlay's top area: the history strip and, on a panel that slides in from the
// right over it, the favourites strip. Marks and unmarks favourites and writes every
// change of the favourites back to the controller.
class NJSwatchesController final : public QWidget {
    Q_OBJECT
public:
    using Block = std::function<void()>;

    static constexpr std::size_t kMaxHistory = 100;
    static constexpr std::size_t kMaxFavorites = 150;
    static constexpr double kSwitchDuration = 0.3;
    static constexpr double kBlinkDuration = 0.4;
    static constexpr double kRemoveDuration = 0.25;
    static constexpr double kRemoveLastDuration = 0.15;
    static constexpr double kRemoveCommitDuration = 0.25;
    static constexpr double kBlurWithHistory = 25;
    static constexpr double kBlurEmptyHistory = 7;
    static constexpr double kBlurSaturation = 0.85;
    // How much of the blurred history the favourites' own ground hides without vibrancy.
    static constexpr double kFavoriteGroundAlpha = 0.9;
    static constexpr const char* kFavoritesToolTip = "Favorites (Super+F)";
    static constexpr const char* kHistoryToolTip = "History (Super+F)";

    explicit NJSwatchesController(AppDelegate& delegate, QWidget* parent = nullptr);
    ~NJSwatchesController() override;

    void setupUI();
    void initializeAppearance();
    void updateState();

    bool isHistoryActive() const { return m_history; }
    bool isBusy() const { return m_isBusy; }
    bool isSwitching() const { return m_toggleHistFavAnimating; }
    WNJIndicatorCollectionView* historyCollectionView() const { return m_historyCollectionView; }
    WNJIndicatorCollectionView* favoriteCollectionView() const { return m_favoriteCollectionView; }
    WNJIndicatorCollectionView* activeCollectionView() const;
    WNJIndicatorScrollView* historyScrollView() const { return m_historyScrollView; }
    WNJIndicatorScrollView* favoriteScrollView() const { return m_favoriteScrollView; }
    // The history panel, blurred while the favourites cover it.
    NJBlurEffectView* historyContainer() const;
    QWidget* favoriteContainer() const;
    QWidget* emptyFavoriteView() const;
    QToolButton* collectionSwitcherHistory() const;
    QToolButton* collectionSwitcherFavorite() const;

    const std::vector<Color>& historyColors() const;
    const std::vector<Color>& favoriteColors() const;
    void setHistoryColors(const std::vector<Color>& colors);
    void setFavoriteColors(const std::vector<Color>& colors);

    void toggleHistory() { toggleHistoryOnCompletion(nullptr); }
    void toggleHistoryOnCompletion(Block completion);
    void showHistoryOnCompletion(Block completion);
    void showHistory();
    void showHistoryAnimated(Block completion);
    void showFavoriteAnimated(Block completion);

    void toggleCurrentColorFavorite();
    void colorButtonClicked(WNJIndicatorCollectionItem& item);
    bool toggleFavoriteColor(const Color& color);
    bool toggleFavoriteMarker(const Color& color);
    bool removeFavoriteMarkerAnimated(const Color& color);
    bool isFavoriteColor(const Color& color) const;

    void addColor(const Color& color);
    void addColorToHistory(const Color& color);
    void updateActiveColorWith(const Color& color);
    void updateButtonState(unsigned long modifierFlags);
    void clearAllItems();
    QRect favoriteHiddenRect() const;
    void updateCollectionSwitcher();

private:
    void applyFavoriteGround();
    void buildStrip(WNJIndicatorCollectionView*& strip, WNJIndicatorScrollView*& scrollView, QWidget* container,
                    const QRect& frame);
    void styleButton(WNJIndicatorCollectionItem& item);
    void setHistoryBlur(double radius, double saturation);
    void removeItem(std::size_t index, Block completion);
    // Moves the favourites after the index, and the selection marks with them, one
    // swatch to the left within the group.
    void closeGap(NJAnimationGroup& group, std::size_t index) const;

    AppDelegate& m_delegate;
    std::unique_ptr<Ui::NJSwatchesController> m_ui;
    bool m_initialized = false;
    bool m_history = true;
    bool m_isBusy = false;
    bool m_toggleHistFavAnimating = false;
    int m_hiddenFavWidth = 0;
    // The running slide between the lists, stopped when the area returns to the history at once.
    std::optional<NJAnimationGroup> m_switchAnimation;
    WNJIndicatorCollectionView* m_historyCollectionView = nullptr;
    WNJIndicatorCollectionView* m_favoriteCollectionView = nullptr;
    WNJIndicatorScrollView* m_historyScrollView = nullptr;
    WNJIndicatorScrollView* m_favoriteScrollView = nullptr;
};
