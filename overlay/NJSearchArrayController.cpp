#include "NJSearchArrayController.h"

#include "formats/QVFormatRepository.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

QStringList wordsOf(const std::string& filter)
{
    // Unicode white space: a no-break space or a tab separates words as a blank does.
    static const QRegularExpression whitespace(QStringLiteral("\\s"), QRegularExpression::UseUnicodePropertiesOption);
    return QString::fromStdString(filter).split(whitespace);
}

bool contains(const QVFormatList& list, const QVFormatDefinition& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

} // namespace

NJSearchArrayController::NJSearchArrayController(const QVFormatRepository& repository)
    : m_repository(repository)
    , m_content(fullList())
{
}

bool NJSearchArrayController::itemInSearch(const QVFormatDefinition& item, const QStringList& words)
{
    const QString name = QString::fromStdString(item.name());
    qsizetype position = 0;
    for (const QString& word : words) {
        if (word.isEmpty())
            continue;
        position = name.indexOf(word, position, Qt::CaseInsensitive);
        if (position < 0)
            return false;
    }
    return true;
}

QVFormatList NJSearchArrayController::filterObjects(const QVFormatList& objects, const std::optional<std::string>& filter)
{
    if (!filter || filter->empty())
        return objects;
    const QStringList words = wordsOf(*filter);
    QVFormatList matching;
    std::copy_if(objects.begin(), objects.end(), std::back_inserter(matching),
                 [&words](const QVFormatDefinition& item) { return itemInSearch(item, words); });
    return matching;
}

QVFormatList NJSearchArrayController::fullList() const
{
    const auto list = m_repository.exportFormatList();
    return list ? *list : QVFormatList();
}

void NJSearchArrayController::setContent(QVFormatList content)
{
    m_content = std::move(content);
    if (m_selection && *m_selection >= m_content.size())
        setSelectionIndex(m_content.empty() ? std::nullopt : std::optional<std::size_t>(m_content.size() - 1));
}

void NJSearchArrayController::setContentWithFilter(const QVFormatList& list)
{
    m_animSearchString.reset();
    m_animArray.reset();
    setContent(filterObjects(list, m_searchString));
}

void NJSearchArrayController::setAnimSearchString(std::optional<std::string> text)
{
    m_animSearchString = std::move(text);
    if (m_animSearchString)
        m_animArray = filterObjects(fullList(), m_animSearchString);
    else
        m_animArray.reset();
}

std::vector<std::size_t> NJSearchArrayController::removeIdxsWithSearch(const std::string& text) const
{
    const QStringList words = wordsOf(text);
    std::vector<std::size_t> indexes;
    for (std::size_t i = 0; i < m_content.size(); ++i) {
        if (!itemInSearch(m_content[i], words))
            indexes.push_back(i);
    }
    return indexes;
}

std::vector<std::size_t> NJSearchArrayController::insertIdxsWithSearch(const std::string& text) const
{
    const QVFormatList matching = filterObjects(fullList(), text);
    std::vector<std::size_t> indexes;
    for (std::size_t i = 0; i < matching.size(); ++i) {
        if (!contains(m_content, matching[i]))
            indexes.push_back(i);
    }
    return indexes;
}

std::optional<QVFormatDefinition> NJSearchArrayController::currentObjectAtIndex(std::size_t index) const
{
    const QVFormatList& objects = currentObjects();
    if (index >= objects.size())
        return std::nullopt;
    return objects[index];
}

void NJSearchArrayController::setSelectionIndex(std::optional<std::size_t> index)
{
    if (index && *index >= currentObjectCount())
        index.reset();
    if (index == m_selection)
        return;
    m_selection = index;
    if (m_selectionObserver)
        m_selectionObserver();
}

void NJSearchArrayController::selectNext()
{
    if (m_content.empty())
        return;
    setSelectionIndex(m_selection ? std::min(*m_selection + 1, m_content.size() - 1) : 0);
}

void NJSearchArrayController::selectPrevious()
{
    if (m_content.empty())
        return;
    setSelectionIndex(m_selection && *m_selection > 0 ? *m_selection - 1 : 0);
}
