#include "DictionaryObject.h"

#include "CollectionDescription.h"

std::string DictionaryObject::description() const
{
    return collectiondescription::describeDictionary(m_entries, 0);
}

bool DictionaryObject::isEqual(const Object& other) const
{
    const auto* dictionary = dynamic_cast<const DictionaryObject*>(&other);
    return dictionary && dictionary->m_entries == m_entries;
}

std::size_t DictionaryObject::hash() const
{
    return m_entries.size();
}
