#include "AppDelegateFixture.h"

#include "app/picking/ColorExporter.h"
#include "foundation/Log.h"

#include <QClipboard>
#include <QColor>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

namespace {

using namespace formatfixtures;

constexpr const char* kHexTemplate = "{{hex(color, rgba.r, false)}}{{hex(color, rgba.g, false)}}{{hex(color, rgba.b, false)}}";

std::vector<Value> exportFormats()
{
    return {exportFormat("HEX", "clipboard", "hex", kHexTemplate),
            exportFormat("Broken", "clipboard", "hex", "{{#unclosed}}"),
            exportFormat("Script", "applescript", "Web", "tell \\\"{{hex(color, rgba.r, false)}}\\\"\\nend"),
            exportFormat("Elsewhere", "printer", "hex", kHexTemplate)};
}

QVFormatDefinition formatNamed(const QVFormatRepository& repository, const std::string& name)
{
    return *repository.getExportFormatByName(name);
}

class AppDelegateExportTest : public AppDelegateFixture {
protected:
    static void SetUpTestSuite()
    {
        if (!QGuiApplication::instance()) {
            static int argc = 1;
            static char name[] = "vendrel_app_tests";
            static char* argv[] = {name, nullptr};
            new QGuiApplication(argc, argv);
        }
    }
    void SetUp() override
    {
        launch(false, exportFormats());
        m_delegate->setUseNotification(true);
        QGuiApplication::clipboard()->clear();
    }
};

TEST_F(AppDelegateExportTest, ClipboardHoldsTheTextAndTheColour)
{
    m_delegate->exportColor(Color::sRGB(1, 0.2, 0), formatNamed(*m_repository, "HEX"));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text().toLower().toStdString(), "ff3300");
    EXPECT_TRUE(data->hasFormat(ColorExporter::kColorMimeType));
    EXPECT_EQ(qvariant_cast<QColor>(data->colorData()).rgba(), qRgba(255, 51, 0, 255));
}

TEST_F(AppDelegateExportTest, ASuccessfulExportShowsTheBannerWithASwatch)
{
    m_delegate->exportColor(Color::sRGB(0, 0, 1), formatNamed(*m_repository, "HEX"));
    ASSERT_EQ(m_banner->shown.size(), 1u);
    EXPECT_EQ(QString::fromStdString(m_banner->shown[0].first).toLower(), "0000ff");
    const QImage& image = m_banner->shown[0].second;
    EXPECT_EQ(image.size(), m_banner->size);
    EXPECT_EQ(image.pixelColor(10, 8), QColor(0, 0, 255));
    // The outline: black at half opacity over the swatch.
    EXPECT_LT(image.pixelColor(0, 8).blue(), 200);

    m_delegate->setUseNotification(false);
    m_delegate->exportColor(Color::sRGB(0, 0, 1), formatNamed(*m_repository, "HEX"));
    EXPECT_EQ(m_banner->shown.size(), 1u);
}

TEST_F(AppDelegateExportTest, ExportingMakesTheFormatCurrentAndStoresOnlyAChange)
{
    m_delegate->exportColor(Color::sRGB(0, 0, 0), formatNamed(*m_repository, "HEX"));
    EXPECT_FALSE(m_settings.stored().contains("exportFormat"));
    m_delegate->exportColor(Color::sRGB(0, 0, 0), formatNamed(*m_repository, "Elsewhere"));
    EXPECT_EQ(m_settings.stored().get("exportFormat"), Value("Elsewhere"));
    EXPECT_EQ(m_delegate->exportFormat()->name(), "Elsewhere");
    // An unknown target delivers nothing.
    EXPECT_EQ(m_banner->shown.size(), 1u);
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->text().toLower(), "000000");
}

