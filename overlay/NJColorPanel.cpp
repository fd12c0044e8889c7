#include "NJColorPanel.h"

#include "overlay/NJColorDialogPage.h"
#include "overlay/NJColorSlidersPage.h"
#include "overlay/NJColorWheelPage.h"
#include "uikit/application/NamedImage.h"

#include <QApplication>
#include <QConicalGradient>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kIconSize = 22;
constexpr int kMagnifierSize = 28;
constexpr const char* kMagnifierImage = "loupe-18";

unsigned s_pickerMask = NJColorPanel::kAllModesMask;
QPointer<NJColorPanel> s_shared;

// The toolbar pictures belong to the panel itself, as its pages do.
QIcon drawnIcon(int mode)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(2, 2, kIconSize - 4, kIconSize - 4);
    painter.setPen(QPen(QColor(0, 0, 0, 90), 1));
    switch (mode) {
    case NJColorPanel::Wheel: {
        QConicalGradient hues(box.center(), 0);
        for (int i = 0; i <= 6; ++i)
            hues.setColorAt(i / 6.0, QColor::fromHsvF(static_cast<float>(i % 6) / 6.0F, 1.0F, 1.0F));
        painter.setBrush(hues);
        painter.drawEllipse(box);
        break;
    }
    case NJColorPanel::RGB: {
        const QColor bars[] = {Qt::red, Qt::green, Qt::blue};
        for (int i = 0; i < 3; ++i) {
            painter.setBrush(bars[i]);
            painter.drawRoundedRect(QRectF(box.x(), box.y() + 1 + i * 6.0, box.width() * (0.5 + 0.2 * i), 4), 2, 2);
        }
        break;
    }
    case NJColorPanel::CustomPalette: {
        QLinearGradient hues(box.topLeft(), box.topRight());
        for (int i = 0; i <= 6; ++i)
            hues.setColorAt(i / 6.0, QColor::fromHsvF(static_cast<float>(i % 6) / 6.0F, 1.0F, 1.0F));
        painter.setBrush(hues);
        painter.drawRect(box);
        QLinearGradient fade(box.topLeft(), box.bottomLeft());
        fade.setColorAt(0, QColor(255, 255, 255, 0));
        fade.setColorAt(1, Qt::white);
        painter.fillRect(box, fade);
        break;
    }
    default: {
        const QColor cells[] = {QColor(0xe5, 0x39, 0x35), QColor(0xfb, 0xc0, 0x2d), QColor(0x43, 0xa0, 0x47),
                                QColor(0x1e, 0x88, 0xe5)};
        const double half = box.width() / 2;
        for (int i = 0; i < 4; ++i) {
            painter.setBrush(cells[i]);
            painter.drawRect(QRectF(box.x() + (i % 2) * half, box.y() + (i / 2) * half, half - 1, half - 1));
        }
        break;
    }
    }
    return QIcon(pixmap);
}

bool allowed(const std::vector<int>& modes)
{
    return std::any_of(modes.begin(), modes.end(), [](int mode) { return (s_pickerMask & (1U << mode)) != 0; });
}

} // namespace

NJColorPanel& NJColorPanel::sharedColorPanel()
{
    // It lives as long as the application object, and goes first as that ends: its
    // widgets must not outlive the application.
    if (!s_shared) {
        s_shared = new NJColorPanel(QCoreApplication::instance());
        qAddPostRoutine([] { delete s_shared.data(); });
    }
    return *s_shared;
}

bool NJColorPanel::sharedColorPanelExists()
{
    return s_shared != nullptr;
}

void NJColorPanel::setPickerMask(unsigned mask)
{
    s_pickerMask = mask;
}

unsigned NJColorPanel::pickerMask()
{
    return s_pickerMask;
}

