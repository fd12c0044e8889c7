#pragma once

#include "formats/QVFormatDefinition.h"

// Merges checked custom formats into a format list: each goes after the last format
// of its group, or to the end when its group has none; a name that is already taken
// (ignoring case) rejects the custom with a log line.
class QVFormatListMerger final {
public:
    static QVFormatList merge(QVFormatList list, const QVFormatList& customs);
};
