#pragma once

#include "formats/color/Color.h"

#include <QObject>
#include <QPointer>

class QLabel;
class QPainter;
class QPushButton;
class QRectF;
class WNJICItemView;
class WNJIndicatorCollectionView;

// One colour of the strip with its swatch view.
class WNJIndicatorCollectionItem final : public QObject {
    Q_OBJECT
public:
    WNJIndicatorCollectionItem(WNJIndicatorCollectionView* collectionView, WNJICItemView* view);
    ~WNJIndicatorCollectionItem() override;

    WNJIndicatorCollectionView* collectionView() const { return m_collectionView; }
    WNJICItemView* view() const { return m_view; }
    QPushButton* button() const;
    QLabel* imageView() const;

    const Color& representedObject() const { return m_color; }
    // Stores the colour, draws the swatch and has the owner style the button.
    void setRepresentedObject(const Color& color);
    void updateImage();
    void updateButton();
    void buttonClicked();
    // Hides, shows, hides and shows the button at thirds of the duration.
    void blinkButton(double duration);
    // Paints the swatch into the rectangle of a painter with the origin at the top left.
    void drawColorImage(QPainter& painter, const QRectF& rect);

private:
    QPointer<WNJIndicatorCollectionView> m_collectionView;
    QPointer<WNJICItemView> m_view;
    Color m_color;
};
