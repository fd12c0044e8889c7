#pragma once

#include <QTranslator>

// Makes Qt's own key-sequence texts (menus, shortcuts) call the Meta key Super, as the
// rest of the program names it.
class ModifierNameTranslator final : public QTranslator {
    Q_OBJECT
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
};
