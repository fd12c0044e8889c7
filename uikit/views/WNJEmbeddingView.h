#pragma once

#include "uikit/views/WNJThemeAwareView.h"

#include <QColor>

// A nearly opaque themed fill behind embedded content.
class WNJEmbeddingView : public WNJThemeAwareView {
    Q_OBJECT
public:
    explicit WNJEmbeddingView(QWidget* parent = nullptr);
    // The colour of the last paint.
    QColor backgroundColor() const { return m_backgroundColor; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_backgroundColor;
};
