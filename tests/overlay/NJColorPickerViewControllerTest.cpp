#include "overlay/NJColorPanel.h"
#include "overlay/NJColorPickerViewController.h"
#include "overlay/NJColorSlidersPage.h"
#include "overlay/NJColorWheel.h"
#include "overlay/NJToolbarCollectionView.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSlider>

#include <gtest/gtest.h>

#include <memory>

// The editor's view controller and the panel's own pages, without the overlay.
class NJColorPickerViewControllerTest : public ::testing::Test {
protected:
    static NJColorPanel& panel() { return NJColorPanel::sharedColorPanel(); }

    int m_argc = 1;
    char m_arg0[8] = "vendrel";
    char* m_argv[2] = {m_arg0, nullptr};
    QApplication m_app {m_argc, m_argv};
};

TEST_F(NJColorPickerViewControllerTest, TheTabBarHeightFollowsTheContainersAndTheContentFillsTheRest)
{
    // Without containers the tab bar lies at the top of the view, 50 points high.
    auto bare = std::make_unique<NJColorPickerViewController>();
    bare->setupUI();
    EXPECT_EQ(bare->tabBarHeight(), 50);
    EXPECT_EQ(bare->tabScrollView()->parentWidget(), bare->view());
    EXPECT_EQ(bare->tabScrollView()->geometry(), QRect(0, 0, 480, 50));
    EXPECT_EQ(bare->colorPanelView()->geometry(), QRect(0, 50, 480, 350));
    EXPECT_TRUE(bare->isInitialized());
    bare->view()->show();
    bare->view()->resize(480, 440);
    EXPECT_EQ(bare->colorPanelView()->geometry(), QRect(0, 50, 480, 390));
    // Gone, it hands the content back to the panel.
    bare.reset();
    EXPECT_EQ(panel().contentView()->parentWidget(), panel().window());

    // A toolbar container alone holds the tab bar: the content takes the whole view.
    QWidget toolbar;
    toolbar.resize(300, 44);
    auto hosted = std::make_unique<NJColorPickerViewController>();
    hosted->setToolbarContainer(&toolbar);
    hosted->setupUI();
    EXPECT_EQ(hosted->tabBarHeight(), 0);
    EXPECT_EQ(hosted->tabScrollView()->parentWidget(), &toolbar);
    EXPECT_EQ(hosted->tabbar()->height(), 50);
    EXPECT_EQ(hosted->colorPanelView()->geometry(), QRect(0, 0, 480, 400));
    hosted.reset();
    EXPECT_EQ(toolbar.findChild<QScrollArea*>(), nullptr);

    // With a navigation container too, its height is kept clear at the top of the view.
    auto* navigation = new QWidget;
    navigation->resize(480, 44);
    auto full = std::make_unique<NJColorPickerViewController>();
    full->setToolbarContainer(&toolbar);
    full->setNavigationContainer(navigation);
    full->setupUI();
    EXPECT_EQ(full->tabBarHeight(), 44);
    EXPECT_EQ(navigation->parentWidget(), full->view());
    EXPECT_EQ(navigation->geometry(), QRect(0, 0, 480, 44));
    EXPECT_EQ(full->colorPanelView()->geometry(), QRect(0, 44, 480, 356));
    full.reset();
    EXPECT_EQ(navigation->parentWidget(), nullptr);
    delete navigation;
}

TEST_F(NJColorPickerViewControllerTest, TheFirstTextFieldIsTheFirstVisibleEditableFieldDepthFirst)
{
    QWidget root;
    auto* first = new QWidget(&root);
    auto* hidden = new QLineEdit(first);
    hidden->hide();
    auto* readOnly = new QLineEdit(first);
    readOnly->setReadOnly(true);
    auto* second = new QWidget(&root);
    auto* nested = new QWidget(second);
    auto* deep = new QLineEdit(nested);
    new QLineEdit(&root);
    EXPECT_EQ(NJColorPickerViewController::findFirstTextField(&root), deep);
    EXPECT_TRUE(NJColorPickerViewController::hasControlOfClass("QLineEdit", second));
    EXPECT_TRUE(NJColorPickerViewController::hasControlOfClass("QLineEdit", first));
    readOnly->hide();
    EXPECT_FALSE(NJColorPickerViewController::hasControlOfClass("QLineEdit", first));
    second->hide();
    EXPECT_EQ(NJColorPickerViewController::findFirstTextField(&root), root.findChildren<QLineEdit*>().back());
}

