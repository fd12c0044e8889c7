#include "uikit/shortcuts/NJShortcutView.h"

#include "platform/VirtualKeys.h"
#include "uikit/shortcuts/KeyShortcutDefaultsObserver.h"
#include "uikit/animation/NJAnimationGroup.h"
#include "uikit/shortcuts/NJKey.h"
#include "uikit/shortcuts/NJRolloverButton.h"
#include "uikit/application/NJApplication.h"
#include "uikit/application/NamedImage.h"
#include "uikit/shortcuts/ShortcutColors.h"
#include "uikit/shortcuts/ShortcutRecordingMonitor.h"
#include "uikit/views/ViewAdditions.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QStyleHints>

namespace {

constexpr int kDefaultHeight = 29;
constexpr int kKeyInset = 2;
constexpr int kKeySpacing = 3;
constexpr int kButtonMargin = 4;
constexpr double kLayoutDuration = 0.2;
constexpr double kLightDuration = 0.2;
constexpr double kFadeDuration = 0.1;
constexpr double kLitAlpha = 1.0;
constexpr double kFadedAlpha = 0.1;
constexpr double kCornerRadius = 3.0;

// In the order in which a shortcut's text names the modifiers: Super, Ctrl, Alt, Shift.
constexpr std::array<const char*, 5> kKeyNames {"cmd", "ctrl", "option", "shift", ""};
constexpr std::array<const char*, 5> kKeyObjectNames {"commandKey", "controlKey", "optionKey", "shiftKey", "mainKey"};

void presentModalAlert(const QString& title, const QString& message)
{
    // Over the window recording, which may itself stay on top of others.
    QMessageBox alert(QMessageBox::Critical, title, title, QMessageBox::NoButton, QApplication::activeWindow(),
                      Qt::Dialog | Qt::WindowStaysOnTopHint);
    alert.setInformativeText(message);
    alert.addButton(QString::fromUtf8(NJShortcutView::kAlertButton), QMessageBox::AcceptRole);
    alert.exec();
}

NJShortcutView::AlertPresenter& alertPresenter()
{
    static NJShortcutView::AlertPresenter presenter = presentModalAlert;
    return presenter;
}

ShortcutRecordingMonitor& monitor()
{
    return ShortcutRecordingMonitor::shared();
}

} // namespace

NJShortcutView::NJShortcutView(QWidget* parent)
    : QWidget(parent)
{
    // Clicks focus the recorder by its own rule (the first click only focuses).
    setFocusPolicy(Qt::TabFocus);
    resize(width(), defaultHeight());
    const int side = height() - 2 * kKeyInset;
    for (int i = 0; i < CapCount; ++i) {
        NJKey* key = NJKey::keyFromString(QString::fromLatin1(kKeyNames[i]), this);
        key->setObjectName(QString::fromLatin1(kKeyObjectNames[i]));
        key->setGeometry(kKeyInset, kKeyInset, key->fittingWidth(side), side);
        NJAnimationGroup::setWidgetOpacity(key, 0);
        m_keys[i] = key;
    }

    const QSize imageSize = namedImage(QString::fromLatin1(kRemoveButtonImage)).deviceIndependentSize().toSize();
    const auto makeButton = [&](const char* image, const char* name) {
        auto* button = new NJRolloverButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setImageName(QString::fromLatin1(image));
        button->setGeometry(0, 0, imageSize.width() + 2, imageSize.height() + 2);
        button->setIsFocusable(false);
        button->hide();
        return button;
    };
    m_clearBtn = makeButton(kRemoveButtonImage, "clearButton");
    m_resetBtn = makeButton(kResetButtonImage, "resetButton");
    m_clearBtn->setClickedHandler([this](QMouseEvent*) {
        setFocus(Qt::MouseFocusReason);
        clearPressed();
    });
    m_resetBtn->setClickedHandler([this](QMouseEvent*) { resetPressed(); });
}

NJShortcutView::~NJShortcutView()
{
    if (m_observer)
        m_observer->forgetShortcutView();
    m_observer.reset();
    // The monitors serve whichever recorder records; only that one takes them away.
    if (monitor().recorder() == this || !monitor().recorder()) {
        monitor().activateKeyMonitoring(false);
        monitor().activateMouseMonitoring(false);
    }
}

