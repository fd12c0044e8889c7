#include "QVOverlayWindow.h"

#include "ui_QVOverlayWindow.h"

#include "app/AppDelegate.h"
#include "app/settings/SettingsKey.h"
#include "formats/QVFormatRepository.h"
#include "formats/processor/QVFormatProcessor.h"
#include "foundation/Scheduler.h"
#include "overlay/NJColorPanel.h"
#include "overlay/NJColorPickerViewController.h"
#include "overlay/NJFormatTableView.h"
#include "overlay/NJSearchArrayController.h"
#include "overlay/NJSwatchesController.h"
#include "platform/Platform.h"
#include "platform/WindowInput.h"
#include "uikit/shortcuts/KeyShortcut.h"
#include "uikit/application/NJApplication.h"
#include "uikit/application/NamedImage.h"
#include "uikit/application/QtColor.h"
#include "uikit/application/ThemeColors.h"
#include "uikit/views/ViewAdditions.h"
#include "uikit/swatches/WNJIndicatorCollectionView.h"
#include "uikit/views/WNJRoundedView.h"
#include "uikit/views/WNJSlimScroller.h"
#include "uikit/windows/WNJVisualEffectWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QShortcut>

namespace {

constexpr int kDownwards = 270;
constexpr double kStrokeAlpha = 0.125;
constexpr double kGradientAlpha = 0.75;

QColor white(double white, double alpha)
{
    return QColor::fromRgbF(static_cast<float>(white), static_cast<float>(white), static_cast<float>(white),
                            static_cast<float>(alpha));
}

void setIcon(QToolButton* button, const QString& name)
{
    const QPixmap image = namedImage(name);
    button->setIcon(QIcon(image));
    if (!image.isNull())
        button->setIconSize(image.deviceIndependentSize().toSize());
}

QString themed(const char* name)
{
    return QString::fromLatin1(name) + (themecolors::darkMode() ? QStringLiteral("-inv") : QString());
}

} // namespace

