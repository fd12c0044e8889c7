#include "QVFormatNameTransformer.h"

#include "formats/QVFormatRepository.h"

QVFormatNameTransformer::QVFormatNameTransformer(List list)
    : QVFormatNameTransformer(QVFormatRepository::sharedRepository(), list)
{
}

Value QVFormatNameTransformer::transformedValue(const Value& value) const
{
    const std::string* name = value.string();
    std::optional<std::size_t> index;
    if (name) {
        index = m_list == List::Export ? m_repository.getExportFormatIndexByName(*name)
                                       : m_repository.getDisplayFormatIndexByName(*name);
    }
    return Value::integer(static_cast<long long>(index.value_or(0)));
}

Value QVFormatNameTransformer::reverseTransformedValue(const Value& value) const
{
    if (!value.isNumber())
        return Value(QVFormatRepository::kUndefinedName);
    const int index = value.intValue();
    return Value(m_list == List::Export ? m_repository.getExportFormatNameByIndex(index)
                                        : m_repository.getDisplayFormatNameByIndex(index));
}
