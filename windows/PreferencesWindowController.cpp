#include "PreferencesWindowController.h"

#include "app/settings/SettingsKey.h"
#include "app/settings/SettingsStore.h"
#include "formats/QVDisplayFormatNameTransformer.h"
#include "formats/QVExportFormatNameTransformer.h"
#include "formats/QVFormatRepository.h"
#include "formats/processor/QVFormatProcessor.h"
#include "loupe/QVLensBase.h"
#include "uikit/application/NJApplication.h"
#include "uikit/shortcuts/NJKey.h"
#include "uikit/shortcuts/NJShortcutView.h"
#include "uikit/shortcuts/ShortcutColors.h"
#include "uikit/slideshow/WNJSliderCell.h"
#include "uikit/views/ViewAdditions.h"
#include "windows/AppPreferencesHost.h"
#include "windows/DefaultsBinding.h"
#include "windows/QVFormatThemeTransformer.h"
#include "windows/QVOddFloatTransformer.h"
#include "windows/QVPreferenceWindow.h"

#include "ui_AppearancePreferencePane.h"
#include "ui_CodeStylePreferencePane.h"
#include "ui_GeneralPreferencePane.h"

#include <QButtonGroup>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kOptionPinchInfo = "Alt+Pinch Zoom\nScroll";
constexpr const char* kOptionScrollInfo = "Pinch Zoom\nAlt+Scroll";
constexpr const char* kCopiesDirectlyInfo = "Alt+Click copies directly to Clipboard";
constexpr const char* kOpensOverlayInfo = "Alt+Click opens Colors & Formats Dialog";
constexpr const char* kFavoritesInfo = "Pressing Alt will show recently favorited colors";
constexpr const char* kHistoryInfo = "Pressing Alt will show recently picked colors";

constexpr const char* kHexExample = "{{hexColor(color)}}";
constexpr const char* kCssExample = "{{csshexColor(color)}}";
constexpr const char* kFloatExample = "{{decimal(color, rgba.r)}}";
constexpr const char* kWhiteSpaceExample =
    "red:{{kvcDecimal(color, rgba.r)}}{{separator(comma)}}green:{{kvcDecimal(color, rgba.g)}}";

template <class Transformer>
std::shared_ptr<const ValueTransformer> transformer()
{
    if constexpr (std::is_base_of_v<ValueTransformer, Transformer>)
        return std::make_shared<const Transformer>();
    else
        return std::make_shared<const ValueTransformerAdapter<Transformer>>();
}

void fillFormatNames(QComboBox* combo, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        combo->addItem(QString::fromStdString(name));
}

} // namespace

PreferencesWindowController::PreferencesWindowController(UserDefaults& defaults, std::unique_ptr<PreferencesHost> host)
    : m_defaults(defaults)
    , m_host(std::move(host))
    , m_generalUi(std::make_unique<Ui::GeneralPreferencePane>())
    , m_appearanceUi(std::make_unique<Ui::AppearancePreferencePane>())
    , m_codestyleUi(std::make_unique<Ui::CodeStylePreferencePane>())
{
    m_general = new QWidget(window());
    m_generalUi->setupUi(m_general);
    m_appearance = new QWidget(window());
    m_appearanceUi->setupUi(m_appearance);
    m_codestyle = new QWidget(window());
    m_codestyleUi->setupUi(m_codestyle);
    // The fields' widths are drawn for 96 dpi; larger fonts need them wider.
    for (QWidget* field : m_codestyle->findChildren<QWidget*>()) {
        if (field->maximumWidth() < QWIDGETSIZE_MAX)
            field->setMaximumWidth(viewadditions::scaledPixelSize(field->maximumWidth(), field));
    }
    for (QWidget* pane : {m_general.data(), m_appearance.data(), m_codestyle.data()})
        pane->hide();
    awakeFromNib();
}

PreferencesWindowController::~PreferencesWindowController()
{
    removeListeners();
    for (const UserDefaults::Token token : m_infoTokens)
        m_defaults.removeObserver(token);
}

std::shared_ptr<PreferencesWindow> PreferencesWindowController::make(AppDelegate& delegate, UserDefaults& defaults)
{
    return std::make_shared<PreferencesWindowController>(defaults, std::make_unique<AppPreferencesHost>(delegate));
}

NJShortcutView* PreferencesWindowController::shortcutPicker() const
{
    return m_generalUi->shortcutPicker;
}

NJShortcutView* PreferencesWindowController::shortcutOverlay() const
{
    return m_generalUi->shortcutOverlay;
}

