#pragma once

#include "formats/QVFormatNameTransformer.h"

// The name transformer of the export format list.
class QVExportFormatNameTransformer final : public QVFormatNameTransformer {
public:
    QVExportFormatNameTransformer() : QVFormatNameTransformer(List::Export) {}
    explicit QVExportFormatNameTransformer(const QVFormatRepository& repository)
        : QVFormatNameTransformer(repository, List::Export) {}
};
