#pragma once

#include "formats/QVFormatDefinition.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QVFormatRepository;

// The rows of the format list: the repository's export formats narrowed by a filter
// text, with the row selection. While an animated filter change runs, a second list
// made with the animation's filter text stands in for the committed rows.
class NJSearchArrayController final {
public:
    using SelectionObserver = std::function<void()>;

    explicit NJSearchArrayController(const QVFormatRepository& repository);

    // The words of the filter must occur in the name in the order typed, ignoring case;
    // the search for a word starts where the previous word was found.
    static bool itemInSearch(const QVFormatDefinition& item, const QStringList& words);
    static QVFormatList filterObjects(const QVFormatList& objects, const std::optional<std::string>& filter);

    // The repository's export formats as they stand now.
    QVFormatList fullList() const;

    const QVFormatList& content() const { return m_content; }
    void setContent(QVFormatList content);
    // The list narrowed by the committed filter; the animation list is dropped.
    void setContentWithFilter(const QVFormatList& list);

    const std::optional<std::string>& searchString() const { return m_searchString; }
    void setSearchString(std::optional<std::string> text) { m_searchString = std::move(text); }
    const std::optional<std::string>& animSearchString() const { return m_animSearchString; }
    void setAnimSearchString(std::optional<std::string> text);

    // Indexes in the committed rows of the rows the text drops.
    std::vector<std::size_t> removeIdxsWithSearch(const std::string& text) const;
    // Indexes in the full list narrowed by the text of the rows not committed now.
    std::vector<std::size_t> insertIdxsWithSearch(const std::string& text) const;
    std::size_t itemsMatchingSearch() const { return m_content.size(); }

    std::size_t currentObjectCount() const { return currentObjects().size(); }
    const QVFormatList& currentObjects() const { return m_animArray ? *m_animArray : m_content; }
    std::optional<QVFormatDefinition> currentObjectAtIndex(std::size_t index) const;

    // One selected row at most.
    std::optional<std::size_t> selectionIndex() const { return m_selection; }
    void setSelectionIndex(std::optional<std::size_t> index);
    void selectNext();
    void selectPrevious();
    void setSelectionObserver(SelectionObserver observer) { m_selectionObserver = std::move(observer); }

private:
    const QVFormatRepository& m_repository;
    QVFormatList m_content;
    std::optional<std::string> m_searchString;
    std::optional<std::string> m_animSearchString;
    std::optional<QVFormatList> m_animArray;
    std::optional<std::size_t> m_selection;
    SelectionObserver m_selectionObserver;
};
