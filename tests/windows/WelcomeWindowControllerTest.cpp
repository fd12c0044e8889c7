#include "windows/WelcomeWindowController.h"
#include "windows/WelcomeTourWindow.h"

#include "app/settings/SettingsKey.h"
#include "app/settings/SettingsStore.h"
#include "tests/uikit/FakeApplicationTest.h"
#include "uikit/shortcuts/NJShortcutView.h"
#include "uikit/slideshow/WNJSliderView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPixmapCache>
#include <QPushButton>
#include <QTest>

namespace {

constexpr unsigned short kKeyX = 7;
constexpr unsigned long kCommand = 0x100000;

// A movie that plays nothing and answers what the test tells it.
class FakeMoviePlayer final : public MoviePlayer {
public:
    FakeMoviePlayer(Status status, int& alive)
        : m_status(status)
        , m_alive(alive)
    {
        ++m_alive;
    }
    ~FakeMoviePlayer() override { --m_alive; }

    QWidget* videoView() const override { return m_view.get(); }
    Status status() const override { return m_status; }
    bool isPlaying() const override { return m_playing; }
    bool hasError() const override { return m_status == Status::Failed; }
    void play() override
    {
        m_playing = true;
        ++plays;
    }
    void pause() override { m_playing = false; }
    void seekToStart() override { position = 0; }
    void setOnStatusChange(StatusChange change) override { m_onStatusChange = std::move(change); }
    void setOnReachedEnd(Block block) override { m_onReachedEnd = std::move(block); }

    void answer(Status status)
    {
        m_status = status;
        m_onStatusChange(status);
    }
    void reachEnd()
    {
        position = 1000;
        m_onReachedEnd();
    }

    int plays = 0;
    int position = 500;

private:
    // Released to the layout that shows it.
    QPointer<QWidget> m_view {new QWidget};
    Status m_status;
    int& m_alive;
    bool m_playing = false;
    StatusChange m_onStatusChange;
    Block m_onReachedEnd;
};

class WelcomeWindowControllerTest : public FakeApplicationTest {
protected:
    void SetUp() override
    {
        FakeApplicationTest::SetUp();
        NJShortcutView::setAlertPresenter([](const QString&, const QString&) {});
    }
    void TearDown() override
    {
        m_controller.reset();
        NJShortcutView::setAlertPresenter(nullptr);
        FakeApplicationTest::TearDown();
    }

    // The movie answers at once when it is made, or when the test tells it.
    void makeTour(MoviePlayer::Status movieStatus = MoviePlayer::Status::Unknown)
    {
        m_controller = std::make_unique<WelcomeWindowController>(
            m_defaults, [this] { ++m_closes; },
            [this, movieStatus] {
                auto player = std::make_unique<FakeMoviePlayer>(movieStatus, m_livePlayers);
                m_player = player.get();
                ++m_playersMade;
                return player;
            });
    }
    // Shows the tour with a movie that can play, as a user would see it.
    void showReadyTour()
    {
        makeTour(MoviePlayer::Status::ReadyToPlay);
        m_controller->show();
    }
    void goToStep(std::size_t index)
    {
        while (m_controller->containerView()->indexOfDisplayedSlide() < index)
            m_controller->buttonNextPressed();
        m_scheduler.advance(1.0);
    }
    QString caption() const { return m_controller->window()->windowCaption()->text(); }

