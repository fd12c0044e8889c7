#pragma once

#include "formats/QVFormatNameTransformer.h"

// The name transformer of the display format list.
class QVDisplayFormatNameTransformer final : public QVFormatNameTransformer {
public:
    QVDisplayFormatNameTransformer() : QVFormatNameTransformer(List::Display) {}
    explicit QVDisplayFormatNameTransformer(const QVFormatRepository& repository)
        : QVFormatNameTransformer(repository, List::Display) {}
};