QVOverlayWindow::QVOverlayWindow(AppDelegate& delegate, const QVFormatRepository& repository)
    : WNJVisualEffectWindow(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_delegate(delegate)
    , m_repository(repository)
    , m_ui(std::make_unique<Ui::QVOverlayWindow>())
{
    setObjectName(QStringLiteral("overlayWindow"));
    setWindowTitle(QString::fromLatin1(kWindowTitle));
    setupUI();
}

QVOverlayWindow::~QVOverlayWindow()
{
    removeSelectionListeners();
    // Out of the list it has no parent to delete it.
    delete m_ui->noMatchingFormatLabel;
}

void QVOverlayWindow::setupUI()
{
    if (m_initialized)
        return;
    m_initialized = true;
    m_content = new QWidget;
    m_ui->setupUi(m_content);
    m_ui->noMatchingFormatLabel->setAlignment(Qt::AlignCenter);
    m_ui->noMatchingFormatLabel->setParent(nullptr);
    m_ui->containerLayout->insertSpacing(m_ui->containerLayout->indexOf(m_ui->formatContainerView),
                                         -kContainerOverlap);
    m_formatController = std::make_unique<NJSearchArrayController>(m_repository);
    createSwatchesController();

    NJFormatTableView* table = m_ui->formatTableView;
    QPointer<QVOverlayWindow> self(this);
    table->setOnFormatClick([self] {
        if (self)
            self->exportWithSelectedFormat();
    });
    table->setContentController(m_formatController.get());
    table->setHasSelectedColor([self] { return self && self->hasSelectedColor(); });

    table->setOverlayScroller(new WNJSlimScroller(Qt::Vertical));
    for (WNJRoundedView* navigation : {m_ui->formatsNavigationView, m_ui->colorPanelNavigationView}) {
        navigation->setRoundedCorners(0);
        navigation->setDrawsBackgroundColor(false);
        navigation->setCanMoveWithMouseDown(true);
        // The gradients run from the top edge down.
        navigation->setAngle(kDownwards);
    }
    viewadditions::embedView(m_ui->swatchesContainerView, m_ui->emptyHistoryView);
    viewadditions::embedView(m_ui->navigationContainerView, m_ui->formatsNavigationView);
    m_ui->colorPanelNavigationView->hide();
    m_ui->linkSearchField->installEventFilter(this);
    m_ui->formatTableView->installEventFilter(this);
    connect(m_ui->linkSearchField, &QLineEdit::textEdited, this, [this] { controlTextDidChange(); });
    m_searchButton = m_ui->linkSearchField->addAction(QIcon(), QLineEdit::LeadingPosition);
    m_cancelButton = m_ui->linkSearchField->addAction(QIcon(), QLineEdit::TrailingPosition);
    m_cancelButton->setVisible(false);
    m_cancelButton->setIcon(QIcon(namedImage(QStringLiteral("close"))));
    connect(m_ui->linkSearchField, &QLineEdit::textChanged, m_cancelButton,
            [this](const QString& text) { m_cancelButton->setVisible(!text.isEmpty()); });
    connect(m_cancelButton, &QAction::triggered, this, [this] {
        m_ui->linkSearchField->clear();
        controlTextDidChange();
    });
    connect(m_ui->pickerButton, &QToolButton::clicked, this, [this] { showPicker(); });
    // The key equivalents the swatch tooltips announce: Command-F and Control-F.
    connect(new QShortcut(QKeySequence(Qt::META | Qt::Key_F), this), &QShortcut::activated, this,
            [this] { toggleHistory(); });
    // The colour-editor and close buttons' key equivalent, Command-Return.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        connect(new QShortcut(QKeySequence(Qt::META | key), this), &QShortcut::activated, this,
                [this] { toggleColorPanel(); });
    }
    connect(m_ui->colorPanelButton, &QToolButton::clicked, this, [this] { toggleColorPanel(); });
    connect(m_ui->colorPanelCloseButton, &QToolButton::clicked, this, [this] { toggleColorPanel(); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this), &QShortcut::activated, this,
            [this] { toggleCurrentColorFavorite(); });
    setContentView(m_content);
    resize(m_content->sizeHint().width(), height());
    initializeAppearance();
    resizeWindowToMaximum();
}

void QVOverlayWindow::setFormatProcessor(QVFormatProcessor* processor)
{
    m_formatProcessor = processor;
    m_ui->formatTableView->setFormatProcessor(processor);
}

NJFormatTableView* QVOverlayWindow::formatTableView() const
{
    return m_ui->formatTableView;
}

QLineEdit* QVOverlayWindow::linkSearchField() const
{
    return m_ui->linkSearchField;
}

QLabel* QVOverlayWindow::noMatchingFormatLabel() const
{
    return m_ui->noMatchingFormatLabel;
}

QWidget* QVOverlayWindow::emptyHistoryView() const
{
    return m_ui->emptyHistoryView;
}

QToolButton* QVOverlayWindow::pickerButton() const
{
    return m_ui->pickerButton;
}

QToolButton* QVOverlayWindow::colorPanelButton() const
{
    return m_ui->colorPanelButton;
}

QToolButton* QVOverlayWindow::colorPanelCloseButton() const
{
    return m_ui->colorPanelCloseButton;
}

void QVOverlayWindow::createSwatchesController()
{
    if (m_swatchesController)
        return;
    m_swatchesController = new NJSwatchesController(m_delegate);
    viewadditions::embedView(m_ui->swatchesContainerView, m_swatchesController);
    m_swatchesController->setupUI();
    QPointer<QVOverlayWindow> self(this);
    for (WNJIndicatorCollectionView* strip :
         {m_swatchesController->historyCollectionView(), m_swatchesController->favoriteCollectionView()}) {
        strip->setOnDoubleClick([self] {
            if (self)
                self->exportWithSelectedFormat();
        });
        strip->setOnAlternativeActionClick([self](WNJIndicatorCollectionView&) {
            if (self && !self->colorPanelVisible())
                self->toggleColorPanel();
        });
    }
}