    std::unique_ptr<WelcomeWindowController> m_controller;
    FakeMoviePlayer* m_player = nullptr;
    int m_playersMade = 0;
    int m_livePlayers = 0;
    int m_closes = 0;
};

TEST_F(WelcomeWindowControllerTest, WithoutACompositorTheContentCoversEveryPixelOfTheShape)
{
    showReadyTour();
    const QWidget* window = m_controller->window();
    ASSERT_FALSE(window->mask().isEmpty());
    // A pixel of the shape left to the window's own ground would show its title band.
    int clipped = 0;
    for (const QWidget* child : window->findChildren<QWidget*>()) {
        if (child->mask().isEmpty() || child->size() != window->size())
            continue;
        ++clipped;
        const QRegion bare = window->mask().subtracted(child->mask().translated(child->mapTo(window, QPoint())));
        EXPECT_TRUE(bare.isEmpty()) << bare.boundingRect().x() << "," << bare.boundingRect().y();
    }
    EXPECT_GT(clipped, 0);
}

TEST_F(WelcomeWindowControllerTest, TheBackgroundShowsNowhereBesideTheClippedContent)
{
    m_defaults.setObject(settingskeys::kUserInterface.name, Value(std::string_view("dark")));
    m_app->themeChanged();
    showReadyTour();
    WelcomeTourWindow* window = m_controller->window();
    const QWidget* clipping = nullptr;
    for (const QWidget* child : window->findChildren<QWidget*>()) {
        if (!child->mask().isEmpty() && child->size() == window->size())
            clipping = child;
    }
    ASSERT_NE(clipping, nullptr);
    const QRegion shown = clipping->mask().translated(clipping->mapTo(window, QPoint()));
    // Painted as a compositor shows it, on the panel below the window.
    QImage ground(window->size(), QImage::Format_ARGB32_Premultiplied);
    ground.fill(Qt::transparent);
    QPainter painter(&ground);
    window->fillWindowBackground(painter, QRectF(ground.rect()));
    painter.end();
    int bare = 0;
    for (int y = 0; y < ground.height(); ++y) {
        for (int x = 0; x < ground.width(); ++x)
            bare += qAlpha(ground.pixel(x, y)) > 0 && !shown.contains(QPoint(x, y));
    }
    EXPECT_EQ(bare, 0);
}

TEST_F(WelcomeWindowControllerTest, EachStepShowsItsCaptionAndButtons)
{
    showReadyTour();
    const QStringList captions {"Welcome", "Workflow", "Hi-Precision Mode", "Theme", "Shortcuts"};
    for (std::size_t step = 0; step < 5; ++step) {
        goToStep(step);
        SCOPED_TRACE(step);
        EXPECT_EQ(caption(), QString::fromUtf8("Vendrel \u2013 ") + captions[int(step)]);
        EXPECT_EQ(m_controller->buttonClose()->isVisible(), step == 0);
        EXPECT_EQ(m_controller->buttonPrevious()->isVisible(), step != 0);
        EXPECT_EQ(m_controller->buttonNext()->text(), step == 4 ? "Finish" : "Next step");
    }
    m_controller->buttonPreviousPressed();
    EXPECT_EQ(m_controller->containerView()->indexOfDisplayedSlide(), 3u);
    EXPECT_EQ(caption(), QString::fromUtf8("Vendrel \u2013 Theme"));
}

TEST_F(WelcomeWindowControllerTest, FinishOnTheLastStepClosesOnceAndStoresThatTheTourWasSeen)
{
    showReadyTour();
    goToStep(4);
    EXPECT_FALSE(m_defaults.isStored(settingskeys::kShowWelcomeMessage.name));
    QTest::mouseClick(m_controller->buttonNext(), Qt::LeftButton);
    EXPECT_EQ(m_closes, 1);
    EXPECT_FALSE(m_controller->window()->isVisible());
    EXPECT_TRUE(m_defaults.isStored(settingskeys::kShowWelcomeMessage.name));
    EXPECT_FALSE(m_defaults.boolForKey(settingskeys::kShowWelcomeMessage.name, true));
    UserDefaults reread(m_defaults.filePath());
    EXPECT_FALSE(reread.boolForKey(settingskeys::kShowWelcomeMessage.name, true));
}

TEST_F(WelcomeWindowControllerTest, EscapeAndTheCloseButtonCloseTheTour)
{
    showReadyTour();
    QTest::keyClick(m_controller->window(), Qt::Key_Escape);
    EXPECT_EQ(m_closes, 1);
    m_controller.reset();
    showReadyTour();
    QTest::mouseClick(m_controller->buttonClose(), Qt::LeftButton);
    EXPECT_EQ(m_closes, 2);
}

TEST_F(WelcomeWindowControllerTest, ReturnGoesForwardFromAnyControlButAnOpenPopUp)
{
    showReadyTour();
    WelcomeTourWindow* window = m_controller->window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    // The keys start on the way forward, not on Close.
    EXPECT_EQ(window->focusWidget(), m_controller->buttonNext());
    QTest::keyClick(window->focusWidget(), Qt::Key_Space);
    m_scheduler.advance(1.0);
    EXPECT_EQ(m_controller->containerView()->indexOfDisplayedSlide(), 1u);
    EXPECT_EQ(m_closes, 0);

    m_controller->buttonPrevious()->setFocus();
    QTest::keyClick(m_controller->buttonPrevious(), Qt::Key_Return);
    m_scheduler.advance(1.0);
    EXPECT_EQ(m_controller->containerView()->indexOfDisplayedSlide(), 2u);

    QComboBox* popUp = m_controller->hiPrecisionMode();
    popUp->setFocus();
    QTest::keyClick(popUp, Qt::Key_Enter, Qt::KeypadModifier);
    m_scheduler.advance(1.0);
    EXPECT_EQ(m_controller->containerView()->indexOfDisplayedSlide(), 3u);

    m_controller->buttonPreviousPressed();
    m_scheduler.advance(1.0);
    popUp->setFocus();
    popUp->showPopup();
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
    m_scheduler.advance(1.0);
    EXPECT_EQ(m_controller->containerView()->indexOfDisplayedSlide(), 2u);
}

TEST_F(WelcomeWindowControllerTest, AFocusedButtonShowsARingTheDefaultButtonLacks)
{
    showReadyTour();
    WelcomeTourWindow* window = m_controller->window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    const QColor highlight = window->palette().color(QPalette::Active, QPalette::Highlight);
    // The middle of the left edge, just outside each button.
    const auto besideLeftEdge = [window](const QWidget* button) {
        QCoreApplication::processEvents();
        const QImage shot = window->grab().toImage();
        const QPoint point = button->mapTo(window, QPoint(-2, button->height() / 2));
        return QColor(shot.pixel(point * shot.devicePixelRatio()));
    };
    m_controller->buttonClose()->setFocus();
    EXPECT_EQ(besideLeftEdge(m_controller->buttonClose()), highlight);
    EXPECT_NE(besideLeftEdge(m_controller->buttonNext()), highlight);
    m_controller->buttonNext()->setFocus();
    EXPECT_NE(besideLeftEdge(m_controller->buttonClose()), highlight);
    EXPECT_EQ(besideLeftEdge(m_controller->buttonNext()), highlight);
}

TEST_F(WelcomeWindowControllerTest, TheOwnerMayEndTheControllerWhileItCloses)
{
    m_controller = std::make_unique<WelcomeWindowController>(m_defaults, [this] { m_controller.reset(); }, [this] {
        return std::make_unique<FakeMoviePlayer>(MoviePlayer::Status::Unknown, m_livePlayers);
    });
    m_controller->show();
    m_controller->close();
    EXPECT_EQ(m_controller, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(WelcomeWindowControllerTest, TheCachedPixmapsGoOnceTheTourWindowIsGone)
{
    showReadyTour();
    const QPixmapCache::Key drawn = QPixmapCache::insert(QPixmap(64, 64));
    m_controller->close();
    m_controller.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QPixmap found;
    EXPECT_FALSE(QPixmapCache::find(drawn, &found));
}

TEST_F(WelcomeWindowControllerTest, TheTourWaitsForTheMovieAndGoesOnWhenItCannotPlay)
{
    makeTour();
    goToStep(2);
    EXPECT_FALSE(m_controller->buttonNext()->isEnabled());
    m_player->answer(MoviePlayer::Status::Failed);
    EXPECT_TRUE(m_controller->buttonNext()->isEnabled());
    EXPECT_TRUE(m_player->videoView()->isHidden());
    EXPECT_FALSE(m_controller->movieHiPrecision()->findChild<QLabel*>("movieStill")->isHidden());

    m_controller.reset();
    makeTour();
    goToStep(2);
    m_player->answer(MoviePlayer::Status::ReadyToPlay);
    EXPECT_TRUE(m_controller->buttonNext()->isEnabled());
    EXPECT_FALSE(m_player->videoView()->isHidden());
}

TEST_F(WelcomeWindowControllerTest, AMovieThatNeverAnswersCountsAsFailed)
{
    makeTour();
    goToStep(2);
    m_scheduler.advance(WelcomeWindowController::kMovieAnswerTimeout - 1.1);
    EXPECT_FALSE(m_controller->buttonNext()->isEnabled());
    m_scheduler.advance(0.2);
    EXPECT_TRUE(m_controller->buttonNext()->isEnabled());
    EXPECT_TRUE(m_player->videoView()->isHidden());
}

TEST_F(WelcomeWindowControllerTest, TheMovieIsMadeWhenItsStepFirstShowsAndReleasedWhenTheTourCloses)
{
    makeTour();
    m_controller->show();
    goToStep(1);
    EXPECT_EQ(m_playersMade, 0);
    EXPECT_TRUE(m_controller->buttonNext()->isEnabled());
    goToStep(2);
    EXPECT_EQ(m_playersMade, 1);
    m_player->answer(MoviePlayer::Status::ReadyToPlay);
    goToStep(3);
    m_controller->buttonPreviousPressed();
    EXPECT_EQ(m_playersMade, 1);
    EXPECT_EQ(m_livePlayers, 1);
    m_controller->close();
    EXPECT_EQ(m_livePlayers, 0);
}

TEST_F(WelcomeWindowControllerTest, TheMoviePlaysFromItsStartOnlyWhileItsStepShows)
{
    showReadyTour();
    goToStep(1);
    EXPECT_EQ(m_player, nullptr);
    goToStep(2);
    EXPECT_TRUE(m_player->isPlaying());
    EXPECT_EQ(m_player->position, 0);

    m_player->reachEnd();
    EXPECT_EQ(m_player->position, 0);
    EXPECT_TRUE(m_player->isPlaying());

    m_player->position = 700;
    goToStep(3);
    EXPECT_FALSE(m_player->isPlaying());
    EXPECT_EQ(m_player->position, 0);
    m_player->reachEnd();
    EXPECT_FALSE(m_player->isPlaying());

    const int plays = m_player->plays;
    m_player->position = 300;
    m_controller->buttonPreviousPressed();
    EXPECT_TRUE(m_player->isPlaying());
    EXPECT_EQ(m_player->position, 0);
    EXPECT_EQ(m_player->plays, plays + 1);
}

TEST_F(WelcomeWindowControllerTest, TheThemeSentenceAndPreviewFollowTheTheme)
{
    makeTour();
    EXPECT_EQ(m_controller->themeText()->text(), QString::fromUtf8("We\u2019ve detected you\u2019re using the Light theme."));
    const QImage light = m_controller->imageTheme()->pixmap().toImage();
    m_controller.reset();

    m_platform->themePreference().setDark(true);
    makeTour();
    EXPECT_EQ(m_controller->themeText()->text(), QString::fromUtf8("We\u2019ve detected you\u2019re using the Dark theme."));
    m_defaults.setObject(settingskeys::kUserInterface.name, Value(std::string_view("dark")));
    const QImage dark = m_controller->imageTheme()->pixmap().toImage();
    ASSERT_FALSE(light.isNull());
    ASSERT_FALSE(dark.isNull());
    EXPECT_NE(light, dark);
}

TEST_F(WelcomeWindowControllerTest, TheTourKeepsTheThemeItOpenedInUntilItIsShownAgain)
{
    showReadyTour();
    const auto shades = [this] {
        QImage ground(20, 60, QImage::Format_ARGB32_Premultiplied);
        ground.fill(Qt::transparent);
        QPainter painter(&ground);
        m_controller->window()->fillWindowBackground(painter, QRectF(ground.rect()));
        return std::pair(m_controller->buttonNext()->palette().color(QPalette::Button), ground.pixelColor(10, 20));
    };
    const auto light = shades();
    m_defaults.setObject(settingskeys::kUserInterface.name, Value(std::string_view("dark")));
    m_app->themeChanged();
    QCoreApplication::processEvents();
    ASSERT_TRUE(m_app->darkMode());
    EXPECT_EQ(shades(), light);

    m_controller->window()->hide();
    m_controller->show();
    QCoreApplication::processEvents();
    const auto dark = shades();
    EXPECT_NE(dark.first, light.first);
    EXPECT_NE(dark.second, light.second);
}

TEST_F(WelcomeWindowControllerTest, TheCaptionStandsOnADarkBandInTheDarkTheme)
{
    m_defaults.setObject(settingskeys::kUserInterface.name, Value(std::string_view("dark")));
    m_app->themeChanged();
    showReadyTour();
    QCoreApplication::processEvents();
    WelcomeTourWindow* window = m_controller->window();
    const QImage shot = window->grab().toImage();
    const QLabel* caption = window->windowCaption();
    const QPoint besideText = caption->mapTo(window, QPoint(2, caption->height() / 2));
    EXPECT_GT(qGray(caption->palette().color(QPalette::WindowText).rgb()), 128);
    EXPECT_LT(qGray(shot.pixel(besideText * shot.devicePixelRatio())), 128);
}

TEST_F(WelcomeWindowControllerTest, TheShortcutsLinkStaysDarkOnItsWhitePageInTheDarkTheme)
{
    m_defaults.setObject(settingskeys::kUserInterface.name, Value(std::string_view("dark")));
    m_app->themeChanged();
    showReadyTour();
    goToStep(4);
    ASSERT_TRUE(m_app->darkMode());
    QLabel* link = m_controller->linkToShortcuts();
    QImage shot(link->size(), QImage::Format_RGB32);
    shot.fill(Qt::white);
    link->render(&shot, {}, {}, QWidget::DrawChildren);
    int darkest = 255;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x)
            darkest = std::min(darkest, qGray(shot.pixel(x, y)));
    }
    EXPECT_LT(darkest, 110);
}

TEST_F(WelcomeWindowControllerTest, TheRecordersStayLightOnTheirWhitePageInTheDarkTheme)
{
    m_defaults.setObject(settingskeys::kUserInterface.name, Value(std::string_view("dark")));
    m_app->themeChanged();
    showReadyTour();
    goToStep(4);
    ASSERT_TRUE(m_app->darkMode());
    for (NJShortcutView* recorder : {m_controller->shortcutPicker(), m_controller->shortcutOverlay()}) {
        const QImage shot = recorder->grab().toImage();
        EXPECT_GT(shot.pixelColor(shot.width() / 2, shot.height() / 2).lightness(), 200);
    }
}

TEST_F(WelcomeWindowControllerTest, TheRecordersWriteTheShortcutKeysOnlyWhileTheTourIsOpen)
{
    showReadyTour();
    EXPECT_EQ(m_controller->shortcutPicker()->emptyCaption(), "Click to record shortcut");
    EXPECT_TRUE(m_controller->shortcutOverlay()->ignoresEnter());
    m_controller->shortcutPicker()->setShortcutValue(NJShortcut(kKeyX, kCommand));
    EXPECT_TRUE(m_defaults.isStored(settingskeys::kPickColorShortCut.name));
    const Value stored = m_defaults.objectForKey(settingskeys::kPickColorShortCut.name);

    NJShortcutView* overlay = m_controller->shortcutOverlay();
    QPointer<NJShortcutView> picker = m_controller->shortcutPicker();
    m_controller->close();
    picker->setShortcutValue(std::nullopt);
    overlay->setShortcutValue(NJShortcut(kKeyX, kCommand));
    EXPECT_EQ(m_defaults.objectForKey(settingskeys::kPickColorShortCut.name), stored);
    EXPECT_FALSE(m_defaults.isStored(settingskeys::kColorsAndFormatsShortCut.name));
}

TEST_F(WelcomeWindowControllerTest, ARecordingIsCancelledAndTheNamedRecorderFocused)
{
    showReadyTour();
    goToStep(4);
    EXPECT_FALSE(m_controller->cancelShortcutRecording());
    m_controller->shortcutOverlay()->setRecording(true);
    EXPECT_TRUE(m_controller->isShortcutRecording());
    EXPECT_TRUE(m_controller->cancelShortcutRecording());
    EXPECT_FALSE(m_controller->isShortcutRecording());

    m_controller->focusShortcut("Overlay");
    EXPECT_EQ(m_controller->window()->focusWidget(), m_controller->shortcutOverlay());
    m_controller->focusShortcut("PickerColor");
    EXPECT_EQ(m_controller->window()->focusWidget(), m_controller->shortcutPicker());
}

TEST_F(WelcomeWindowControllerTest, ThePopUpsAndTheCheckBoxEditTheirSettings)
{
    m_defaults.setObject(settingskeys::kActivateHighPrecisionMode.name, Value::integer(2));
    makeTour();
    EXPECT_EQ(m_controller->hiPrecisionMode()->currentIndex(), 2);
    EXPECT_TRUE(m_controller->checkboxUsageStatistics()->isChecked());
    EXPECT_FALSE(m_controller->checkboxUsageStatistics()->isHidden());

    m_controller->hiPrecisionMode()->setCurrentIndex(1);
    EXPECT_EQ(m_defaults.integerForKey(settingskeys::kActivateHighPrecisionMode.name), 1);
    m_controller->checkboxUsageStatistics()->setChecked(false);
    EXPECT_TRUE(m_defaults.boolForKey(settingskeys::kDisableUsageTracking.name));
    m_defaults.setObject(settingskeys::kDisableUsageTracking.name, Value::boolean(false));
    EXPECT_TRUE(m_controller->checkboxUsageStatistics()->isChecked());
}

TEST_F(WelcomeWindowControllerTest, UsageStatisticsAreOffForANewUser)
{
    m_defaults.registerDefaults(SettingsStore::readBundleDefaults());
    makeTour();
    EXPECT_FALSE(m_controller->checkboxUsageStatistics()->isChecked());
}

TEST_F(WelcomeWindowControllerTest, TheShortcutsLinkUsesTheFieldsFontAndShowsItsAddress)
{
    makeTour();
    QLabel* link = m_controller->linkToShortcuts();
    EXPECT_EQ(link->toolTip(), WelcomeWindowController::kShortcutsPage);
    EXPECT_TRUE(link->text().contains(QString("<a href=\"%1\"").arg(WelcomeWindowController::kShortcutsPage)));
    EXPECT_TRUE(link->text().contains(">View all keyboard shortcuts</a>"));
    QFont font("Sans");
    font.setPixelSize(13);
    EXPECT_EQ(WelcomeWindowController::stringFromHTML("<b>x</b>", font),
              "<span style=\"font-family:'Sans'; font-size:13px;\"><b>x</b></span>");
}

} // namespace
