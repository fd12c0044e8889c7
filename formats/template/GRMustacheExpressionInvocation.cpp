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

#include <typeinfo>
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
    setValue({});
    m_valueIsProtected = false;
    // Most tags hold a plain name.
    if (m_expression->isIdentifier())
        return visitIdentifierExpression(static_cast<const GRMustacheIdentifierExpression&>(*m_expression), error);
    return m_expression->acceptVisitor(*this, error);
}

void GRMustacheExpressionInvocation::setValue(Value value)
{
    m_value = std::move(value);
    m_result = &m_value;
}

void GRMustacheExpressionInvocation::borrowValue(const Value* value)
{
    if (value) {
        m_result = value;
        return;
    }
    setValue({});
}

Value GRMustacheExpressionInvocation::takeValue()
{
    return m_result == &m_value ? std::move(m_value) : *m_result;
}

bool GRMustacheExpressionInvocation::visitIdentifierExpression(const GRMustacheIdentifierExpression& expression,
                                                               Error*)
{
    // m_value holds nothing that m_result still needs: a lookup may compute into it.
    borrowValue(m_context->lookUpMustacheKey(expression.identifier(), m_value, &m_valueIsProtected));
    return true;
}

bool GRMustacheExpressionInvocation::visitScopedExpression(const GRMustacheScopedExpression& expression, Error* error)
{
    if (!expression.baseExpression()->acceptVisitor(*this, error))
        return false;
    Value computed;
    const Value* value = GRMustacheKeyAccess::lookUpMustacheKey(expression.identifier(), *m_result,
                                                                m_context->unsafeKeyAccess(), computed);
    if (value == &computed)
        setValue(std::move(computed));
    else
        borrowValue(value);
    m_valueIsProtected = false;
    return true;
}

bool GRMustacheExpressionInvocation::visitImplicitIteratorExpression(const GRMustacheImplicitIteratorExpression&,
                                                                     Error*)
{
    borrowValue(m_context->topObject());
    m_valueIsProtected = false;
    return true;
}

bool GRMustacheExpressionInvocation::visitFilteredExpression(const GRMustacheFilteredExpression& expression,
                                                             Error* error)
{
    std::vector<const GRMustacheFilteredExpression*> curried;
    if (expression.isCurried())
        curried = expression.curriedLevels();
    const std::vector<const GRMustacheFilteredExpression*>& levels = expression.isCurried() ? curried
                                                                                            : expression.levels();

    if (!levels.front()->filterExpression()->acceptVisitor(*this, error))
        return false;
    Value filter = takeValue();
    // A variadic block filter takes all the arguments at once rather than a curried copy per argument.
    // The class is final: its exact type tells as a cast would, for less.
    const Object* filterObject = filter.object();
    const auto* variadic = levels.size() > 1 && !expression.isCurried() && filter.kind() == Value::Kind::Object
            && typeid(*filterObject) == typeid(GRMustacheBlockVariadicFilter)
        ? static_cast<const GRMustacheBlockVariadicFilter*>(filterObject)
        : nullptr;
    if (variadic) {
        std::vector<Value> arguments;
        arguments.reserve(levels.size());
        for (const GRMustacheFilteredExpression* level : levels) {
            if (!level->argumentExpression()->acceptVisitor(*this, error))
                return false;
            arguments.push_back(takeValue());
        }
        m_valueIsProtected = false;
        setValue(variadic->transformedValueWithArguments(std::move(arguments)));
        return true;
    }
    for (const GRMustacheFilteredExpression* level : levels) {
        if (!level->argumentExpression()->acceptVisitor(*this, error) || !applyFilter(*level, filter, error))
            return false;
        filter = value();
    }
    return true;
}

bool GRMustacheExpressionInvocation::applyFilter(const GRMustacheFilteredExpression& expression,
                                                 const Value& filterValue, Error* error)
{
    const Value argument = takeValue();
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
            setValue(std::move(curried));
            return true;
        }
    }
    setValue(filter->transformedValue(argument));
    return true;
}
