#pragma once

#include "uikit/shortcuts/ModifierNames.h"
#include "uikit/shortcuts/NJKey.h"

// A modifier's cap; its names and flag are constants of its class.
class NJModifierKey : public NJKey {
    Q_OBJECT
public:
    using NJKey::NJKey;
    bool isModifierKey() const override { return true; }
};

class NJKeyCommand final : public NJModifierKey {
    Q_OBJECT
public:
    using NJModifierKey::NJModifierKey;
    QString stringValue() const override { return QStringLiteral("cmd"); }
    QString prettyStringValue() const override { return QString::fromLatin1(modifiernames::kCommand); }
    unsigned long modifierFlag() const override;
};

class NJKeyControl final : public NJModifierKey {
    Q_OBJECT
public:
    using NJModifierKey::NJModifierKey;
    QString stringValue() const override { return QStringLiteral("ctrl"); }
    QString prettyStringValue() const override { return QString::fromLatin1(modifiernames::kControl); }
    unsigned long modifierFlag() const override;
};

class NJKeyOption final : public NJModifierKey {
    Q_OBJECT
public:
    using NJModifierKey::NJModifierKey;
    QString stringValue() const override { return QStringLiteral("opt"); }
    QString prettyStringValue() const override { return QString::fromLatin1(modifiernames::kOption); }
    unsigned long modifierFlag() const override;
};

class NJKeyShift final : public NJModifierKey {
    Q_OBJECT
public:
    using NJModifierKey::NJModifierKey;
    QString stringValue() const override { return QStringLiteral("shift"); }
    QString prettyStringValue() const override { return QString::fromLatin1(modifiernames::kShift); }
    unsigned long modifierFlag() const override;
};
