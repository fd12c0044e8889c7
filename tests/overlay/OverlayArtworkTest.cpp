#include "OverlayFixture.h"

#include "foundation/Bundle.h"
#include "overlay/NJFormatCellView.h"
#include "uikit/application/NamedImage.h"
#include "uikit/swatches/WNJICItemView.h"
#include "uikit/swatches/WNJIndicatorCollectionItem.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <set>

namespace {

std::set<std::string> catalogueGroups()
{
    QVFormatRepository repository(UserDefaults::standard());
    repository.loadExportFormats(*Bundle::main().pathForResource(QVFormatRepository::kExportFormatsResource, "plist"));
    std::set<std::string> groups;
    for (const QVFormatDefinition& format : *repository.exportFormatList())
        groups.insert(format.group());
    return groups;
}

} // namespace

class OverlayArtworkTest : public OverlayFixture {
protected:
    // Every image the panel shows for the theme in force.
    void expectEveryImageLoads(const char* theme)
    {
        SCOPED_TRACE(theme);
        for (const char* name : {"pickerButton", "colorPanelButton", "colorPanelCloseButton"})
            EXPECT_FALSE(window()->findChild<QToolButton*>(name)->icon().isNull()) << name;
        for (const char* name : {"startLoupeIcon", "startColorPanelIcon", "favoriteImage"})
            EXPECT_FALSE(window()->findChild<QLabel*>(name)->pixmap().isNull()) << name;
        EXPECT_FALSE(window()->searchButton()->icon().isNull());
        EXPECT_FALSE(window()->cancelButton()->icon().isNull());
        EXPECT_FALSE(swatches()->collectionSwitcherHistory()->icon().isNull());
        EXPECT_FALSE(swatches()->collectionSwitcherFavorite()->icon().isNull());
        WNJIndicatorCollectionView* history = swatches()->historyCollectionView();
        for (std::size_t i = 0; i < history->content().size(); ++i)
            EXPECT_FALSE(history->itemAtIndex(i)->button()->icon().isNull()) << i;
    }
};

TEST_F(OverlayArtworkTest, EveryGroupOfTheCatalogueHasItsIconInEveryState)
{
    const auto groups = catalogueGroups();
    ASSERT_GT(groups.size(), 10u);
    for (const std::string& group : groups) {
        const QString lower = QString::fromStdString(group).toLower();
        for (const auto& [active, dark] : {std::pair(false, false), std::pair(false, true), std::pair(true, false)}) {
            const QString name = NJFormatCellView::buttonImageName(lower, active, dark);
            EXPECT_FALSE(namedImage(name).isNull()) << name.toStdString();
        }
    }
    // The colour editor's tab images.
    for (const char* name : {"loupe-18", "loupe-18-inv"})
        EXPECT_FALSE(namedImage(QString::fromLatin1(name)).isNull()) << name;
}

TEST_F(OverlayArtworkTest, ThePanelsImagesLoadInBothThemes)
{
    // A light colour, a dark one and a favourite: the three swatch buttons.
    open(formats({"HEX"}), {Value("FFFF00FF"), Value("000000FF"), Value("336699FF")}, {Value("336699FF")});
    ASSERT_FALSE(m_app->darkMode());
    expectEveryImageLoads("light");

    m_defaults->setObject("userInterface", Value("dark"));
    m_app->themeChanged();
    ASSERT_TRUE(m_app->darkMode());
    window()->initializeAppearance();
    expectEveryImageLoads("dark");
}

TEST_F(OverlayArtworkTest, ImageButtonsDrawNoPanelUnderTheMouse)
{
    open(formats({"HEX"}));
    const auto render = [](QToolButton* button, bool underMouse) {
        button->setAttribute(Qt::WA_UnderMouse, underMouse);
        QImage image(button->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        button->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    };
    const auto expectPlain = [&render](QToolButton* button) {
        SCOPED_TRACE(button->objectName().toStdString());
        ASSERT_TRUE(button->isVisible());
        EXPECT_EQ(render(button, true), render(button, false));
    };
    expectPlain(window()->pickerButton());
    expectPlain(window()->colorPanelButton());
    expectPlain(swatches()->collectionSwitcherFavorite());
    window()->colorPanelButton()->click();
    settle();
    settle(QVOverlayWindow::kColorPanelDuration + 0.05);
    settle();
    expectPlain(window()->colorPanelCloseButton());
}
