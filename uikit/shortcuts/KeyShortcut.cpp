#include "uikit/shortcuts/KeyShortcut.h"

#include "foundation/Dictionary.h"
#include "foundation/NumberObject.h"
#include "foundation/PropertyList.h"
#include "platform/HotKeys.h"
#include "platform/KeyboardLayout.h"
#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"
#include "uikit/shortcuts/HotKeyRegistry.h"
#include "uikit/shortcuts/ModifierNames.h"
#include "uikit/application/NJApplication.h"
#include "uikit/shortcuts/QtKeyTranslation.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr int kFunctionKeyCount = 19;
constexpr char16_t kFirstFunctionKeyCharacter = 0xF704;

constexpr auto kKeyNames = std::to_array<std::pair<int, const char*>>({
    {36, "\u21A9"}, {48, "\u21E5"}, {51, "\u232B"}, {53, "\u238B"}, {65, "."},      {67, "*"},      {69, "+"},
    {71, "\u2327"}, {75, "/"},      {76, "\u2305"}, {78, "\u2013"}, {81, "="},      {82, "0"},      {83, "1"},
    {84, "2"},      {85, "3"},      {86, "4"},      {87, "5"},      {88, "6"},      {89, "7"},      {91, "8"},
    {92, "9"},      {114, "?"},     {115, "\u2196"}, {116, "\u21DE"}, {117, "\u2326"}, {119, "\u2198"}, {121, "\u21DF"},
    {123, "\u2190"}, {124, "\u2192"}, {125, "\u2193"}, {126, "\u2191"},
});

// Localisations come from string tables this program does not ship: the key is the text.
const char* localized(const char* key)
{
    return key;
}

bool s_allowsAnyHotkeyWithOptionModifier = false;

// F1 to F19 by number, 0 for other keys.
int functionKeyNumber(std::uint64_t keyCode)
{
    for (int number = 1; number <= kFunctionKeyCount; ++number) {
        if (static_cast<std::uint64_t>(virtualkeys::functionKey(number)) == keyCode)
            return number;
    }
    return 0;
}

bool isFunctionKey(std::uint64_t keyCode)
{
    return functionKeyNumber(keyCode) != 0 || keyCode == static_cast<std::uint64_t>(virtualkeys::functionKey(20));
}

const KeyboardLayout* currentLayout()
{
    NJApplication* application = NJApplication::sharedApplication();
    return application ? &application->platform().keyboardLayout() : nullptr;
}

bool isPrintable(const QString& text)
{
    for (const char32_t character : text.toUcs4()) {
        const QChar::Category category = QChar::category(character);
        const bool letterOrNumber = category >= QChar::Number_DecimalDigit && category <= QChar::Number_Other;
        const bool letter = category >= QChar::Letter_Uppercase && category <= QChar::Letter_Other;
        const bool mark = category >= QChar::Mark_NonSpacing && category <= QChar::Mark_Enclosing;
        const bool punctuation = category >= QChar::Punctuation_Connector && category <= QChar::Punctuation_Other;
        const bool symbol = category >= QChar::Symbol_Math && category <= QChar::Symbol_Other;
        if (!letterOrNumber && !letter && !mark && !punctuation && !symbol)
            return false;
    }
    return true;
}

Error menuItemError(const QAction& item)
{
    QString title = item.text();
    title.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    title.replace(QStringLiteral("&&"), QStringLiteral("&"));
    QString message = QString::fromUtf8(localized(KeyShortcut::kMenuItemMessage));
    message.replace(QStringLiteral("%@"), title);
    return Error {KeyShortcut::kErrorDomain, 0, message.toStdString()};
}

// A menu item's shortcut as a key equivalent and modifier flags; an empty key when it
// has none or its key has no key equivalent.
std::pair<std::string, std::uint64_t> keyEquivalentOf(const QAction& item)
{
    const QKeySequence sequence = item.shortcut();
    if (sequence.isEmpty())
        return {};
    const QKeyCombination combination = sequence[0];
    const int key = combination.key();
    const std::uint64_t flags = modifierflags::fromQt(combination.keyboardModifiers());
    if (key == Qt::Key_Space)
        return {" ", flags};
    if (key >= Qt::Key_F1 && key < Qt::Key_F1 + kFunctionKeyCount)
        return {QString(QChar(kFirstFunctionKeyCharacter + (key - Qt::Key_F1))).toStdString(), flags};
    if (key > 0x20 && key < 0x7f)
        return {QString(QChar(key)).toLower().toStdString(), flags};
    return {};
}

} // namespace

KeyShortcut::KeyShortcut(std::uint64_t keyCode, std::uint64_t modifierFlags)
    : m_keyCode(keyCode)
    , m_modifierFlags(modifierFlags & kModifierMask)
{
}

KeyShortcut KeyShortcut::shortcutWithEvent(const QKeyEvent& event)
{
    const auto keyCode = qtkeys::virtualKeyCode(event, currentLayout());
    return KeyShortcut(keyCode ? static_cast<std::uint64_t>(*keyCode) : kNotFound,
                       modifierflags::fromQt(event.modifiers()));
}

