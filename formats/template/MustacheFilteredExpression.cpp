#include "MustacheFilteredExpression.h"

#include "MustacheExpressionVisitor.h"

#include <algorithm>

MustacheExpressionPtr MustacheFilteredExpression::expressionWithFilterExpression(
    MustacheExpressionPtr filterExpression, MustacheExpressionPtr argumentExpression, bool curried)
{
    return std::make_shared<MustacheFilteredExpression>(std::move(filterExpression), std::move(argumentExpression),
                                                          curried);
}

std::vector<const MustacheFilteredExpression*> MustacheFilteredExpression::curriedLevels() const
{
    std::vector<const MustacheFilteredExpression*> levels{this};
    for (;;) {
        const auto* inner = dynamic_cast<const MustacheFilteredExpression*>(levels.back()->filterExpression().get());
        if (!inner || !inner->isCurried())
            break;
        levels.push_back(inner);
    }
    std::reverse(levels.begin(), levels.end());
    return levels;
}

void MustacheFilteredExpression::setToken(MustacheTokenPtr token)
{
    m_filterExpression->setToken(token);
    m_argumentExpression->setToken(token);
    MustacheExpression::setToken(std::move(token));
}

bool MustacheFilteredExpression::acceptVisitor(MustacheExpressionVisitor& visitor, Error* error) const
{
    return visitor.visitFilteredExpression(*this, error);
}

bool MustacheFilteredExpression::isEqual(const MustacheExpression& other) const
{
    const auto* filtered = dynamic_cast<const MustacheFilteredExpression*>(&other);
    return filtered && expressionsEqual(filtered->m_filterExpression.get(), m_filterExpression.get())
        && expressionsEqual(filtered->m_argumentExpression.get(), m_argumentExpression.get());
}

std::size_t MustacheFilteredExpression::hash() const
{
    return m_filterExpression->hash() ^ m_argumentExpression->hash();
}