NJColorPanel::NJColorPanel(QObject* parent)
    : QObject(parent)
    , m_window(new QWidget)
{
    m_window->setObjectName(QStringLiteral("colorPanel"));
    m_window->resize(kWidth, kHeight);
    m_content = new QWidget(m_window);
    m_content->setObjectName(QStringLiteral("colorPanelContentView"));
    m_content->setGeometry(0, 0, kWidth, kHeight);
    m_pages = new QStackedWidget(m_content);

    auto* spectrum = new NJColorDialogPage(NJColorDialogPage::Spectrum);
    // The magnifier sits in the content view itself, over every page.
    QPushButton* magnifier = spectrum->pickScreenColorButton();
    magnifier->setParent(m_content);
    magnifier->setObjectName(QStringLiteral("magnifierButton"));
    magnifier->setToolTip(magnifier->text().remove(u'&'));
    magnifier->setFlat(true);
    // Without its picture the button keeps Qt's title.
    if (const QPixmap loupe = namedImage(QString::fromLatin1(kMagnifierImage)); !loupe.isNull()) {
        magnifier->setIcon(QIcon(loupe));
        magnifier->setText(QString());
        magnifier->setFixedSize(kMagnifierSize, kMagnifierSize);
    }
    magnifier->show();
    m_magnifier = magnifier;

    auto* top = new QHBoxLayout;
    top->setContentsMargins(8, 2, 8, 0);
    top->addWidget(magnifier);
    top->addStretch();
    auto* layout = new QVBoxLayout(m_content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(m_pages, 1);

    addPage(new NJColorWheelPage, QStringLiteral("wheel"), tr("Color Wheel"), {Wheel});
    addPage(new NJColorSlidersPage, QStringLiteral("sliders"), tr("Color Sliders"), {Gray, RGB, CMYK, HSB});
    addPage(spectrum, QStringLiteral("spectrum"), tr("Spectrum"), {CustomPalette});
    addPage(new NJColorDialogPage(NJColorDialogPage::Palettes), QStringLiteral("palettes"), tr("Color Palettes"),
            {ColorList});
    setColor(m_color);
    setMode(Wheel);
}

NJColorPanel::~NJColorPanel()
{
    if (m_content && m_content->parent() != m_window)
        m_content->setParent(m_window);
    delete m_window;
}

void NJColorPanel::addPage(NJColorPage* page, const QString& identifier, const QString& toolTip,
                           std::vector<int> modes)
{
    m_pages->addWidget(page);
    NJColorPanelToolbarItem item {identifier, toolTip, drawnIcon(modes.size() > 1 ? RGB : modes.front())};
    m_pageList.push_back({page, std::move(item), std::move(modes)});
    connect(page, &NJColorPage::colorEdited, this, [this, page](const QColor& color) { pageEdited(page, color); });
}

void NJColorPanel::setContentView(QWidget* view)
{
    if (!view)
        return;
    m_content = view;
    view->setParent(m_window);
    view->setGeometry(0, 0, m_window->width(), m_window->height());
}

std::vector<NJColorPanelToolbarItem> NJColorPanel::toolbarItems() const
{
    std::vector<NJColorPanelToolbarItem> items;
    for (const Page& page : m_pageList) {
        if (allowed(page.modes))
            items.push_back(page.item);
    }
    return items;
}

QString NJColorPanel::selectedItemIdentifier() const
{
    for (const Page& page : m_pageList) {
        if (page.page == m_pages->currentWidget())
            return page.item.identifier;
    }
    return {};
}

void NJColorPanel::performToolbarItem(const NJColorPanelToolbarItem& item)
{
    for (const Page& page : m_pageList) {
        if (page.item.identifier == item.identifier)
            m_pages->setCurrentWidget(page.page);
    }
}

void NJColorPanel::setMode(int mode)
{
    for (const Page& page : m_pageList) {
        if (std::find(page.modes.begin(), page.modes.end(), mode) == page.modes.end() || !allowed({mode}))
            continue;
        m_pages->setCurrentWidget(page.page);
        if (auto* sliders = qobject_cast<NJColorSlidersPage*>(page.page))
            sliders->setModel(static_cast<NJColorSlidersPage::Model>(mode));
    }
}

int NJColorPanel::mode() const
{
    if (const auto* sliders = qobject_cast<const NJColorSlidersPage*>(m_pages->currentWidget()))
        return sliders->model();
    for (const Page& page : m_pageList) {
        if (page.page == m_pages->currentWidget())
            return page.modes.front();
    }
    return Wheel;
}

QWidget* NJColorPanel::currentPage() const
{
    return m_pages->currentWidget();
}

void NJColorPanel::setColor(const QColor& color)
{
    if (!color.isValid())
        return;
    m_color = color;
    for (const Page& page : m_pageList)
        page.page->setColor(color);
}

void NJColorPanel::setShowsAlpha(bool shows)
{
    m_showsAlpha = shows;
    for (const Page& page : m_pageList)
        page.page->setShowsAlpha(shows);
}

void NJColorPanel::pageEdited(NJColorPage* source, const QColor& color)
{
    if (!color.isValid())
        return;
    m_color = color;
    for (const Page& page : m_pageList) {
        if (page.page != source)
            page.page->setColor(color);
    }
    emit colorChanged();
}