std::optional<KeyShortcut> KeyShortcut::shortcutWithData(const std::vector<std::uint8_t>& data)
{
    if (data.empty())
        return std::nullopt;
    const Value archive = propertylist::read(data);
    const Dictionary* fields = archive.dictionary();
    if (!fields)
        return std::nullopt;
    const auto integer = [fields](const char* key) -> std::optional<long long> {
        const NumberObject* number = fields->get(key).number();
        if (!number || number->type() != NumberObject::Type::Integer)
            return std::nullopt;
        return number->integerValue();
    };
    const auto keyCode = integer(kKeyCodeKey);
    if (!keyCode)
        return std::nullopt;
    const long long flags = integer(kModifierFlagsKey).value_or(0);
    return KeyShortcut(*keyCode < 0 ? kNotFound : static_cast<std::uint64_t>(*keyCode),
                       static_cast<std::uint64_t>(flags));
}

std::vector<std::uint8_t> KeyShortcut::data() const
{
    const long long keyCode = m_keyCode == kNotFound ? -1 : static_cast<long long>(m_keyCode);
    return propertylist::writeBinary(Value(Dictionary {
        {kKeyCodeKey, Value::integer(keyCode)},
        {kModifierFlagsKey, Value::integer(static_cast<long long>(m_modifierFlags))},
    }));
}

std::vector<std::uint8_t> KeyShortcut::archiveOfNone()
{
    return propertylist::writeBinary(Value(Dictionary {}));
}

std::uint32_t KeyShortcut::carbonKeyCode() const
{
    return m_keyCode == kNotFound ? 0 : static_cast<std::uint32_t>(m_keyCode);
}

std::uint32_t KeyShortcut::carbonFlags() const
{
    std::uint32_t flags = 0;
    if (m_modifierFlags & modifierflags::kCommand)
        flags |= 0x100;
    if (m_modifierFlags & modifierflags::kShift)
        flags |= 0x200;
    if (m_modifierFlags & modifierflags::kOption)
        flags |= 0x800;
    if (m_modifierFlags & modifierflags::kControl)
        flags |= 0x1000;
    return flags;
}

std::string KeyShortcut::keyCodeString() const
{
    if (m_keyCode == kNotFound)
        return {};
    if (m_keyCode == static_cast<std::uint64_t>(virtualkeys::kSpace))
        return localized("Space");
    for (const auto& [code, name] : kKeyNames) {
        if (static_cast<std::uint64_t>(code) == m_keyCode)
            return name;
    }
    if (const int number = functionKeyNumber(m_keyCode))
        return "F" + std::to_string(number);

    const KeyboardLayout* layout = currentLayout();
    if (!layout || m_keyCode > static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
        return {};
    const QString text = QString::fromStdString(layout->characters(static_cast<int>(m_keyCode)));
    if (text.isEmpty() || !isPrintable(text))
        return {};
    return text.toUpper().toStdString();
}

std::string KeyShortcut::keyCodeStringForKeyEquivalent() const
{
    const QString keyString = QString::fromStdString(keyCodeString());
    if (keyString.length() < 2)
        return keyString.toLower().toStdString();
    if (m_keyCode == static_cast<std::uint64_t>(virtualkeys::kSpace))
        return " ";
    if (const int number = functionKeyNumber(m_keyCode))
        return QString(QChar(kFirstFunctionKeyCharacter + number - 1)).toStdString();
    return {};
}

QKeySequence KeyShortcut::keySequence() const
{
    // The glyphs keyCodeStringForKeyEquivalent gives named keys, as Qt knows them.
    static constexpr auto kNamedKeys = std::to_array<std::pair<char16_t, Qt::Key>>({
        {u' ', Qt::Key_Space},      {u'\u21A9', Qt::Key_Return}, {u'\u21E5', Qt::Key_Tab},
        {u'\u232B', Qt::Key_Backspace}, {u'\u238B', Qt::Key_Escape}, {u'\u2326', Qt::Key_Delete},
        {u'\u2196', Qt::Key_Home},  {u'\u2198', Qt::Key_End},    {u'\u21DE', Qt::Key_PageUp},
        {u'\u21DF', Qt::Key_PageDown}, {u'\u2190', Qt::Key_Left}, {u'\u2192', Qt::Key_Right},
        {u'\u2193', Qt::Key_Down},  {u'\u2191', Qt::Key_Up},
    });
    const QString key = QString::fromStdString(keyCodeStringForKeyEquivalent());
    if (key.size() != 1)
        return {};
    const char16_t character = key.front().unicode();
    int qtKey = 0;
    if (character >= kFirstFunctionKeyCharacter && character < kFirstFunctionKeyCharacter + kFunctionKeyCount)
        qtKey = Qt::Key_F1 + (character - kFirstFunctionKeyCharacter);
    else if (const auto* named = std::find_if(kNamedKeys.begin(), kNamedKeys.end(),
                                              [character](const auto& entry) { return entry.first == character; });
             named != kNamedKeys.end())
        qtKey = named->second;
    else if (character > 0x20 && character != 0x7f)
        qtKey = key.toUpper().front().unicode();
    else
        return {};
    Qt::KeyboardModifiers modifiers;
    if (m_modifierFlags & modifierflags::kShift)
        modifiers |= Qt::ShiftModifier;
    if (m_modifierFlags & modifierflags::kControl)
        modifiers |= Qt::ControlModifier;
    if (m_modifierFlags & modifierflags::kOption)
        modifiers |= Qt::AltModifier;
    if (m_modifierFlags & modifierflags::kCommand)
        modifiers |= Qt::MetaModifier;
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(qtKey)));
}