WNJSliderCell* PreferencesWindowController::captureSlider() const
{
    return m_appearanceUi->captureSlider;
}

void PreferencesWindowController::awakeFromNib()
{
    m_binding = new DefaultsBinding(m_defaults, SettingsStore::readBundleDefaults(), this);
    m_formatProcessor = std::make_unique<QVFormatProcessor>();
    m_formatProcessor->applyPreferences(m_defaults);
    shortcutPicker()->setAssociatedUserDefaultsKey(settingskeys::kPickColorShortCut.name, m_defaults);
    shortcutOverlay()->setAssociatedUserDefaultsKey(settingskeys::kColorsAndFormatsShortCut.name, m_defaults);
    m_generalUi->launchAtLogin->setChecked(m_host->isAppLoginItem());
    connect(m_generalUi->launchAtLogin, &QAbstractButton::clicked, this, [this] { launchAtLoginChanged(); });
    bindControls();
    // The info texts follow their settings, whoever changes them.
    m_infoTokens.push_back(m_defaults.observe(settingskeys::kOpenFormatsAfterPick.name,
                                              [this](const std::string&, const Value&) { afterPickChanged(); }));
    m_infoTokens.push_back(m_defaults.observe(settingskeys::kRecentMenuItems.name,
                                              [this](const std::string&, const Value&) { recentMenuItemChanged(); }));
    m_infoTokens.push_back(m_defaults.observe(settingskeys::kSwitchLensInputControls.name,
                                              [this](const std::string&, const Value&) { lensControlsChanged(); }));
}

void PreferencesWindowController::bindControls()
{
    using Key = QVCodeStyle::Key;
    Ui::GeneralPreferencePane& general = *m_generalUi;
    auto* afterPick = new QButtonGroup(m_general);
    afterPick->addButton(general.copyAfterPickRadioButton, 0);
    afterPick->addButton(general.openAfterPickRadioButton, 1);
    m_binding->bindButtonGroup(afterPick, settingskeys::kOpenFormatsAfterPick);
    const QVFormatRepository& repository = QVFormatRepository::sharedRepository();
    std::vector<std::string> names;
    if (const auto list = repository.exportFormatList()) {
        for (const QVFormatDefinition& format : *list)
            names.push_back(format.name());
    }
    fillFormatNames(general.exportFormatComboBox, names);
    m_binding->bindComboIndex(general.exportFormatComboBox, settingskeys::kExportFormat,
                              transformer<QVExportFormatNameTransformer>());
    m_binding->bindSpinBox(general.recentMenuItemsSpinBox, settingskeys::kRecentMenuItems);
    m_binding->bindComboIndex(general.highPrecisionComboBox, settingskeys::kActivateHighPrecisionMode);
    m_binding->bindCheckBox(general.useNotificationCheckBox, settingskeys::kUseNotification);

    Ui::AppearancePreferencePane& appearance = *m_appearanceUi;
    m_binding->bindComboIndex(appearance.themePopupButton, settingskeys::kUserInterface,
                              transformer<QVFormatThemeTransformer>());
    m_binding->bindSlider(appearance.magnificationSlider, settingskeys::kMagnificationValue);
    m_binding->bindSlider(appearance.captureSlider, settingskeys::kCaptureValue, transformer<QVOddFloatTransformer>());
    m_binding->bindComboIndex(appearance.colorInfoComboBox, settingskeys::kColorInfo);
    names.clear();
    if (const auto list = repository.displayFormatList()) {
        for (const QVDisplayFormatDefinition& format : *list)
            names.push_back(format.name());
    }
    fillFormatNames(appearance.displayFormatComboBox, names);
    m_binding->bindComboIndex(appearance.displayFormatComboBox, settingskeys::kDisplayFormat,
                              transformer<QVDisplayFormatNameTransformer>());
    m_binding->bindCheckBox(appearance.switchLensInputControlsCheckBox, settingskeys::kSwitchLensInputControls);

    Ui::CodeStylePreferencePane& style = *m_codestyleUi;
    m_binding->bindCodeStyle(style.decimalUseFractionsCheckBox, Key::DecimalUseFractions);
    m_binding->bindCodeStyle(style.decimalPrefixLineEdit, Key::DecimalPrefix);
    m_binding->bindCodeStyle(style.decimalUsePrefixCheckBox, Key::DecimalUsePrefix);
    m_binding->bindCodeStyle(style.decimalSuffixLineEdit, Key::DecimalSuffix);
    m_binding->bindCodeStyle(style.decimalUseSuffixCheckBox, Key::DecimalUseSuffix);
    m_binding->bindCodeStyle(style.decimalRemoveLeadingZeroCheckBox, Key::DecimalRemoveLeadingZero);
    m_binding->bindCodeStyle(style.decimalRemoveTrailingZeroesCheckBox, Key::DecimalRemoveTrailingZeroes);
    m_binding->bindCodeStyle(style.decimalPrecisionSpinBox, Key::DecimalPrecision);
    m_binding->bindCodeStyle(style.decimalShortenOneAndZeroCheckBox, Key::DecimalShortenOneAndZero);
    m_binding->bindCodeStyle(style.decimalListSeparatorLineEdit, Key::DecimalListSeparator);
    m_binding->bindCodeStyle(style.intListSeparatorLineEdit, Key::IntListSeparator);
    m_binding->bindCodeStyle(style.hexPrefixLineEdit, Key::HexPrefix);
    m_binding->bindCodeStyle(style.hexUsePrefixCheckBox, Key::HexUsePrefix);
    m_binding->bindCodeStyle(style.hexUseUppercaseCheckBox, Key::HexUseUppercase);
    m_binding->bindCodeStyle(style.hexListSeparatorLineEdit, Key::HexListSeparator);
    m_binding->bindCodeStyle(style.cssUseUppercaseCheckBox, Key::CssUseUppercase);
    m_binding->bindCodeStyle(style.cssUseHexShorthandCheckBox, Key::CssUseHexShorthand);
    m_binding->bindCodeStyle(style.cssUseW3CNamesCheckBox, Key::CssUseW3CNames);
    m_binding->bindCodeStyle(style.whiteSpaceCsvCheckBox, Key::WhiteSpaceCsv);
    m_binding->bindCodeStyle(style.whiteSpaceKvcCheckBox, Key::WhiteSpaceKvc);
    // A prefix or suffix field is editable while it is in use.
    const auto enableWith = [](QAbstractButton* box, QWidget* field) {
        field->setEnabled(box->isChecked());
        connect(box, &QAbstractButton::toggled, field, &QWidget::setEnabled);
    };
    enableWith(style.decimalUsePrefixCheckBox, style.decimalPrefixLineEdit);
    enableWith(style.decimalUseSuffixCheckBox, style.decimalSuffixLineEdit);
    enableWith(style.hexUsePrefixCheckBox, style.hexPrefixLineEdit);

    connect(m_binding, &DefaultsBinding::committed, this, [this](QObject* control) {
        if (control == m_appearanceUi->magnificationSlider)
            magnificationChanged();
        else if (control == m_appearanceUi->captureSlider)
            captureChanged();
        else if (control == m_appearanceUi->colorInfoComboBox || control == m_appearanceUi->themePopupButton)
            loupePreferenceChanged(control);
    });
}

