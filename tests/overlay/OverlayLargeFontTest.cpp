#include "tests/overlay/OverlayFixture.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QScreen>

namespace {

// As the program sees a desktop whose font settings say Xft.dpi: 144.
const bool kLargeFonts = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" VENDREL_LARGE_FONT_SCREENS);
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    return true;
}();

class OverlayLargeFontTest : public OverlayFixture {};

TEST_F(OverlayLargeFontTest, TheEmptyHistoryPlaceholderFitsOnOneLine)
{
    ASSERT_TRUE(kLargeFonts);
    open(formats({"HEX"}), {});
    ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInchY(), 144);
    const auto* label = window()->emptyHistoryView()->findChild<QLabel*>("startInfoLabel");
    ASSERT_NE(label, nullptr);
    ASSERT_TRUE(label->isVisibleTo(window()));
    window()->emptyHistoryView()->layout()->activate();
    const int line = QFontMetrics(label->font()).lineSpacing();
    EXPECT_LT(label->heightForWidth(label->width()), 2 * line) << label->width();
    EXPECT_GE(label->height(), label->heightForWidth(label->width()));
}

} // namespace
