#include "GRMustacheExpressionInvocation.h"

#include "GRMustacheBlockVariadicFilter.h"
#include "GRMustacheContext.h"
#include "GRMustacheError.h"
#include "GRMustacheFilter.h"
#include "GRMustacheFilteredExpression.h"
#include "GRMustacheIdentifierExpression.h"
#include "GRMustacheImplicitIteratorExpression.h"
#include "GRMustacheKeyAccess.h"
#include "GRMustacheScopedExpression.h"

#include <algorithm>
#include <vector>

namespace {

// "<what> in tag `{{tag}}` at line N[ of template ID]", or `what` alone without a token.
std::string inTag(const std::string& what, const GRMustacheTokenPtr& token)
{
    if (!token)
        return what;
    std::string text = what + " in tag `" + std::string(token->templateSubstring()) + "` at line " + std::to_string(token->line());
    if (token->templateID())
        text += " of template " + token->templateID().description();
    return text;
}

} // namespace

bool GRMustacheExpressionInvocation::invokeReturningError(Error* error)
{
    m_value = {};
    m_valueIsProtected = false;
    return m_expression->acceptVisitor(*this, error);
}

bool GRMustacheExpressionInvocation::visitIdentifierExpression(const GRMustacheIdentifierExpression& expression,
                                                               Error*)
{
    m_value = m_context->valueForMustacheKey(expression.identifier(), &m_valueIsProtected);
    return true;
}

bool GRMustacheExpressionInvocation::visitScopedExpression(const GRMustacheScopedExpression& expression, Error* error)
{
    if (!expression.baseExpression()->acceptVisitor(*this, error))
        return false;
    m_value = GRMustacheKeyAccess::valueForMustacheKey(expression.identifier(), m_value,
                                                       m_context->unsafeKeyAccess());
    m_valueIsProtected = false;
    return true;
}

bool GRMustacheExpressionInvocation::visitImplicitIteratorExpression(const GRMustacheImplicitIteratorExpression&,
                                                                     Error*)
{
    m_value = m_context->topMustacheObject();
    m_valueIsProtected = false;
    return true;
}

bool GRMustacheExpressionInvocation::visitFilteredExpression(const GRMustacheFilteredExpression& expression,
                                                             Error* error)
{
    // f(a, b) is f(a) curried, then applied to b: the levels of that chain, innermost first.
    std::vector<const GRMustacheFilteredExpression*> levels{&expression};
    for (;;) {
        const auto* inner = dynamic_cast<const GRMustacheFilteredExpression*>(levels.back()->filterExpression().get());
        if (!inner || !inner->isCurried())
            break;
        levels.push_back(inner);
    }
    std::reverse(levels.begin(), levels.end());

    if (!levels.front()->filterExpression()->acceptVisitor(*this, error))
        return false;
    Value filter = m_value;
    // A variadic block filter takes all the arguments at once rather than a curried copy per argument.
    const auto* variadic = levels.size() > 1 && !expression.isCurried() && filter.kind() == Value::Kind::Object
        ? dynamic_cast<const GRMustacheBlockVariadicFilter*>(filter.object())
        : nullptr;
    if (variadic) {
        std::vector<Value> arguments;
        arguments.reserve(levels.size());
        for (const GRMustacheFilteredExpression* level : levels) {
            if (!level->argumentExpression()->acceptVisitor(*this, error))
                return false;
            arguments.push_back(std::move(m_value));
        }
        m_valueIsProtected = false;
        m_value = variadic->transformedValueWithArguments(std::move(arguments));
        return true;
    }
    for (const GRMustacheFilteredExpression* level : levels) {
        if (!level->argumentExpression()->acceptVisitor(*this, error) || !applyFilter(*level, filter, error))
            return false;
        filter = m_value;
    }
    return true;
}

bool GRMustacheExpressionInvocation::applyFilter(const GRMustacheFilteredExpression& expression,
                                                 const Value& filterValue, Error* error)
{
    const Value argument = m_value;
    m_valueIsProtected = false;

    if (!filterValue) {
        setMustacheError(error, makeMustacheError(GRMustacheErrorCodeRenderingError,
                                                  inTag("Missing filter", expression.token())));
        return false;
    }
    const auto* filter = dynamic_cast<const GRMustacheFilter*>(filterValue.object());
    if (!filter) {
        const std::string what = inTag("Object does not conform to GRMustacheFilter protocol", expression.token());
        setMustacheError(error, makeMustacheError(GRMustacheErrorCodeRenderingError,
                                                  what + ": " + filterValue.description()));
        return false;
    }
    if (expression.isCurried()) {
        if (Value curried = filter->filterByCurryingArgument(argument)) {
            m_value = std::move(curried);
            return true;
        }
    }
    m_value = filter->transformedValue(argument);
    return true;
}