TEST_F(AppDelegateExportTest, NoColourExportsNothingAndATemplateWithoutTextLeavesTheClipboard)
{
    m_delegate->exportColor(std::nullopt, formatNamed(*m_repository, "Broken"));
    EXPECT_FALSE(m_settings.stored().contains("exportFormat"));
    QGuiApplication::clipboard()->setText("before");
    m_delegate->exportColor(Color::sRGB(0, 0, 0), formatNamed(*m_repository, "Broken"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    EXPECT_TRUE(m_banner->shown.empty());
}

TEST_F(AppDelegateExportTest, ScriptsRunWithRealLineBreaksAndAFailureShowsNoBanner)
{
    auto runner = std::make_unique<RecordingScriptRunner>();
    RecordingScriptRunner& recorded = *runner;
    m_delegate->setScriptRunner(std::move(runner));
    m_delegate->exportColor(Color::sRGB(1, 0, 0), formatNamed(*m_repository, "Script"));
    ASSERT_EQ(recorded.sources.size(), 1u);
    EXPECT_EQ(QString::fromStdString(recorded.sources[0]).toLower().toStdString(), "tell \\\"ff\\\"\nend");
    EXPECT_EQ(m_banner->shown.size(), 1u);
    recorded.succeeds = false;
    m_delegate->exportColor(Color::sRGB(1, 0, 0), formatNamed(*m_repository, "Script"));
    EXPECT_EQ(m_banner->shown.size(), 1u);
    EXPECT_FALSE(m_delegate->executeOSAScript("x"));
}

TEST_F(AppDelegateExportTest, NextFormatStepsTheDisplayFormatWhenTheOverlayIsDue)
{
    m_defaults->setObject("exportFormat", Value("HEX"));
    m_defaults->setObject("openFormatsAfterPick", Value::boolean(true));
    m_delegate->chooseNextFormat();
    EXPECT_EQ(m_delegate->displayFormat()->name(), "RGB");
    EXPECT_EQ(m_delegate->exportFormat()->name(), "HEX");
    m_defaults->setObject("openFormatsAfterPick", Value::boolean(false));
    m_delegate->choosePrevFormat();
    EXPECT_EQ(m_delegate->exportFormat()->name(), "Elsewhere");
    EXPECT_TRUE(m_delegate->willOpenOverlayAfterPick(0x80000));
    EXPECT_FALSE(m_delegate->willOpenOverlayAfterPick(0));
}

class CommandLineExportTest : public AppDelegateFixture {};

TEST_F(CommandLineExportTest, PrintsTheTextWithoutALineFeedAndEndsWithStatusZero)
{
    const std::string before = m_settings.bytes();
    launch(true, exportFormats());
    EXPECT_EQ(m_repository->exportFormatList()->size(), 4u);
    m_delegate->removeNonClipboardFormats();
    EXPECT_EQ(m_repository->exportFormatList()->size(), 2u);
    m_delegate->exportColor(Color::sRGB(0, 1, 0), formatNamed(*m_repository, "HEX"));
    EXPECT_EQ(QString::fromStdString(m_output.str()).toLower(), "00ff00");
    EXPECT_EQ(m_exitStatus, 0);
    EXPECT_TRUE(m_banner->shown.empty());
    EXPECT_EQ(m_settings.bytes(), before);
}

TEST_F(CommandLineExportTest, NoTextPrintsNothingAndEndsWithStatusOne)
{
    launch(true, exportFormats());
    logging::Capture log;
    m_delegate->exportColor(Color::sRGB(0, 1, 0), formatNamed(*m_repository, "Broken"));
    EXPECT_EQ(m_output.str(), "");
    EXPECT_EQ(m_exitStatus, 1);
    // The user learns which format failed and why.
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines().front(), "The format \"Broken\" gave no text: Parse error at line 1: Unclosed {{#unclosed}} section");
}

TEST_F(CommandLineExportTest, AnOutputThatCannotBeWrittenEndsWithStatusOne)
{
    launch(true, exportFormats());
    m_output.setstate(std::ios::badbit);
    logging::Capture log;
    m_delegate->exportColor(Color::sRGB(0, 1, 0), formatNamed(*m_repository, "HEX"));
    EXPECT_EQ(m_exitStatus, 1);
    EXPECT_TRUE(log.contains("standard output"));
}

TEST_F(CommandLineExportTest, LockedFormatsDoNotCycleAndCommandLineNeverOpensTheOverlay)
{
    launch(true, exportFormats());
    EXPECT_FALSE(m_delegate->willOpenOverlayAfterPick(0x80000));
    m_delegate->chooseNextFormat();
    EXPECT_EQ(m_delegate->exportFormat()->name(), "Broken");
    m_delegate->formats().lockFormats();
    m_delegate->chooseNextFormat();
    EXPECT_EQ(m_delegate->exportFormat()->name(), "Broken");
}

TEST(ColorExporterTest, BannerImageOfNoSizeIsEmptyAndTranslucentColoursShowOverBlackAndWhite)
{
    EXPECT_TRUE(ColorExporter::bannerImage(Color::sRGB(1, 0, 0), QSize()).isNull());
    const QImage image = ColorExporter::bannerImage(Color::sRGB(1, 0, 0, 0.0), QSize(40, 40));
    // Lower left half white, upper right half black.
    EXPECT_EQ(image.pixelColor(5, 35).red(), 255);
    EXPECT_EQ(image.pixelColor(5, 35).green(), 255);
    EXPECT_EQ(image.pixelColor(35, 5).red(), 0);
}

} // namespace
