#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class WNJSliderDotsControl;

// Shows one of its slides at a time and pushes between them: from the right going
// forward, from the left going back. Swipes, the page dots and the owner's buttons move
// it; holding Shift slows the push down.
class WNJSliderView : public QWidget {
    Q_OBJECT
public:
    using WillChange = std::function<void(QWidget* current, QWidget* next)>;
    using DidChange = std::function<void(QWidget* displayed)>;

    static constexpr double kTransitionDuration = 0.3;
    static constexpr double kSlowTransitionDuration = 1.5;
    static constexpr double kSwipeThreshold = 20;

    explicit WNJSliderView(QWidget* parent = nullptr);

    const std::vector<QWidget*>& slides() const { return m_slides; }
    // The slider owns the slides it holds; a removed slide goes back to the caller.
    void addSlide(QWidget* slide);
    void removeSlide(QWidget* slide);
    void displaySlideAtIndex(std::size_t index);
    void displayNextSlide();
    void displayPreviousSlide();
    bool isLastSlide() const;
    void dotViewSelected(int tag);

    std::size_t indexOfDisplayedSlide() const { return m_indexOfDisplayedSlide; }
    void setIndexOfDisplayedSlide(std::size_t index) { m_indexOfDisplayedSlide = index; }
    QWidget* displayedSlide() const { return m_displayedSlide; }
    void setOnSlideWillChange(WillChange callback) { m_onSlideWillChange = std::move(callback); }
    void setOnSlideDidChange(DidChange callback) { m_onSlideDidChange = std::move(callback); }
    // Non-zero lets Shift slow the push down; the value itself is not a duration.
    double transitionAnimationDuration() const { return m_transitionAnimationDuration; }
    void setTransitionAnimationDuration(double duration) { m_transitionAnimationDuration = duration; }
    WNJSliderDotsControl* dotsControl() const { return m_dotsControl; }
    QWidget* contentView() const { return m_contentView; }
    double scrollDeltaX() const { return m_scrollDeltaX; }
    double scrollDeltaY() const { return m_scrollDeltaY; }

    static double transitionDuration(bool shiftHeld, double transitionAnimationDuration);

protected:
    // Whether Shift is held in the event being handled.
    virtual bool shiftHeld() const;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void pushTo(QWidget* slide, std::size_t index);

    std::vector<QWidget*> m_slides;
    std::size_t m_indexOfDisplayedSlide = 0;
    QPointer<QWidget> m_displayedSlide;
    WillChange m_onSlideWillChange;
    DidChange m_onSlideDidChange;
    double m_transitionAnimationDuration = 0.6;
    WNJSliderDotsControl* m_dotsControl;
    QWidget* m_contentView;
    double m_scrollDeltaX = 0;
    double m_scrollDeltaY = 0;
};