void QVOverlayWindow::updateSwatchesState()
{
    const bool has = !m_swatchesController->historyColors().empty() || m_delegate.hasHistoryColors();
    m_ui->emptyHistoryView->setHidden(has);
    m_swatchesController->setHidden(!has);
}

bool QVOverlayWindow::hasSelectedColor() const
{
    if (!m_swatchesController)
        return false;
    const WNJIndicatorCollectionView* strip = m_swatchesController->activeCollectionView();
    return strip && !strip->content().empty() && !strip->selectionIndexes().empty();
}

Color QVOverlayWindow::selectedColor() const
{
    if (!hasSelectedColor())
        return Color::sRGB(0, 0, 0, 0);
    const WNJIndicatorCollectionView* strip = m_swatchesController->activeCollectionView();
    const std::size_t index = strip->selectionIndexes().front();
    // The index is checked against the list: a shrunk list has no colour there.
    return index < strip->content().size() ? strip->content()[index] : Color::sRGB(0, 0, 0, 0);
}

void QVOverlayWindow::addSelectionListeners()
{
    if (m_selectionListening)
        return;
    m_selectionListening = true;
    m_favoriteListener = connect(m_swatchesController->favoriteCollectionView(),
                                 &WNJIndicatorCollectionView::selectionIndexesChanged, this,
                                 [this] { activeStripSelectionChanged(); });
    m_historyListener = connect(m_swatchesController->historyCollectionView(),
                                &WNJIndicatorCollectionView::selectionIndexesChanged, this,
                                [this] { activeStripSelectionChanged(); });
    // As an observer registered for the initial value: the current selection counts.
    activeStripSelectionChanged();
}

void QVOverlayWindow::removeSelectionListeners()
{
    if (!m_selectionListening)
        return;
    disconnect(m_favoriteListener);
    disconnect(m_historyListener);
    m_selectionListening = false;
}

void QVOverlayWindow::activeStripSelectionChanged()
{
    if (sender() && sender() != m_swatchesController->activeCollectionView())
        return;
    // A colour set from code is not reported by the panel, so nothing comes back here.
    if (!m_blockUpdate && colorPanelVisible())
        NJColorPanel::sharedColorPanel().setColor(qtcolor::fromColor(selectedColorAsSRGB()));
    // A burst of changes in one turn renders once, when the loop is idle.
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QPointer<QVOverlayWindow> self(this);
    Scheduler::current().post([self] {
        if (!self)
            return;
        self->m_refreshPending = false;
        self->updateFormatLists();
    });
}

void QVOverlayWindow::updateFormatLists()
{
    if (!hasSelectedColor())
        return;
    if (m_formatProcessor)
        m_formatProcessor->updateColorValuesWithColor(selectedColor());
    NJFormatTableView* table = m_ui->formatTableView;
    table->renderFormats();
    if (const auto row = table->selectedRow())
        table->selectRowIndexes({*row});
}

void QVOverlayWindow::updateToolTips()
{
    QString shortcut;
    if (const auto archive = m_delegate.settings().data(settingskeys::kPickColorShortCut)) {
        if (const auto recorded = KeyShortcut::shortcutWithData(*archive)) {
            // Key names ("F5", "Space") read as they are; a key equivalent would print
            // a private-use character for them.
            QString key = QString::fromStdString(recorded->keyCodeString());
            if (key.size() == 1)
                key = key.toUpper();
            shortcut = QString::fromStdString(recorded->modifierFlagsString()) + key;
        }
    }
    const StatusMenu* menu = m_delegate.statusMenu();
    const QString title = menu ? QString::fromStdString(menu->pickColorMenuItemTitle()) : QString();
    m_ui->pickerButton->setToolTip(shortcut.isEmpty() ? title : QStringLiteral("%1 (%2)").arg(title, shortcut));
    m_ui->colorPanelButton->setToolTip(QString::fromUtf8(kColorPanelToolTip));
}

