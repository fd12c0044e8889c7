#include "uikit/shortcuts/ModifierNameTranslator.h"

#include "uikit/shortcuts/ModifierNames.h"

#include <cstring>

QString ModifierNameTranslator::translate(const char* context, const char* sourceText, const char*, int) const
{
    if (context && sourceText && std::strcmp(context, "QShortcut") == 0 && std::strcmp(sourceText, "Meta") == 0)
        return QString::fromLatin1(modifiernames::kCommand);
    return {};
}
