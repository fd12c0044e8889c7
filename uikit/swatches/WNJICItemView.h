#pragma once

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

// One swatch: its image and, in the upper right area, its favourite button.
class WNJICItemView final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSide = 42;
    static constexpr const char* kFavoriteToolTip = "Favorite (Ctrl+F)";

    // Keeps the origin; the size is always the swatch size.
    explicit WNJICItemView(const QPoint& origin, QWidget* parent = nullptr);

    static QSize itemSize() { return {kSide, kSide}; }

    QLabel* imageView() const { return m_imageView; }
    void setImageView(QLabel* view) { m_imageView = view; }
    QPushButton* button() const { return m_button; }
    void setButton(QPushButton* button) { m_button = button; }

private:
    QPointer<QLabel> m_imageView;
    QPointer<QPushButton> m_button;
};
