#pragma once

#include "app/banner/ExportBanner.h"
#include "foundation/Scheduler.h"

#include <QRect>

#include <functional>
#include <memory>
#include <optional>

class NJAnimationGroup;
class NJNotificationWindow;

// The banner that confirms an export: it drops in under the status item, shows a
// swatch and the text, and slides away after a few seconds. A click opens the
// colours-and-formats overlay.
class NJNotification final : public ExportBanner {
public:
    static constexpr double kPresentDuration = 0.42;
    static constexpr double kDismissDuration = 0.56;
    static constexpr const char* kTiming = "easeInOut";

    struct Frames {
        QRect start;
        QRect shown;
        QRect end;
    };

    // `statusItemGeometry` answers where the status item is (top-left screen
    // coordinates), or an empty rectangle when it cannot be known; `onClick` runs on a
    // click; `darkMode` says whether the theme is dark.
    NJNotification(std::function<QRect()> statusItemGeometry, std::function<void()> onClick,
                   std::function<bool()> darkMode);
    ~NJNotification() override;

    QSize imageSize() const override;
    void present(const std::string& text, const QImage& image, double seconds) override;
    bool isVisible() const override;
    // Ends the banner at once, also while it slides in; it never comes back by itself.
    void orderOut() override;

    void presentNotificationDismissAfter(double seconds);
    void presentNotification();
    void dismissNotificiation();
    void timedBannerDismiss();

    NJNotificationWindow& window() const { return *m_window; }
    bool animationIsRunning() const { return m_animationIsRunning; }
    // The banner's three frames for its current size.
    Frames calculatePositions() const;
    void updateWindowSize();

private:
    void prepareNotification();
    void stopAnimation();

    std::function<QRect()> m_statusItemGeometry;
    std::function<bool()> m_darkMode;
    std::unique_ptr<NJNotificationWindow> m_window;
    std::unique_ptr<NJAnimationGroup> m_animation;
    std::optional<Scheduler::TimerId> m_dismissTimer;
    Frames m_frames;
    bool m_animationIsRunning = false;
};
