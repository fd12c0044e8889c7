#include "GRMustacheFilteredExpression.h"

#include "GRMustacheExpressionVisitor.h"

#include <algorithm>

GRMustacheExpressionPtr GRMustacheFilteredExpression::expressionWithFilterExpression(
    GRMustacheExpressionPtr filterExpression, GRMustacheExpressionPtr argumentExpression, bool curried)
{
    return std::make_shared<GRMustacheFilteredExpression>(std::move(filterExpression), std::move(argumentExpression),
                                                          curried);
}

std::vector<const GRMustacheFilteredExpression*> GRMustacheFilteredExpression::curriedLevels() const
{
    std::vector<const GRMustacheFilteredExpression*> levels{this};
    for (;;) {
        const auto* inner = dynamic_cast<const GRMustacheFilteredExpression*>(levels.back()->filterExpression().get());
        if (!inner || !inner->isCurried())
            break;
        levels.push_back(inner);
    }
    std::reverse(levels.begin(), levels.end());
    return levels;
}

void GRMustacheFilteredExpression::setToken(GRMustacheTokenPtr token)
{
    m_filterExpression->setToken(token);
    m_argumentExpression->setToken(token);
    GRMustacheExpression::setToken(std::move(token));
}

bool GRMustacheFilteredExpression::acceptVisitor(GRMustacheExpressionVisitor& visitor, Error* error) const
{
    return visitor.visitFilteredExpression(*this, error);
}

bool GRMustacheFilteredExpression::isEqual(const GRMustacheExpression& other) const
{
    const auto* filtered = dynamic_cast<const GRMustacheFilteredExpression*>(&other);
    return filtered && expressionsEqual(filtered->m_filterExpression.get(), m_filterExpression.get())
        && expressionsEqual(filtered->m_argumentExpression.get(), m_argumentExpression.get());
}

std::size_t GRMustacheFilteredExpression::hash() const
{
    return m_filterExpression->hash() ^ m_argumentExpression->hash();
}
