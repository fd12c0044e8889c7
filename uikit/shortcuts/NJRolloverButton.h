#pragma once

#include <QAbstractButton>
#include <QPixmap>

#include <functional>

// A borderless image button that shows its "-hover" image under the mouse and runs
// a handler when pressed.
class NJRolloverButton final : public QAbstractButton {
    Q_OBJECT
public:
    using ClickedHandler = std::function<void(QMouseEvent* event)>;

    explicit NJRolloverButton(QWidget* parent = nullptr);

    QString imageName() const { return m_imageName; }
    void setImageName(const QString& name);
    // The image shown now, and the one shown while the button is down.
    QPixmap image() const { return m_image; }
    QPixmap alternateImage() const { return m_alternateImage; }

    bool hovering() const { return m_hovering; }
    void setHovering(bool hovering);
    bool isFocusable() const { return m_isFocusable; }
    void setIsFocusable(bool focusable);
    void setClickedHandler(ClickedHandler handler) { m_clickedHandler = std::move(handler); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateNamedImage();
    // Hovering only while shown and the pointer is over the button.
    void updateHoverState();

    QString m_imageName;
    QPixmap m_image;
    QPixmap m_alternateImage;
    bool m_hovering = false;
    bool m_isFocusable = true;
    ClickedHandler m_clickedHandler;
};
