#pragma once

#include "app/windows/OverlayWindow.h"

#include <memory>

class AppDelegate;
class QVFormatRepository;
class QVOverlayWindow;

// The overlay as the controller drives it: the colour lists in and out, show, hide.
// It keeps no state of its own; everything lives in its window.
class QVOverlayWindowController final : public OverlayWindow {
public:
    QVOverlayWindowController(AppDelegate& delegate, const QVFormatRepository& repository);
    ~QVOverlayWindowController() override;

    QVOverlayWindow* window() const { return m_window.get(); }

    bool isVisible() const override;
    void renderFormats() override;
    void setHistoryColors(const std::vector<Color>& colors) override;
    void setFavoriteColors(const std::vector<Color>& colors);
    void initWithColors(const std::vector<Color>& history, const std::vector<Color>& favorites) override;
    void setFormatProcessor(QVFormatProcessor* processor) override;
    bool hasSelectedColor() const override;
    void center() override;
    void makeKeyAndOrderFront() override;
    void orderOut() override;

    std::vector<Color> historyColors() const;
    std::vector<Color> favoriteColors() const;

private:
    std::unique_ptr<QVOverlayWindow> m_window;
};
