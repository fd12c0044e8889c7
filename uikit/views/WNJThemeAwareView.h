#pragma once

#include "foundation/NotificationCenter.h"

#include <QWidget>

// A view that repaints itself when the application's appearance changes.
class WNJThemeAwareView : public QWidget {
    Q_OBJECT
public:
    explicit WNJThemeAwareView(QWidget* parent = nullptr);
    ~WNJThemeAwareView() override;

    virtual void appearanceDidChange();

private:
    NotificationCenter::Token m_observer = 0;
};
