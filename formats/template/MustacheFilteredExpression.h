#pragma once

#include "MustacheExpression.h"

#include <vector>

// A filter applied to an argument; a curried one yields a filter that awaits more.
class MustacheFilteredExpression final : public MustacheExpression {
public:
    MustacheFilteredExpression(MustacheExpressionPtr filterExpression, MustacheExpressionPtr argumentExpression,
                                 bool curried)
        : m_filterExpression(std::move(filterExpression))
        , m_argumentExpression(std::move(argumentExpression))
        , m_curried(curried)
    {
        if (!m_curried)
            m_levels = curriedLevels();
    }
    static MustacheExpressionPtr expressionWithFilterExpression(MustacheExpressionPtr filterExpression,
                                                                  MustacheExpressionPtr argumentExpression,
                                                                  bool curried);

    const MustacheExpressionPtr& filterExpression() const { return m_filterExpression; }
    const MustacheExpressionPtr& argumentExpression() const { return m_argumentExpression; }
    bool isCurried() const { return m_curried; }
    // f(a, b) is f(a) curried, then applied to b: the levels of that chain, innermost
    // first, this expression last.
    std::vector<const MustacheFilteredExpression*> curriedLevels() const;
    // The same, kept when the expression is not curried itself; empty when it is.
    const std::vector<const MustacheFilteredExpression*>& levels() const { return m_levels; }

    void setToken(MustacheTokenPtr token) override;
    bool acceptVisitor(MustacheExpressionVisitor& visitor, Error* error) const override;
    // The curried flag is not compared.
    bool isEqual(const MustacheExpression& other) const override;
    std::size_t hash() const override;

private:
    MustacheExpressionPtr m_filterExpression;
    MustacheExpressionPtr m_argumentExpression;
    bool m_curried;
    std::vector<const MustacheFilteredExpression*> m_levels;
};