void PreferencesWindowController::setupToolbar()
{
    // The window takes the pane's size: a pane is as tall as its controls at its width.
    for (QWidget* pane : {m_general.data(), m_appearance.data(), m_codestyle.data()}) {
        const int height = pane->hasHeightForWidth() ? pane->heightForWidth(pane->width()) : pane->sizeHint().height();
        pane->resize(pane->width(), height);
    }
    addView(m_general, kGeneral);
    addView(m_appearance, kAppearance);
    addView(m_codestyle, kCodeStyle);
    setCrossFade(true);
}

void PreferencesWindowController::displayViewForIdentifier(const QString& identifier, bool animate)
{
    m_host->unDockWindow();
    NJPrefsWindowController::displayViewForIdentifier(identifier, animate);
}

void PreferencesWindowController::setupPreferences()
{
    m_host->setInPreferences(true);
    if (m_host->inPicking())
        m_host->endPicking();
    for (NJShortcutView* recorder : {shortcutPicker(), shortcutOverlay()}) {
        recorder->setEmptyCaption(kEmptyCaption);
        recorder->setOnDrawBackground([recorder](QPainter& painter, const QRectF& rect) {
            drawShortcutBackground(painter, rect, *recorder);
        });
        recorder->setOnDrawButtonBackground(&NJKey::drawKeyBackground);
    }
    lensControlsChanged();
}

void PreferencesWindowController::showWindow()
{
    // The style may have changed while the window was closed.
    m_formatProcessor->applyPreferences(m_defaults);
    m_formatProcessor->updateColorValuesWithColor(Color::sRGB(0.5, 0.5, 0.5, 1));
    updateExamples();
    NJPrefsWindowController::showWindow();
    addListeners();
    // The capture slider shows the range the loupe cannot reach from the start, not
    // only after the first change.
    updateCaptureSlider();
}

