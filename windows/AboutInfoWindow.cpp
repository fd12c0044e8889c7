#include "windows/AboutInfoWindow.h"

#include "ui_About.h"

#include "uikit/views/ViewAdditions.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPushButton>

AboutInfoWindow::AboutInfoWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_ui(std::make_unique<Ui::About>())
{
    m_ui->setupUi(this);
    viewadditions::setTitleFont(m_ui->nameText, kTitlePixelSize);
    // The style's margins are fixed pixels: larger text would fill the buttons edge to
    // edge, so each keeps room of one line's height on either side of its label.
    for (QPushButton* button : {m_ui->homepageButton, m_ui->twitterButton}) {
        const QFontMetrics metrics(button->font());
        button->setMinimumWidth(metrics.horizontalAdvance(button->text()) + 2 * metrics.height());
    }
    connect(m_ui->homepageButton, &QPushButton::clicked, this, &AboutInfoWindow::homepageRequested);
    connect(m_ui->twitterButton, &QPushButton::clicked, this, &AboutInfoWindow::twitterAccountRequested);
}

AboutInfoWindow::~AboutInfoWindow() = default;

void AboutInfoWindow::setupInfo(const QString& version, const QString& copyright)
{
    m_ui->infoText->setText(QString::fromLatin1(kVersionFormat).arg(version));
    m_ui->copyrightText->setText(copyright);
}

QLabel* AboutInfoWindow::infoText() const
{
    return m_ui->infoText;
}

QLabel* AboutInfoWindow::copyrightText() const
{
    return m_ui->copyrightText;
}

QPushButton* AboutInfoWindow::homepageButton() const
{
    return m_ui->homepageButton;
}

QPushButton* AboutInfoWindow::twitterButton() const
{
    return m_ui->twitterButton;
}

void AboutInfoWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
