#include "loupe/QVLoupeKeys.h"

#include "loupe/QVLoupeController.h"
#include "loupe/QVLoupeHost.h"
#include "loupe/QVMouseFollower.h"

#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"

#include <array>
#include <cmath>
#include <utility>

namespace {

using virtualkeys::kEscape;
using virtualkeys::kReturn;
using virtualkeys::kSpace;
using virtualkeys::kTab;
constexpr int kEqual = 24;
constexpr int kMinus = 27;
constexpr int kRightBracket = 30;
constexpr int kLeftBracket = 33;
constexpr int kP = 35;

// Each listed key's position and the Qt key it types on a US layout.
constexpr std::array<std::pair<int, int>, 10> kListedKeys {{
    {kEqual, Qt::Key_Equal},
    {kMinus, Qt::Key_Minus},
    {kRightBracket, Qt::Key_BracketRight},
    {kLeftBracket, Qt::Key_BracketLeft},
    {kP, Qt::Key_P},
    {kReturn, Qt::Key_Return},
    {kTab, Qt::Key_Tab},
    {kTab, Qt::Key_Backtab},
    {kSpace, Qt::Key_Space},
    {kEscape, Qt::Key_Escape},
}};

int codeOfQtKey(int qtKey)
{
    for (const auto& [code, key] : kListedKeys) {
        if (key == qtKey)
            return code;
    }
    return -1;
}

double snapToDevicePixels(double value, double scale)
{
    return std::round(value * scale) / scale;
}

} // namespace

QVLoupeKeys::QVLoupeKeys(QVLoupeController& loupe)
    : m_loupe(loupe)
{
}

void QVLoupeKeys::keyDown(int virtualKeyCode, int qtKey, unsigned long modifierFlags, const QString& text)
{
    // Qt reports Shift-Tab as a key of its own; its position is Tab's.
    if (qtKey == Qt::Key_Backtab)
        modifierFlags |= modifierflags::kShift;
    const int code = virtualKeyCode >= 0 ? virtualKeyCode : codeOfQtKey(qtKey);
    if (keyDownByCode(code, modifierFlags))
        return;
    if (nudge(qtKey, modifierFlags))
        return;
    if (text == QStringLiteral("q"))
        m_loupe.host().hidePicker();
}

bool QVLoupeKeys::keyDownByCode(int code, unsigned long flags)
{
    QVLoupeHost& host = m_loupe.host();
    const bool option = (flags & modifierflags::kOption) != 0;
    switch (code) {
    case kEqual:
        option ? m_loupe.increaseDiameterValue() : m_loupe.increaseZoom();
        return true;
    case kMinus:
        option ? m_loupe.decreaseDiameterValue() : m_loupe.decreaseZoom();
        return true;
    case kRightBracket:
        host.chooseNextFormat();
        return true;
    case kLeftBracket:
        host.choosePrevFormat();
        return true;
    case kP:
        if (host.inPicking())
            host.copyLoupeImageToClipboard([&host] { host.hidePicker(); });
        return true;
    case kReturn:
    case kSpace:
        host.doPick();
        return true;
    case kTab:
        (flags & modifierflags::kShift) ? host.choosePrevFormat() : host.chooseNextFormat();
        return true;
    case kEscape:
        host.hidePicker();
        return true;
    default:
        return false;
    }
}

bool QVLoupeKeys::nudge(int qtKey, unsigned long flags)
{
    const double scale = m_loupe.backingScaleFactor();
    const unsigned long increase = m_loupe.getIncreasedMovementKeyMask();
    const double step = (1 / scale) * ((flags & increase) == increase ? kIncreasedMovement : 1);
    QPointF point = m_loupe.lastCenter();
    switch (qtKey) {
    case Qt::Key_Up:
        point.setY(snapToDevicePixels(point.y() + step, scale));
        break;
    case Qt::Key_Down:
        point.setY(snapToDevicePixels(point.y() - step, scale));
        break;
    case Qt::Key_Left:
        point.setX(snapToDevicePixels(point.x() - step, scale));
        break;
    case Qt::Key_Right:
        point.setX(snapToDevicePixels(point.x() + step, scale));
        break;
    default:
        return false;
    }
    m_loupe.mouse().moveMouseTo(m_loupe.setLoupeCenter(point));
    return true;
}