void QVOverlayWindow::reselectCurrentFormat()
{
    NJFormatTableView* table = m_ui->formatTableView;
    if (m_formatController->content().empty())
        return;
    std::size_t index = 0;
    if (const auto& format = m_delegate.exportFormat())
        index = m_repository.getExportFormatIndex(*format).value_or(0);
    m_formatController->setSelectionIndex(index);
    if (const auto row = table->selectedRow())
        table->scrollToRow(*row);
}

void QVOverlayWindow::makeKeyAndOrderFront()
{
    resetFilterSearch(true);
    resizeWindowToMaximum();
    updateToolTips();
    reselectCurrentFormat();
    createSwatchesController();
    updateSwatchesState();
    NJFormatTableView* table = m_ui->formatTableView;
    table->scrollToSelection(kMaxVisibleRows);
    m_swatchesController->updateButtonState(0);
    m_swatchesController->initializeAppearance();
    addCustomWindowShadow(m_content);
    show();
    raise();
    NJApplication::makeKeyWindow(this);
    table->setFocus();
    addSelectionListeners();
    hideColorPanel(QRectF());
    m_colorsInvalid = false;
    // Slow custom formats can take seconds: the keys typed after the hot key reach the
    // panel first.
    QPointer<QVOverlayWindow> self(this);
    const auto render = [self] {
        if (self && self->isVisible())
            self->m_ui->formatTableView->renderFormats();
    };
    if (NJApplication* app = NJApplication::sharedApplication(); app && app->hasPlatform())
        app->platform().windowInput().whenFocusSettled(render);
    else
        render();
}

void QVOverlayWindow::orderOut()
{
    removeSelectionListeners();
    m_delegate.saveSettings();
    m_swatchesController->showHistory();
    hide();
    resizeWindowToMaximum();
    m_swatchesController->clearAllItems();
    m_colorsInvalid = true;
    m_formatController->setContent({});
    m_ui->formatTableView->reloadData();
}

bool QVOverlayWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate)
        resignKeyWindow();
    return WNJVisualEffectWindow::event(event);
}

void QVOverlayWindow::resignKeyWindow()
{
    // X11 reports the loss of focus before the new window is active: judge a turn later.
    QPointer<QVOverlayWindow> self(this);
    Scheduler::current().post([self] {
        if (!self || !self->isVisible() || self->isActiveWindow())
            return;
        const QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->parentWidget() && modal->parentWidget()->window() == self.data())
            return;
        const QWidget* active = QApplication::activeWindow();
        if (active && active->objectName() != QLatin1String("preferencesWindow"))
            return;
        self->hideColorPanel(QRectF());
        Scheduler::current().post([self] {
            if (self)
                self->m_delegate.hideOverlay();
        });
    });
}

bool QVOverlayWindow::exportWithSelectedFormat()
{
    if (!hasSelectedColor()) {
        m_delegate.showPicker(this);
        return false;
    }
    // What was typed last counts, however far its filtering got.
    settleFilterSearch();
    const auto& format = m_ui->formatTableView->selectedFormat();
    if (m_formatController->content().empty() || !format)
        return false;
    m_delegate.exportColor(selectedColor(), *format);
    AppDelegate* delegate = &m_delegate;
    Scheduler::current().post([delegate] {
        Scheduler::current().schedule(kHideAfterExport, [delegate] { delegate->hideOverlay(); });
    });
    return true;
}

void QVOverlayWindow::showPicker()
{
    AppDelegate* delegate = &m_delegate;
    Scheduler::current().schedule(kShowPickerDelay, [delegate] { delegate->showPicker(delegate); });
}

void QVOverlayWindow::toggleCurrentColorFavorite()
{
    m_swatchesController->toggleCurrentColorFavorite();
}