TEST_F(NJColorPickerViewControllerTest, TheMaskLeavesOutThePagesOfItsModes)
{
    const unsigned mask = NJColorPanel::pickerMask();
    NJColorPanel::setPickerMask(NJColorPickerViewController::kPickerMask & ~(1U << NJColorPanel::Wheel));
    std::vector<QString> identifiers;
    for (const NJColorPanelToolbarItem& item : panel().toolbarItems())
        identifiers.push_back(item.identifier);
    EXPECT_EQ(identifiers, (std::vector<QString> {"sliders", "spectrum", "palettes"}));
    NJColorPanel::setPickerMask(mask);
}

TEST_F(NJColorPickerViewControllerTest, SlidersShowAndMakeTheColourInEachModel)
{
    NJColorSlidersPage page;
    QSignalSpy edits(&page, &NJColorPage::colorEdited);
    page.setColor(QColor(255, 0, 0, 128));
    EXPECT_EQ(page.slider(0)->value(), 255);
    EXPECT_EQ(page.slider(4)->value(), 50);

    page.modelChooser()->setCurrentIndex(NJColorSlidersPage::CMYK);
    EXPECT_EQ(page.model(), NJColorSlidersPage::CMYK);
    EXPECT_EQ(page.slider(0)->value(), 0);
    EXPECT_EQ(page.slider(1)->value(), 100);
    EXPECT_EQ(page.slider(2)->value(), 100);
    EXPECT_EQ(page.slider(3)->value(), 0);
    page.slider(3)->setValue(50);
    ASSERT_EQ(edits.count(), 1);
    EXPECT_EQ(edits.back().front().value<QColor>().name(QColor::HexArgb), "#807f0000");

    page.setModel(NJColorSlidersPage::Gray);
    EXPECT_FALSE(page.slider(1)->isVisibleTo(&page));
    page.slider(0)->setValue(20);
    EXPECT_EQ(edits.back().front().value<QColor>().name(QColor::HexArgb), "#80333333");

    // A grey keeps the hue it was given when the model shows hue.
    page.setModel(NJColorSlidersPage::HSB);
    page.setColor(QColor::fromHsv(200, 255, 255));
    page.setColor(QColor(Qt::black));
    EXPECT_EQ(page.slider(0)->value(), 200);
    EXPECT_EQ(edits.count(), 2);
}

TEST_F(NJColorPickerViewControllerTest, TheWheelTurnsHuesAnticlockwiseFromTheRightWithSaturationOutwards)
{
    NJColorWheel wheel;
    wheel.resize(216, 216);
    const QRectF disk = wheel.diskRect();
    const double radius = disk.width() / 2;
    const auto [right, full] = wheel.hueSaturationAt(disk.center() + QPointF(radius, 0));
    EXPECT_NEAR(right, 0, 1e-9);
    EXPECT_NEAR(full, 1, 1e-9);
    const auto [up, half] = wheel.hueSaturationAt(disk.center() + QPointF(0, -radius / 2));
    EXPECT_NEAR(up, 0.25, 1e-9);
    EXPECT_NEAR(half, 0.5, 1e-9);
    // Outside the disk a point lands on the rim.
    EXPECT_NEAR(wheel.hueSaturationAt(disk.center() + QPointF(-3 * radius, 0)).second, 1, 1e-9);
    EXPECT_NEAR(wheel.hueSaturationAt(disk.center() + QPointF(-3 * radius, 0)).first, 0.5, 1e-9);
}
