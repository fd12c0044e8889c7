#include "windows/WelcomeWindowController.h"

#include "windows/MovieModule.h"
#include "windows/WelcomeTourWindow.h"

#include "ui_Welcome.h"

#include "app/picking/AppHotKeys.h"
#include "app/settings/SettingsKey.h"
#include "foundation/Bundle.h"
#include "uikit/application/NJApplication.h"
#include "uikit/shortcuts/NJShortcutView.h"
#include "uikit/application/NamedImage.h"
#include "uikit/views/ViewAdditions.h"
#include "uikit/views/WNJBackgroundView.h"
#include "uikit/views/WNJBasicView.h"
#include "uikit/slideshow/WNJSliderView.h"

#include <QApplication>
#include <QFontInfo>
#include <QLayout>
#include <QPixmapCache>

#include <malloc.h>

namespace {

const QString kAqua = QString::fromLatin1(NJApplication::kAppearanceNameAqua);

// Dark text on white, whatever the application's theme.
QPalette lightPalette()
{
    QPalette palette = QApplication::style() ? QApplication::style()->standardPalette() : QPalette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    return palette;
}

// What the tour's pictures and pages left behind goes back to the system: the pixmaps
// its widgets drew would otherwise stay cached, and the freed heap stay mapped.
void releaseTourMemory()
{
    QPixmapCache::clear();
    malloc_trim(0);
}

QString movieFile()
{
    const auto path = Bundle::main().pathForResource(WelcomeWindowController::kMovieName,
                                                     WelcomeWindowController::kMovieType);
    return path ? QString::fromStdString(path->string()) : QString();
}

} // namespace

const QStringList WelcomeWindowController::kStepCaptions {
    QStringLiteral("Welcome"), QStringLiteral("Workflow"), QStringLiteral("Hi-Precision Mode"),
    QStringLiteral("Theme"), QStringLiteral("Shortcuts"),
};

WelcomeWindowController::WelcomeWindowController(UserDefaults& defaults, std::function<void()> onClose,
                                                 MovieFactory movieFactory)
    : m_defaults(defaults)
    , m_onClose(std::move(onClose))
    , m_movieFactory(std::move(movieFactory))
    , m_ui(std::make_unique<Ui::Welcome>())
    , m_window(new WelcomeTourWindow)
{
    auto* content = new WNJBasicView;
    m_ui->setupUi(content);
    for (QWidget* title : {m_ui->welcomeTitle, m_ui->workflowTitle, m_ui->hiPrecisionTitle, m_ui->themeTitle,
                           m_ui->shortcutsTitle})
        viewadditions::setTitleFont(title, kTitlePixelSize);
    content->setCanMoveWithMouseDown(true);
    m_window->setWindowCaption(m_ui->windowCaption);
    fitPages(content);
    m_window->resize(content->size());
    m_window->setContentView(content);
    m_window->setOnWillClose([this] { windowWillClose(); });
    awakeFromNib();
}

WelcomeWindowController::~WelcomeWindowController()
{
    for (UserDefaults::Token token : m_observers)
        m_defaults.removeObserver(token);
    releaseMovie();
    if (!m_window)
        return;
    containerView()->setOnSlideWillChange({});
    containerView()->setOnSlideDidChange({});
    m_window->setOnWillClose({});
    m_window->hide();
    QObject::connect(m_window, &QObject::destroyed, releaseTourMemory);
    // The window may be inside one of its own handlers.
    m_window->deleteLater();
}

void WelcomeWindowController::fitPages(QWidget* content)
{
    // Larger fonts need more room than the pages were laid out for: the slide area
    // takes what the largest page needs, and the window grows around it.
    const QList<QWidget*> pages {m_ui->step1, m_ui->step2, m_ui->step3, m_ui->step4, m_ui->step5};
    WNJSliderView* slider = containerView();
    content->layout()->activate();
    int width = slider->width();
    for (const QWidget* page : pages)
        width = std::max(width, page->minimumSizeHint().width());
    int height = slider->height();
    for (const QWidget* page : pages)
        height = std::max(height, page->layout()->totalHeightForWidth(width));
    slider->setMinimumSize(width, height);
    content->resize(content->size().expandedTo(content->minimumSizeHint()));
}

