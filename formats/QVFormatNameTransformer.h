#pragma once

#include "foundation/Value.h"

class QVFormatRepository;

// Turns a stored format name into its list index and back, for pop-up menus bound
// to the settings. Unknown names map to index 0; an index outside the list maps
// to "undefined".
class QVFormatNameTransformer {
public:
    virtual ~QVFormatNameTransformer() = default;

    static Value::Kind transformedValueKind() { return Value::Kind::Number; }
    static bool allowsReverseTransformation() { return true; }

    // Name to index.
    Value transformedValue(const Value& value) const;
    // Index to name.
    Value reverseTransformedValue(const Value& value) const;

protected:
    enum class List { Export, Display };

    // On the shared repository.
    explicit QVFormatNameTransformer(List list);
    QVFormatNameTransformer(const QVFormatRepository& repository, List list) : m_repository(repository), m_list(list) {}

private:
    const QVFormatRepository& m_repository;
    const List m_list;
};
