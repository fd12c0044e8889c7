#include "ColorManagementExceptions.h"

#include "foundation/Log.h"
#include "foundation/StringUtils.h"
#include "foundation/Value.h"

#include <algorithm>

namespace {

constexpr const char* kNamesLog = "no color mangement for apps named:%@";
constexpr const char* kPatternsLog = "no color mangement for apps matching:%@";
constexpr const char* kInvalidPatternLog = "Ignoring the application pattern \"%@\": %@";
constexpr char kSlash = '/';
// "/" + at least one character + "/".
constexpr std::size_t kShortestPattern = 3;

bool isPattern(const std::string& entry)
{
    return entry.size() >= kShortestPattern && entry.front() == kSlash && entry.back() == kSlash;
}

Value listValue(const std::vector<std::string>& entries)
{
    return Value(std::vector<Value>(entries.begin(), entries.end()));
}

} // namespace

ColorManagementExceptions::ColorManagementExceptions(const std::vector<std::string>& entries)
{
    for (const std::string& entry : entries) {
        if (!isPattern(entry)) {
            m_names.push_back(entry);
            continue;
        }
        const std::string source = entry.substr(1, entry.size() - 2);
        QRegularExpression pattern(QString::fromStdString(source));
        if (!pattern.isValid()) {
            logging::log(strings::format(kInvalidPatternLog, {Value(source), Value(pattern.errorString().toStdString())}));
            continue;
        }
        pattern.optimize();
        m_patterns.push_back(std::move(pattern));
        m_patternSources.push_back(source);
    }
    logging::debug(strings::format(kNamesLog, {listValue(m_names)}));
    logging::debug(strings::format(kPatternsLog, {listValue(m_patternSources)}));
}

bool ColorManagementExceptions::contains(const std::string& appName) const
{
    if (std::find(m_names.begin(), m_names.end(), appName) != m_names.end())
        return true;
    if (m_patterns.empty())
        return false;
    const QString name = QString::fromStdString(appName);
    return std::any_of(m_patterns.begin(), m_patterns.end(),
        [&name](const QRegularExpression& pattern) { return pattern.match(name).hasMatch(); });
}
