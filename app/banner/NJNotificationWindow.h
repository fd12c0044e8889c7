#pragma once

#include "uikit/windows/CustomWindow.h"

#include <functional>

class QLabel;

// The banner's panel: it never takes the keyboard and never activates the program;
// a click on it runs the click handler.
class NJNotificationWindow final : public CustomWindow {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Vendrel banner";
    static constexpr int kHeight = 37;
    static constexpr int kImageSide = 17;
    static constexpr int kMargin = 8;
    static constexpr int kSpacing = 4;

    explicit NJNotificationWindow(QWidget* parent = nullptr);

    QLabel* textField() const { return m_textField; }
    QLabel* imageView() const { return m_imageView; }
    void setClickHandler(std::function<void()> handler) { m_clickHandler = std::move(handler); }
    void setDark(bool dark);
    // Places the text and the image for the window's current width.
    void layoutContent();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* m_textField;
    QLabel* m_imageView;
    std::function<void()> m_clickHandler;
    bool m_dark = false;
};