void WelcomeWindowController::awakeFromNib()
{
    // The window moves by dragging its background.
    for (WNJBackgroundView* background : pageBackgrounds())
        background->setCanMoveWithMouseDown(true);
    if (!WNJShadowWindow::isFullSizeContentAvailable())
        m_window->addShadowWnd();

    WNJSliderView* slider = containerView();
    slider->setOnSlideWillChange([this](QWidget* current, QWidget* next) { slideWillChange(current, next); });
    slider->setOnSlideDidChange([this](QWidget* displayed) { slideDidChanged(displayed); });

    m_stepViews = {m_ui->step1, m_ui->step2, m_ui->step3, m_ui->step4, m_ui->step5};
    for (QWidget* step : m_stepViews)
        assignBackgroundInView(step);
    slider->setProperty(viewadditions::kAppearanceProperty, kAqua);
    slider->setPalette(lightPalette());
    for (QWidget* step : m_stepViews) {
        step->setProperty(viewadditions::kAppearanceProperty, kAqua);
        slider->addSlide(step);
    }
    for (WNJBackgroundView* background : pageBackgrounds()) {
        background->setBackgroundColor(QColor(Qt::white));
        background->setDrawsBackgroundColor(true);
        assignBackgroundInView(background);
    }

    for (NJShortcutView* recorder : {shortcutPicker(), shortcutOverlay()}) {
        recorder->setIgnoresEnter(true);
        recorder->setEmptyCaption(QString::fromLatin1(kEmptyRecorderCaption));
    }
    shortcutPicker()->setAssociatedUserDefaultsKey(QString::fromLatin1(settingskeys::kPickColorShortCut.name),
                                                   m_defaults);
    shortcutOverlay()->setAssociatedUserDefaultsKey(
        QString::fromLatin1(settingskeys::kColorsAndFormatsShortCut.name), m_defaults);

    NJApplication* app = NJApplication::sharedApplication();
    const bool dark = app && app->systemThemeIsDark();
    themeText()->setText(QString::fromUtf8(kThemeFormat).arg(dark ? QStringLiteral("Dark") : QStringLiteral("Light")));

    setUpMovieStill();

    QLabel* link = linkToShortcuts();
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    link->setOpenExternalLinks(true);
    checkboxUsageStatistics()->setVisible(true);
    const QString page = QString::fromLatin1(kShortcutsPage);
    // Qt colours a link as the theme does when the text is set: on the white page it
    // keeps the light theme's colour.
    const QString linkColor = lightPalette().color(QPalette::Link).name();
    link->setText(stringFromHTML(QStringLiteral("<a href=\"%1\" style=\"color:%2\">%3</a>")
                                     .arg(page, linkColor, QString::fromLatin1(kShortcutsLinkLabel)),
                                 link->font()));
    link->setToolTip(page);

    QObject::connect(buttonPrevious(), &QPushButton::clicked, m_window, [this] { buttonPreviousPressed(); });
    QObject::connect(buttonNext(), &QPushButton::clicked, m_window, [this] { buttonNextPressed(); });
    m_window->setDefaultButton(buttonNext());
    QObject::connect(buttonClose(), &QPushButton::clicked, m_window, [this] { buttonClosedPressed(); });
    bindControls();

    themeChanged();
    slideDidChanged(m_ui->step1);
}

void WelcomeWindowController::setUpMovieStill()
{
    // Stands in for the movie when it cannot play: its first frame.
    m_movieStill = new QLabel(m_ui->movieHiPrecision);
    m_movieStill->setObjectName(QStringLiteral("movieStill"));
    m_movieStill->setAlignment(Qt::AlignCenter);
    m_movieStill->setPixmap(namedImage(QString::fromLatin1(kMovieName)));
    m_movieStill->hide();
    m_ui->movieLayout->addWidget(m_movieStill);
}

void WelcomeWindowController::setUpMovie()
{
    m_player = m_movieFactory ? m_movieFactory() : MovieModule::makePlayer(movieFile());
    if (QWidget* view = m_player->videoView())
        m_ui->movieLayout->insertWidget(0, view);
    m_player->setOnReachedEnd([this] { playerItemDidReachEnd(); });
    m_player->setOnStatusChange([this](MoviePlayer::Status status) { playerStatusChanged(status); });
    if (m_player->status() != MoviePlayer::Status::Unknown) {
        playerStatusChanged(m_player->status());
        return;
    }
    m_movieTimeout = Scheduler::current().schedule(kMovieAnswerTimeout, [this] {
        m_movieTimeout.reset();
        if (m_player->status() == MoviePlayer::Status::Unknown)
            playerStatusChanged(MoviePlayer::Status::Failed);
    });
}

void WelcomeWindowController::releaseMovie()
{
    if (m_movieTimeout)
        Scheduler::current().cancel(*m_movieTimeout);
    m_movieTimeout.reset();
    m_player.reset();
}