std::string KeyShortcut::modifierFlagsString() const
{
    return modifiernames::prefix(static_cast<unsigned long>(m_modifierFlags)).toStdString();
}

bool KeyShortcut::shouldBypass() const
{
    if (m_modifierFlags != modifierflags::kCommand)
        return false;
    const std::string key = keyCodeString();
    return key == "W" || key == "Q";
}

bool KeyShortcut::isValid() const
{
    if (isFunctionKey(m_keyCode))
        return true;
    if (m_modifierFlags == 0)
        return false;
    if (m_modifierFlags & (modifierflags::kCommand | modifierflags::kControl))
        return true;
    if (!(m_modifierFlags & modifierflags::kOption))
        return false;
    if (m_keyCode == static_cast<std::uint64_t>(virtualkeys::kSpace)
        || m_keyCode == static_cast<std::uint64_t>(virtualkeys::kEscape))
        return true;
    return s_allowsAnyHotkeyWithOptionModifier;
}

bool KeyShortcut::isTakenError(Error* error) const
{
    NJApplication* application = NJApplication::sharedApplication();
    const bool hasKey = m_keyCode <= static_cast<std::uint64_t>(std::numeric_limits<int>::max());
    if (application && hasKey
        && application->platform().hotKeys().isReserved(static_cast<int>(m_keyCode),
                                                        static_cast<unsigned long>(m_modifierFlags))) {
        if (error)
            *error = Error {kErrorDomain, 0, localized(kSystemShortcutMessage)};
        return true;
    }
    return isKeyEquivalent(keyCodeStringForKeyEquivalent(), m_modifierFlags,
                           application ? application->mainMenu() : nullptr, error);
}

bool KeyShortcut::isKeyEquivalent(const std::string& keyEquivalent, std::uint64_t flags, const QMenu* menu,
                                  Error* error)
{
    // A key without a key equivalent clashes with nothing, least of all with the
    // items that have none.
    if (!menu || keyEquivalent.empty())
        return false;
    for (const QAction* item : menu->actions()) {
        if (isKeyEquivalent(keyEquivalent, flags, item->menu(), error))
            return true;
        const auto [itemKey, itemFlags] = keyEquivalentOf(*item);
        if (itemKey == keyEquivalent && (itemFlags & kModifierMask) == flags) {
            if (error)
                *error = menuItemError(*item);
            return true;
        }
    }
    return false;
}

bool KeyShortcut::allowsAnyHotkeyWithOptionModifier()
{
    return s_allowsAnyHotkeyWithOptionModifier;
}

void KeyShortcut::setAllowsAnyHotkeyWithOptionModifier(bool allows)
{
    s_allowsAnyHotkeyWithOptionModifier = allows;
}

namespace {

HotKeyRegistry* sharedRegistry()
{
    NJApplication* application = NJApplication::sharedApplication();
    return application ? &application->hotKeyRegistry() : nullptr;
}

} // namespace

std::optional<std::string> KeyShortcut::addGlobalHotkeyMonitor(const KeyShortcut& shortcut, Handler handler)
{
    HotKeyRegistry* registry = sharedRegistry();
    return registry ? registry->addGlobalHotkeyMonitor(shortcut, std::move(handler)) : std::nullopt;
}

void KeyShortcut::removeGlobalHotkeyMonitor(const std::optional<std::string>& token)
{
    if (HotKeyRegistry* registry = sharedRegistry())
        registry->removeGlobalHotkeyMonitor(token);
}

void KeyShortcut::registerGlobalShortcutWithUserDefaultsKey(const std::string& key, Handler handler)
{
    if (HotKeyRegistry* registry = sharedRegistry())
        registry->registerGlobalShortcutWithUserDefaultsKey(key, std::move(handler));
}

void KeyShortcut::unregisterGlobalShortcutWithUserDefaultsKey(const std::string& key)
{
    if (HotKeyRegistry* registry = sharedRegistry())
        registry->unregisterGlobalShortcutWithUserDefaultsKey(key);
}

void KeyShortcut::setGlobalShortcut(const std::optional<KeyShortcut>& shortcut, const std::string& key)
{
    if (HotKeyRegistry* registry = sharedRegistry())
        registry->setGlobalShortcut(shortcut, key);
}

std::vector<std::string> KeyShortcut::registeredUserDefaultsHotKeys()
{
    HotKeyRegistry* registry = sharedRegistry();
    return registry ? registry->registeredUserDefaultsHotKeys() : std::vector<std::string> {};
}
