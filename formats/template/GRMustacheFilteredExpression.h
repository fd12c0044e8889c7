#pragma once

#include "GRMustacheExpression.h"

#include <vector>

// A filter applied to an argument; a curried one yields a filter that awaits more.
class GRMustacheFilteredExpression final : public GRMustacheExpression {
public:
    GRMustacheFilteredExpression(GRMustacheExpressionPtr filterExpression, GRMustacheExpressionPtr argumentExpression,
                                 bool curried)
        : m_filterExpression(std::move(filterExpression))
        , m_argumentExpression(std::move(argumentExpression))
        , m_curried(curried)
    {
        if (!m_curried)
            m_levels = curriedLevels();
    }
    static GRMustacheExpressionPtr expressionWithFilterExpression(GRMustacheExpressionPtr filterExpression,
                                                                  GRMustacheExpressionPtr argumentExpression,
                                                                  bool curried);

    const GRMustacheExpressionPtr& filterExpression() const { return m_filterExpression; }
    const GRMustacheExpressionPtr& argumentExpression() const { return m_argumentExpression; }
    bool isCurried() const { return m_curried; }
    // f(a, b) is f(a) curried, then applied to b: the levels of that chain, innermost
    // first, this expression last.
    std::vector<const GRMustacheFilteredExpression*> curriedLevels() const;
    // The same, kept when the expression is not curried itself; empty when it is.
    const std::vector<const GRMustacheFilteredExpression*>& levels() const { return m_levels; }

    void setToken(GRMustacheTokenPtr token) override;
    bool acceptVisitor(GRMustacheExpressionVisitor& visitor, Error* error) const override;
    // The curried flag is not compared.
    bool isEqual(const GRMustacheExpression& other) const override;
    std::size_t hash() const override;

private:
    GRMustacheExpressionPtr m_filterExpression;
    GRMustacheExpressionPtr m_argumentExpression;
    bool m_curried;
    std::vector<const GRMustacheFilteredExpression*> m_levels;
};