void WelcomeWindowController::bindControls()
{
    const auto guarded = [this](const std::function<void()>& block) {
        if (m_updatingControls)
            return;
        m_updatingControls = true;
        block();
        m_updatingControls = false;
    };
    const std::string precisionKey = settingskeys::kActivateHighPrecisionMode.name;
    const std::string trackingKey = settingskeys::kDisableUsageTracking.name;
    const std::string themeKey = settingskeys::kUserInterface.name;
    m_observers.push_back(m_defaults.observe(precisionKey, [this, guarded, precisionKey](const std::string&, const Value&) {
        guarded([&] { hiPrecisionMode()->setCurrentIndex(int(m_defaults.integerForKey(precisionKey))); });
    }));
    m_observers.push_back(m_defaults.observe(trackingKey, [this, guarded, trackingKey](const std::string&, const Value&) {
        guarded([&] { checkboxUsageStatistics()->setChecked(!m_defaults.boolForKey(trackingKey)); });
    }));
    m_observers.push_back(m_defaults.observe(themeKey, [this, guarded, themeKey](const std::string&, const Value&) {
        guarded([&] { m_ui->themeChoice->setCurrentIndex(m_defaults.stringForKey(themeKey) == userinterface::kDark); });
        themeChanged();
    }));
    QObject::connect(hiPrecisionMode(), &QComboBox::currentIndexChanged, m_window, [this, guarded, precisionKey](int index) {
        guarded([&] { m_defaults.setObject(precisionKey, Value::integer(index)); });
    });
    QObject::connect(checkboxUsageStatistics(), &QCheckBox::toggled, m_window, [this, guarded, trackingKey](bool on) {
        guarded([&] { m_defaults.setObject(trackingKey, Value::boolean(!on)); });
    });
    QObject::connect(m_ui->themeChoice, &QComboBox::currentIndexChanged, m_window, [this, guarded, themeKey](int index) {
        guarded([&] {
            m_defaults.setObject(themeKey, Value(std::string_view(index == 1 ? userinterface::kDark : userinterface::kLight)));
        });
    });
}

void WelcomeWindowController::show()
{
    viewadditions::centerOnPrimaryScreen(m_window);
    // The keys start on the way forward: Space on Close would end the tour unasked.
    if (!m_window->isVisible())
        buttonNext()->setFocus(Qt::OtherFocusReason);
    m_window->show();
}

void WelcomeWindowController::activate()
{
    m_window->raise();
    NJApplication::makeKeyWindow(m_window);
}

void WelcomeWindowController::close()
{
    if (m_window)
        m_window->close();
}

bool WelcomeWindowController::isShortcutRecording() const
{
    return shortcutPicker()->isRecording() || shortcutOverlay()->isRecording();
}

bool WelcomeWindowController::cancelShortcutRecording()
{
    const bool recording = isShortcutRecording();
    for (NJShortcutView* recorder : {shortcutPicker(), shortcutOverlay()}) {
        if (recorder->isRecording())
            recorder->resetPressed();
    }
    return recording;
}

void WelcomeWindowController::focusShortcut(const std::string& name)
{
    if (name == AppHotKeys::kOverlayShortcutName)
        focusShortcutOverlay();
    else
        focusShortcutPicker();
}

void WelcomeWindowController::focusShortcutPicker()
{
    shortcutPicker()->setFocus(Qt::OtherFocusReason);
}

void WelcomeWindowController::focusShortcutOverlay()
{
    shortcutOverlay()->setFocus(Qt::OtherFocusReason);
}

void WelcomeWindowController::buttonPreviousPressed()
{
    if (containerView()->indexOfDisplayedSlide() != 0)
        containerView()->displayPreviousSlide();
}

void WelcomeWindowController::buttonNextPressed()
{
    if (containerView()->isLastSlide())
        buttonClosedPressed();
    else
        containerView()->displayNextSlide();
}

void WelcomeWindowController::buttonClosedPressed()
{
    close();
}

void WelcomeWindowController::slideDidChanged(QWidget* displayed)
{
    if (displayed == step3()) {
        // The multimedia stack is loaded only for a tour that reaches its movie.
        if (!m_player)
            setUpMovie();
        m_player->seekToStart();
        m_player->play();
    }
    // The tour waits on the movie's step until the movie can play or has failed.
    buttonNext()->setEnabled(displayed != step3() || m_player->status() != MoviePlayer::Status::Unknown);
    buttonNext()->setText(QString::fromLatin1(containerView()->isLastSlide() ? kFinishTitle : kNextTitle));
    buttonClose()->setVisible(displayed == m_ui->step1);
    buttonPrevious()->setVisible(displayed != m_ui->step1);
    const auto index = std::find(m_stepViews.begin(), m_stepViews.end(), displayed) - m_stepViews.begin();
    if (index < kStepCaptions.size()) {
        const QString caption = QString::fromUtf8(kCaptionFormat).arg(kStepCaptions[index]);
        m_ui->windowCaption->setText(caption);
        m_window->setWindowTitle(caption);
    }
}

