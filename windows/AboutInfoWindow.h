#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
namespace Ui {
class About;
}

// The about window's own view: the version and copyright lines and the two buttons
// that lead to the product's pages. Escape closes it.
class AboutInfoWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kVersionFormat = "Version %1";
    static constexpr int kTitlePixelSize = 20;

    explicit AboutInfoWindow(QWidget* parent = nullptr);
    ~AboutInfoWindow() override;

    void setupInfo(const QString& version, const QString& copyright);
    QLabel* infoText() const;
    QLabel* copyrightText() const;
    QPushButton* homepageButton() const;
    QPushButton* twitterButton() const;

signals:
    void homepageRequested();
    void twitterAccountRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<Ui::About> m_ui;
};