void NJShortcutView::setRecording(bool recording)
{
    if (recording) {
        NJShortcutView* current = monitor().recorder();
        if (current && current != this)
            current->exitRecording();
        monitor().setRecorder(this);
        if (!isEnabled())
            return;
    }
    if (recording != m_recording) {
        m_recording = recording;
        holdKeyboard(recording);
        if (recording) {
            keysForKeyCode(QString(), 0);
            alignKeysWithDuration(kLayoutDuration);
        } else {
            showValueOnKeys();
        }
        updateButtons();
        update();
    }
    // Another recorder that stops must not take the monitors from the one recording.
    NJShortcutView* current = monitor().recorder();
    if (m_recording || !current || current == this || !current->isRecording()) {
        monitor().activateKeyMonitoring(m_recording);
        monitor().activateMouseMonitoring(m_recording);
    }
}

void NJShortcutView::holdKeyboard(bool hold)
{
    // An active grab outranks the passive grabs of other programs: a combination one of
    // them holds reaches the recorder, and so do the releases of its modifiers.
    if (hold && isVisible())
        grabKeyboard();
    else if (!hold && keyboardGrabber() == this)
        releaseKeyboard();
}

void NJShortcutView::setShortcutValue(const std::optional<NJShortcut>& value)
{
    if (!value && !m_shortcutValue) {
        updateButtons();
        update();
        return;
    }
    m_shortcutValue = value;
    if (value)
        setRecording(false);
    showValueOnKeys();
    updateButtons();
    if (m_shortcutValueChange)
        m_shortcutValueChange(this);
    emit shortcutValueChanged();
    update();
}

void NJShortcutView::showValueOnKeys()
{
    if (m_shortcutValue)
        keysForKeyCode(QString::fromStdString(m_shortcutValue->keyCodeString()),
                       static_cast<unsigned long>(m_shortcutValue->modifierFlags()));
    else
        keysForKeyCode(QString(), 0);
}

void NJShortcutView::setEmptyCaption(const QString& caption)
{
    m_emptyCaption = caption;
    if (!m_shortcutValue)
        update();
}

void NJShortcutView::clearPressed()
{
    setShortcutValue(std::nullopt);
}

void NJShortcutView::resetPressed()
{
    setFocus(Qt::MouseFocusReason);
    setRecording(false);
}

QString NJShortcutView::associatedUserDefaultsKey() const
{
    return m_observer ? QString::fromStdString(m_observer->userDefaultsKey()) : QString();
}

void NJShortcutView::setAssociatedUserDefaultsKey(const QString& key, UserDefaults& defaults)
{
    m_observer.reset();
    if (!key.isEmpty())
        m_observer = std::make_unique<KeyShortcutDefaultsObserver>(*this, defaults, key.toStdString());
}

void NJShortcutView::setAlertPresenter(AlertPresenter presenter)
{
    alertPresenter() = presenter ? std::move(presenter) : presentModalAlert;
}

void NJShortcutView::keysForKeyCode(const QString& key, unsigned long modifierFlags)
{
    const bool animate = !m_setFromDefaults && isVisible();
    NJKey* mainKey = m_keys[MainCap];
    if (!key.isEmpty()) {
        mainKey->setStringValue(key);
        mainKey->setPrettyStringValue(NJKey::capitalized(key));
        mainKey->resize(mainKeyWidth(), mainKey->height());
        mainKey->update();
    }
    for (NJKey* cap : m_keys) {
        const bool active = cap->isModifierKey() ? (modifierFlags & cap->modifierFlag()) != 0 : !key.isEmpty();
        cap->setActive(active);
        const double alpha = active ? kLitAlpha : kFadedAlpha;
        if (animate) {
            const double duration = m_shortcutValue ? (active ? kLightDuration : kFadeDuration) : 0.0;
            NJAnimationGroup(duration).opacity(cap, alpha).start();
        } else {
            NJAnimationGroup::setWidgetOpacity(cap, alpha);
        }
    }
    alignKeysWithDuration(animate ? kLayoutDuration : 0.0);
}