void PreferencesWindowController::addListeners()
{
    if (m_listening)
        return;
    // One observer covers every entry of the style: each entry is written through the
    // one key. Its first call, at once, is no change.
    m_codeStyleToken = m_defaults.observe(QVCodeStyle::kSettingsKey, [this](const std::string&, const Value& style) {
        if (m_listening)
            codeStyleChanged(style);
    });
    m_listening = true;
    m_lensObserver = NotificationCenter::defaultCenter().addObserver(
        QVLensBase::kAttributesChangedNotification, [this](const NotificationCenter::Notification&) { updateCaptureSlider(); });
}

void PreferencesWindowController::removeListeners()
{
    if (m_codeStyleToken)
        m_defaults.removeObserver(*m_codeStyleToken);
    m_codeStyleToken.reset();
    if (m_lensObserver)
        NotificationCenter::defaultCenter().removeObserver(*m_lensObserver);
    m_lensObserver.reset();
    m_listening = false;
}

void PreferencesWindowController::codeStyleChanged(const Value& style)
{
    if (!isWindowVisible())
        return;
    m_defaults.synchronize();
    m_formatProcessor->applyCodeStyle(style);
    updateExamples();
}

void PreferencesWindowController::updateExamples()
{
    const auto render = [this](QLabel* field, const Color& color, const char* text) {
        m_formatProcessor->updateColorValuesWithColor(color);
        field->setText(QString::fromStdString(m_formatProcessor->renderFormat(text).value_or(std::string())));
    };
    const Color purple = Color::sRGB(2.0 / 3.0, 0, 1, 1);
    render(m_codestyleUi->hexExample, purple, kHexExample);
    render(m_codestyleUi->cssExample, purple, kCssExample);
    render(m_codestyleUi->floatExample, Color::sRGB(0.25, 0, 1, 1), kFloatExample);
    render(m_codestyleUi->whiteSpaceExample, Color::sRGB(0.25, 0.45, 1, 1), kWhiteSpaceExample);
}

void PreferencesWindowController::lensControlsChanged()
{
    const bool switched = SettingsStore(m_defaults).flag(settingskeys::kSwitchLensInputControls);
    m_appearanceUi->magnificationInfoText->setText(switched ? kOptionPinchInfo : kOptionScrollInfo);
    m_appearanceUi->captureAreaInfoText->setText(switched ? kOptionScrollInfo : kOptionPinchInfo);
}

void PreferencesWindowController::afterPickChanged()
{
    const bool open = SettingsStore(m_defaults).flag(settingskeys::kOpenFormatsAfterPick);
    m_generalUi->afterPickInfo->setText(open ? kCopiesDirectlyInfo : kOpensOverlayInfo);
}

void PreferencesWindowController::recentMenuItemChanged()
{
    const long long items = SettingsStore(m_defaults).integer(settingskeys::kRecentMenuItems).value_or(0);
    m_generalUi->recentMenuItemInfo->setText(items >= 1 ? kFavoritesInfo : kHistoryInfo);
}

void PreferencesWindowController::launchAtLoginChanged()
{
    QAbstractButton* box = m_generalUi->launchAtLogin;
    if (box->isChecked() != m_host->isAppLoginItem()) {
        if (box->isChecked())
            m_host->addAppAsLoginItem();
        else
            m_host->deleteAppFromLoginItem();
    }
    // A change the system refused shows as refused.
    box->setChecked(m_host->isAppLoginItem());
}

void PreferencesWindowController::magnificationChanged()
{
    m_host->setZoomFactor(SettingsStore(m_defaults).real(settingskeys::kMagnificationValue).value_or(0));
    loupePreferenceChanged(nullptr);
}

void PreferencesWindowController::captureChanged()
{
    m_host->setCaptureValue(SettingsStore(m_defaults).real(settingskeys::kCaptureValue).value_or(0));
    loupePreferenceChanged(nullptr);
}