void WelcomeWindowController::slideWillChange(QWidget*, QWidget* next)
{
    if (next != step3() && m_player && m_player->isPlaying() && !m_player->hasError()) {
        m_player->seekToStart();
        m_player->pause();
    }
}

void WelcomeWindowController::playerItemDidReachEnd()
{
    if (containerView()->displayedSlide() == step3()) {
        m_player->seekToStart();
        m_player->play();
    }
}

void WelcomeWindowController::playerStatusChanged(MoviePlayer::Status status)
{
    if (status == MoviePlayer::Status::Unknown)
        return;
    if (m_movieTimeout) {
        Scheduler::current().cancel(*m_movieTimeout);
        m_movieTimeout.reset();
    }
    if (status == MoviePlayer::Status::Failed) {
        if (QWidget* view = m_player->videoView())
            view->hide();
        m_movieStill->show();
    }
    buttonNext()->setEnabled(true);
}

void WelcomeWindowController::themeChanged()
{
    const bool dark = m_defaults.stringForKey(settingskeys::kUserInterface.name) == userinterface::kDark;
    imageTheme()->setPixmap(namedImage(QString::fromLatin1(dark ? kDarkThemeImage : kLightThemeImage)));
}

QString WelcomeWindowController::stringFromHTML(const QString& html, const std::optional<QFont>& font)
{
    const QFont used = font ? *font : QApplication::font();
    // The size the font's text is drawn at: larger font settings make a point more than
    // one pixel.
    const int size = QFontInfo(used).pixelSize();
    return QStringLiteral("<span style=\"font-family:'%1'; font-size:%2px;\">%3</span>")
        .arg(used.family())
        .arg(size)
        .arg(html);
}

void WelcomeWindowController::assignBackgroundInView(QWidget* view)
{
    view->setProperty(viewadditions::kAppearanceProperty, kAqua);
    for (QWidget* child : view->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        assignBackgroundInView(child);
        if (auto* text = qobject_cast<QLabel*>(child)) {
            QPalette palette = text->palette();
            palette.setColor(QPalette::WindowText, Qt::black);
            palette.setColor(QPalette::Window, Qt::white);
            text->setPalette(palette);
        }
    }
}

void WelcomeWindowController::windowWillClose()
{
    shortcutPicker()->setAssociatedUserDefaultsKey(QString(), m_defaults);
    shortcutOverlay()->setAssociatedUserDefaultsKey(QString(), m_defaults);
    m_defaults.setObject(settingskeys::kShowWelcomeMessage.name, Value::boolean(false));
    m_defaults.synchronize();
    for (UserDefaults::Token token : std::exchange(m_observers, {}))
        m_defaults.removeObserver(token);
    releaseMovie();
    // Last: the owner may end this controller.
    if (auto onClose = std::exchange(m_onClose, {}))
        onClose();
}

std::array<WNJBackgroundView*, 5> WelcomeWindowController::pageBackgrounds() const
{
    return {m_ui->bkViewStep1, m_ui->bkViewStep2, m_ui->bkViewStep3, m_ui->bkViewStep4, m_ui->bkViewStep5};
}

QWidget* WelcomeWindowController::step3() const
{
    return m_ui->step3;
}

WNJSliderView* WelcomeWindowController::containerView() const
{
    return m_ui->containerView;
}

QPushButton* WelcomeWindowController::buttonPrevious() const
{
    return m_ui->buttonPrevious;
}

QPushButton* WelcomeWindowController::buttonNext() const
{
    return m_ui->buttonNext;
}

QPushButton* WelcomeWindowController::buttonClose() const
{
    return m_ui->buttonClose;
}

QLabel* WelcomeWindowController::themeText() const
{
    return m_ui->themeText;
}

QLabel* WelcomeWindowController::imageTheme() const
{
    return m_ui->imageTheme;
}

QLabel* WelcomeWindowController::linkToShortcuts() const
{
    return m_ui->linkToShortcuts;
}

QWidget* WelcomeWindowController::movieHiPrecision() const
{
    return m_ui->movieHiPrecision;
}

QComboBox* WelcomeWindowController::hiPrecisionMode() const
{
    return m_ui->hiPrecisionMode;
}

QCheckBox* WelcomeWindowController::checkboxUsageStatistics() const
{
    return m_ui->checkboxUsageStatistics;
}

NJShortcutView* WelcomeWindowController::shortcutPicker() const
{
    return m_ui->shortcutPicker;
}

NJShortcutView* WelcomeWindowController::shortcutOverlay() const
{
    return m_ui->shortcutOverlay;
}