int NJShortcutView::mainKeyWidth() const
{
    const QString name = m_keys[MainCap]->stringValue();
    const int side = m_keys[MainCap]->height();
    return m_keys[MainCap]->fittingWidth(name.isEmpty() ? side : static_cast<int>(name.size()) * 10 - 10 + side);
}

int NJShortcutView::alignKeysWithDuration(double duration)
{
    const bool animate = isVisible();
    NJAnimationGroup group(duration);
    QPoint place(kKeyInset, kKeyInset);
    int placed = 0;
    for (NJKey* cap : m_keys) {
        if (animate)
            group.position(cap, place);
        else
            cap->move(place);
        std::optional<double> alpha;
        bool takesPlace = true;
        if (m_recording)
            alpha = cap->active() ? kLitAlpha : kFadedAlpha;
        else if (m_shortcutValue && cap->active())
            alpha = kLitAlpha;
        else if (m_shortcutValue) {
            // Caps differ in width, so the next cap would not cover it: it hides.
            alpha = 0.0;
            takesPlace = false;
        }
        else
            alpha = 0.0;
        if (alpha) {
            if (animate)
                group.opacity(cap, *alpha);
            else
                NJAnimationGroup::setWidgetOpacity(cap, *alpha);
        }
        if (takesPlace) {
            place.rx() += cap->width() + kKeySpacing;
            ++placed;
        }
    }
    if (animate)
        group.start();
    return placed;
}

int NJShortcutView::defaultHeight()
{
    // Grows with the caps' text.
    return viewadditions::scaledPixelSize(kDefaultHeight);
}

QSize NJShortcutView::minimumSizeHint() const
{
    constexpr int kWidestMainKeyLength = 3;
    const int side = defaultHeight() - 2 * kKeyInset;
    int width = 2 * kKeyInset + kButtonMargin + m_clearBtn->width();
    for (const NJKey* cap : m_keys)
        width += (cap == m_keys[MainCap] ? cap->fittingWidth(kWidestMainKeyLength * 10 - 10 + side)
                                         : cap->fittingWidth(side))
            + kKeySpacing;
    return {width, defaultHeight()};
}

void NJShortcutView::placeButton(NJRolloverButton* button)
{
    button->move(width() - button->width() - kButtonMargin, (height() - button->height()) / 2);
    button->show();
}

void NJShortcutView::updateButtons()
{
    NJRolloverButton* shown = m_recording ? m_resetBtn : m_clearBtn;
    NJRolloverButton* hidden = m_recording ? m_clearBtn : m_resetBtn;
    hidden->hide();
    if (m_shortcutValue)
        placeButton(shown);
    else
        shown->hide();
    m_clearBtn->update();
    m_resetBtn->update();
    update();
}

bool NJShortcutView::canSetDirectly(const NJShortcut& shortcut) const
{
    return m_directEnteringEnabled && shortcut.isValid() && !shortcut.shouldBypass()
        && !shortcut.keyCodeString().empty();
}

void NJShortcutView::trySetShortCut(const NJShortcut& shortcut)
{
    m_setFromDefaults = false;
    if (!shortcut.isValid()) {
        QApplication::beep();
        return;
    }
    // The menu's key equivalents include the recorder's own shortcut: entering it again
    // keeps it.
    if (m_shortcutValue && *m_shortcutValue == shortcut) {
        setRecording(false);
        return;
    }
    Error error;
    if (shortcut.isTakenError(&error)) {
        QString title = QString::fromUtf8(kTakenAlertTitle);
        title.replace(QStringLiteral("%@"), QString::fromStdString(shortcut.description()));
        holdKeyboard(false);
        alertPresenter()(title, QString::fromStdString(error.message));
        // Without a window manager the closed alert leaves the keyboard focus to no one.
        if (isVisible())
            NJApplication::makeKeyWindow(window());
        holdKeyboard(m_recording);
        return;
    }
    setShortcutValue(shortcut);
    setRecording(false);
}