bool QVOverlayWindow::isSearchFirstResponder() const
{
    return m_ui->linkSearchField->hasFocus();
}

void QVOverlayWindow::initializeAppearance()
{
    m_ui->formatTableView->initializeAppearance();
    const bool dark = themecolors::darkMode();
    // Without vibrancy the gradients are more opaque: nothing blurs behind them.
    const double e = WNJVisualEffectWindow::useVisualEffectView() ? 0.0 : 0.25;
    WNJRoundedView* formats = m_ui->formatsNavigationView;
    WNJRoundedView* colorPanel = m_ui->colorPanelNavigationView;
    formats->setProperty(viewadditions::kAppearanceProperty, m_content->property(viewadditions::kAppearanceProperty));
    colorPanel->setProperty(viewadditions::kAppearanceProperty, QString::fromLatin1(NJApplication::kAppearanceNameAqua));
    formats->initializeAppearance();
    colorPanel->initializeAppearance();
    const double formatsWhite = dark ? 0.1 : 1.0;
    formats->setStartingColor(white(formatsWhite, kGradientAlpha + e));
    formats->setEndingColor(white(formatsWhite, e));
    formats->setBottomStrokeColor(white(dark ? 1.0 : 0.0, kStrokeAlpha));
    const double colorPanelWhite = dark ? 0.15 : 1.0;
    colorPanel->setStartingColor(white(colorPanelWhite, kGradientAlpha + e));
    colorPanel->setEndingColor(white(colorPanelWhite, dark && !WNJVisualEffectWindow::useVisualEffectView() ? e + 0.5 : e));
    colorPanel->setBottomStrokeColor(white(dark ? 1.0 : 0.0, kStrokeAlpha));
    colorPanel->update();
    setIcon(m_ui->pickerButton, themed("loupe"));
    setIcon(m_ui->colorPanelButton, themed("colorPanel"));
    setIcon(m_ui->colorPanelCloseButton, themed("close"));
    m_searchButton->setIcon(QIcon(namedImage(themed("search"))));
    // Without vibrancy the dark theme keeps the cancel button's image as it was.
    if (!dark || WNJVisualEffectWindow::useVisualEffectView())
        m_cancelButton->setIcon(QIcon(namedImage(themed("close"))));
    m_ui->startLoupeIcon->setPixmap(namedImage(themed("loupe")));
    m_ui->startColorPanelIcon->setPixmap(namedImage(themed("colorPanel")));
    const QColor text = dark ? QColor(Qt::white) : QApplication::palette().color(QPalette::Text);
    for (QWidget* label : {static_cast<QWidget*>(m_ui->startInfoLabel), static_cast<QWidget*>(m_ui->noMatchingFormatLabel)}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, text);
        label->setPalette(palette);
    }
    QPalette field = m_ui->linkSearchField->palette();
    field.setColor(QPalette::Text, text);
    field.setColor(QPalette::PlaceholderText, QColor(Qt::lightGray));
    // The navigation gradient shows through the field.
    field.setColor(QPalette::Base, Qt::transparent);
    m_ui->linkSearchField->setPalette(field);
    m_ui->linkSearchField->setPlaceholderText(QString::fromLatin1(kPlaceholder));
    m_ui->formatsNavigationView->update();
    m_ui->linkSearchField->update();
    if (m_pickerController) {
        m_pickerController->setAppearance(m_content->property(viewadditions::kAppearanceProperty).toString());
        themeMagnifier();
    }
    if (m_swatchesController)
        m_swatchesController->initializeAppearance();
}

void QVOverlayWindow::themeMagnifier()
{
    const QIcon image(namedImage(themed("loupe-18")));
    for (QAbstractButton* button :
         m_pickerController->colorPanelView()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
        if (!button->icon().isNull())
            button->setIcon(image);
    }
}

void QVOverlayWindow::applicationAppearanceDidChange()
{
    WNJVisualEffectWindow::applicationAppearanceDidChange();
    initializeAppearance();
    updateShadowWindow();
}
