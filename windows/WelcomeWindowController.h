#pragma once

#include "app/windows/WelcomeWindow.h"
#include "windows/MoviePlayer.h"
#include "windows/ProgramWindowTitle.h"
#include "windows/WelcomeTourWindow.h"

#include "foundation/Scheduler.h"
#include "foundation/UserDefaults.h"

#include <QFont>
#include <QLabel>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class NJShortcutView;
class QCheckBox;
class QComboBox;
class QPushButton;
class QWidget;
class WNJBackgroundView;
class WNJSliderView;
namespace Ui {
class Welcome;
}

// The five-step welcome tour: what the program does, the workflow, high-precision mode
// with its looping movie, the theme and the two shortcut recorders. Closing it stores
// that it was seen, unbinds the recorders and tells the owner.
class WelcomeWindowController final : public WelcomeWindow {
public:
    using MovieFactory = std::function<std::unique_ptr<MoviePlayer>()>;

    static constexpr const char* kCaptionFormat = programwindowtitle::kFormat;
    static constexpr const char* kThemeFormat = "We\u2019ve detected you\u2019re using the %1 theme.";
    static constexpr int kTitlePixelSize = 17;
    static constexpr const char* kFinishTitle = "Finish";
    static constexpr const char* kNextTitle = "Next step";
    static constexpr const char* kEmptyRecorderCaption = "Click to record shortcut";
    static constexpr const char* kShortcutsLinkLabel = "View all keyboard shortcuts";
    static constexpr const char* kShortcutsPage = "https://vendrel.org/help/keyboard-shortcuts";
    static constexpr const char* kDarkThemeImage = "overlay-default_dark";
    static constexpr const char* kLightThemeImage = "overlay-default_light";
    static constexpr const char* kMovieName = "Hi-Precision-Movie";
    static constexpr const char* kMovieType = "mov";
    // A backend that never answers counts as failed after this long.
    static constexpr double kMovieAnswerTimeout = 5.0;
    static const QStringList kStepCaptions;

    // onClose runs when the window closes, last of all: it may end the controller.
    // The movie comes from the factory; without one, from the bundle through the movie
    // module. It is made when its step first shows and released when the tour closes.
    WelcomeWindowController(UserDefaults& defaults, std::function<void()> onClose, MovieFactory movieFactory = {});
    ~WelcomeWindowController() override;

    // WelcomeWindow.
    void show() override;
    void activate() override;
    void close() override;
    bool cancelShortcutRecording() override;
    void focusShortcut(const std::string& name) override;

    bool isShortcutRecording() const;
    void focusShortcutPicker();
    void focusShortcutOverlay();

    void buttonPreviousPressed();
    void buttonNextPressed();
    void buttonClosedPressed();
    void themeChanged();
    // The html in a span of the font's family and the pixel size its text is drawn at.
    static QString stringFromHTML(const QString& html, const std::optional<QFont>& font);
    static void assignBackgroundInView(QWidget* view);

    WelcomeTourWindow* window() const { return m_window; }
    WNJSliderView* containerView() const;
    const std::vector<QWidget*>& stepViews() const { return m_stepViews; }
    QPushButton* buttonPrevious() const;
    QPushButton* buttonNext() const;
    QPushButton* buttonClose() const;
    QLabel* themeText() const;
    QLabel* imageTheme() const;
    QLabel* linkToShortcuts() const;
    QWidget* movieHiPrecision() const;
    QComboBox* hiPrecisionMode() const;
    QCheckBox* checkboxUsageStatistics() const;
    NJShortcutView* shortcutPicker() const;
    NJShortcutView* shortcutOverlay() const;
    MoviePlayer* player() const { return m_player.get(); }

private:
    void fitPages(QWidget* content);
    void awakeFromNib();
    void setUpMovieStill();
    void setUpMovie();
    void releaseMovie();
    void bindControls();
    void slideWillChange(QWidget* current, QWidget* next);
    void slideDidChanged(QWidget* displayed);
    void playerItemDidReachEnd();
    void playerStatusChanged(MoviePlayer::Status status);
    void windowWillClose();
    std::array<WNJBackgroundView*, 5> pageBackgrounds() const;
    QWidget* step3() const;

    UserDefaults& m_defaults;
    std::function<void()> m_onClose;
    MovieFactory m_movieFactory;
    std::unique_ptr<Ui::Welcome> m_ui;
    QPointer<WelcomeTourWindow> m_window;
    std::vector<QWidget*> m_stepViews;
    std::unique_ptr<MoviePlayer> m_player;
    QPointer<QLabel> m_movieStill;
    std::vector<UserDefaults::Token> m_observers;
    std::optional<Scheduler::TimerId> m_movieTimeout;
    bool m_updatingControls = false;
};