bool NJShortcutView::keyDown(QKeyEvent* event)
{
    const NJShortcut shortcut(KeyShortcut::shortcutWithEvent(*event));
    if (shortcut.isValid() && (m_recording || canSetDirectly(shortcut))) {
        trySetShortCut(shortcut);
        return true;
    }
    switch (static_cast<int>(shortcut.keyCode())) {
    case virtualkeys::kTab:
        setRecording(false);
        return false;
    case virtualkeys::kSpace:
        setRecording(true);
        return true;
    case virtualkeys::kDelete:
    case virtualkeys::kForwardDelete:
        setShortcutValue(std::nullopt);
        setRecording(false);
        return true;
    case virtualkeys::kEscape:
        if (!m_recording)
            return false;
        setRecording(false);
        return true;
    case virtualkeys::kReturn:
    case virtualkeys::kKeypadEnter:
        if (m_ignoresEnter)
            return false;
        setRecording(true);
        return true;
    default:
        return false;
    }
}

void NJShortcutView::showHeldModifiers(unsigned long modifierFlags)
{
    keysForKeyCode(QString(), modifierFlags);
}

bool NJShortcutView::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress && keyDown(static_cast<QKeyEvent*>(event)))
        return true;
    // While recording the keyboard is the recorder's, not the window's shortcuts',
    // except for Command-W and Command-Q.
    if (event->type() == QEvent::ShortcutOverride && m_recording
        && !KeyShortcut::shortcutWithEvent(*static_cast<QKeyEvent*>(event)).shouldBypass()) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

// One click toggles recording, focused or not: a first click that only focused the
// recorder would let the combination typed next go by unrecorded.
void NJShortcutView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    // The second press of a double click is not a click of its own.
    const auto interval = static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    const bool secondPress = m_lastPressTime && event->timestamp() - *m_lastPressTime < interval;
    m_lastPressTime = secondPress ? std::nullopt : std::optional<quint64>(event->timestamp());
    if (!secondPress)
        setRecording(!m_recording);
}

// A double click records.
void NJShortcutView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    setFocus(Qt::MouseFocusReason);
    setRecording(true);
}

void NJShortcutView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOutKeys();
}

void NJShortcutView::layOutKeys()
{
    const int side = std::max(0, height() - 2 * kKeyInset);
    for (NJKey* cap : m_keys)
        cap->resize(cap->fittingWidth(side), side);
    m_keys[MainCap]->resize(mainKeyWidth(), side);
    alignKeysWithDuration(0.0);
    updateButtons();
}

void NJShortcutView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        setRecording(false);
        update();
    }
}

void NJShortcutView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void NJShortcutView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void NJShortcutView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF bounds(rect());
    if (m_onDrawBackground)
        m_onDrawBackground(painter, bounds);
    else
        drawBackgroundInRect(painter, bounds);
    if (!m_recording && !m_shortcutValue && !m_emptyCaption.isEmpty())
        drawOverlayText(painter, m_emptyCaption, bounds);
    if (hasFocus()) {
        QPainterPath ring;
        ring.addRoundedRect(bounds.adjusted(1, 1, -1, -1), kCornerRadius, kCornerRadius);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.strokePath(ring, QPen(palette().color(QPalette::Highlight), 2.0));
    }
}

void NJShortcutView::drawBackgroundInRect(QPainter& painter, const QRectF& rect) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);
    painter.setClipPath(path);
    const ShortcutColors colors = ShortcutColors::forPalette(palette());
    painter.fillPath(path, m_recording ? colors.recordingGround : colors.ground);
    // The inner shadow: the outline's shadow, fallen 1.1 points down inside the edge.
    QColor shadow = colors.innerShadow;
    shadow.setAlphaF(0.6f);
    painter.strokePath(path.translated(0.1, 1.1), QPen(shadow, 1.5));
    painter.setClipping(false);
    painter.strokePath(path, QPen(colors.outline, 1.0));
    painter.restore();
}

void NJShortcutView::drawOverlayText(QPainter& painter, const QString& text, const QRectF& rect) const
{
    const NJKey::TextAttributes& attributes = NJKey::textAttributes();
    const ShortcutColors colors = ShortcutColors::forPalette(palette());
    painter.save();
    painter.setFont(attributes.font);
    painter.setPen(colors.capTextShadow);
    painter.drawText(rect.translated(attributes.shadowOffset), Qt::AlignCenter, text);
    painter.setPen(colors.caption);
    painter.drawText(rect, Qt::AlignCenter, text);
    painter.restore();
}