void PreferencesWindowController::loupePreferenceChanged(QObject* sender)
{
    if (!isWindowVisible())
        return;
    if (!m_host->loupeParentWindow())
        m_host->setLoupeAlpha(0);
    const std::optional<long long> colorInfo = SettingsStore(m_defaults).integer(settingskeys::kColorInfo);
    m_host->dockToWindow(window());
    if (m_host->loupeAlpha() == 0 || m_loupeHidding) {
        m_loupeHidding = false;
        m_host->animateLoupeAlpha(1.0, kFadeInDuration, nullptr);
    }
    updateCaptureSlider();
    if (colorInfo) {
        m_host->setColorInfo(*colorInfo);
        m_host->setPeekModeActive(true);
    }
    Scheduler& scheduler = Scheduler::current();
    m_lastChange = scheduler.now();
    QPointer<PreferencesWindowController> self(this);
    scheduler.schedule(kHideDelay, [self] {
        if (self)
            self->hideLoupe();
    });
    if (sender && sender == m_appearanceUi->themePopupButton)
        m_host->initializeAppearance();
}

void PreferencesWindowController::hideLoupe()
{
    Scheduler& scheduler = Scheduler::current();
    if (m_host->loupeParentWindow() != window() || scheduler.now() - m_lastChange <= kHideAfter)
        return;
    m_lastChange = scheduler.now();
    PreferencesHost* host = m_host.get();
    m_host->animateLoupeAlpha(0, kFadeOutDuration, [host] { host->unDockWindow(); });
    m_loupeHidding = true;
}

void PreferencesWindowController::updateCaptureSlider()
{
    const double zoom = m_host->zoomFactor();
    // Without a loupe there is no limit to show.
    if (zoom <= 0 || m_host->maxDiameterValue() <= 0)
        return;
    const double most = m_host->maxDiameterValue() / zoom;
    // The slider ends at the largest capture: the largest odd value, as captures are
    // stored odd, so that its end stores nothing past the limit.
    WNJSliderCell* slider = captureSlider();
    const QSignalBlocker blocker(slider);
    const int end = std::max(slider->minimum(), 2 * static_cast<int>(std::floor((most - 1) / 2)) + 1);
    slider->setMaximum(end);
    slider->setValue(static_cast<int>(std::min(m_host->captureValue(), static_cast<double>(end))));
}

void PreferencesWindowController::close()
{
    window()->close();
}

bool PreferencesWindowController::isShortcutRecording() const
{
    return shortcutPicker()->isRecording() || shortcutOverlay()->isRecording();
}

void PreferencesWindowController::cancelShortcutRecording()
{
    for (NJShortcutView* recorder : {shortcutPicker(), shortcutOverlay()}) {
        if (recorder->isRecording())
            recorder->resetPressed();
    }
}

void PreferencesWindowController::focusShortcutPicker()
{
    NJApplication::makeKeyWindow(window());
    shortcutPicker()->setFocus();
}

void PreferencesWindowController::focusShortcutOverlay()
{
    NJApplication::makeKeyWindow(window());
    shortcutOverlay()->setFocus();
}

void PreferencesWindowController::windowWillClose()
{
    m_binding->commitEditing();
    m_defaults.synchronize();
    m_host->setInPreferences(false);
    m_host->unDockWindow();
    m_host->setLoupeAlpha(1.0);
    removeListeners();
}

void PreferencesWindowController::windowWillMove()
{
    m_host->unDockWindow();
}

void PreferencesWindowController::windowDidResignKey()
{
    m_binding->commitEditing();
}

void PreferencesWindowController::drawShortcutBackground(QPainter& painter, const QRectF& rect,
                                                         const NJShortcutView& recorder)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath rounded;
    rounded.addRoundedRect(rect, 3, 3);
    painter.setClipPath(rounded);
    const ShortcutColors colors = ShortcutColors::forPalette(recorder.palette());
    painter.fillPath(rounded, recorder.isRecording() ? colors.recordingGround : colors.ground);
    // Inner shadow: the area outside the rounded rectangle, moved by the shadow offset
    // (downwards here, where y grows down) and softened over the blur radius.
    const double blur = 1.5;
    const QPointF offset(0.1, 1.1);
    QPainterPath outside;
    outside.setFillRule(Qt::OddEvenFill);
    outside.addRect(rect.adjusted(-2 * blur - 2, -2 * blur - 2, 2 * blur + 2, 2 * blur + 2));
    outside.addRoundedRect(rect, 3, 3);
    for (int step = 3; step >= 1; --step) {
        const double spread = blur * step / 3.0;
        QPainterPathStroker stroker;
        stroker.setWidth(2 * spread);
        const QPainterPath soft = stroker.createStroke(outside).united(outside).translated(offset);
        QColor shadow = colors.innerShadow;
        shadow.setAlphaF(0.35f);
        painter.fillPath(soft, shadow);
    }
    painter.setClipping(false);
    painter.setPen(QPen(colors.outline, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(rounded);
    painter.restore();
}
