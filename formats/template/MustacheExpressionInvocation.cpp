#include "MustacheExpressionInvocation.h"

#include "MustacheBlockVariadicFilter.h"
#include "MustacheContext.h"
#include "MustacheError.h"
#include "MustacheFilter.h"
#include "MustacheFilteredExpression.h"
#include "MustacheIdentifierExpression.h"
#include "MustacheImplicitIteratorExpression.h"
#include "MustacheKeyAccess.h"
#include "MustacheScopedExpression.h"

#include <typeinfo>
#include <vector>

namespace {

// "<what> in tag `{{tag}}` at line N[ of template ID]", or `what` alone without a token.
std::string inTag(const std::string& what, const MustacheTokenPtr& token)
{
    if (!token)
        return what;
    std::string text = what + " in tag `" + std::string(token->templateSubstring()) + "` at line " + std::to_string(token->line());
    if (token->templateID())
        text += " of template " + token->templateID().description();
    return text;
}

} // namespace

bool MustacheExpressionInvocation::invokeReturningError(Error* error)
{
    setValue({});
    m_valueIsProtected = false;
    // Most tags hold a plain name.
    if (m_expression->isIdentifier())
        return visitIdentifierExpression(static_cast<const MustacheIdentifierExpression&>(*m_expression), error);
    return m_expression->acceptVisitor(*this, error);
}

void MustacheExpressionInvocation::setValue(Value value)
{
    m_value = std::move(value);
    m_result = &m_value;
}

void MustacheExpressionInvocation::borrowValue(const Value* value)
{
    if (value) {
        m_result = value;
        return;
    }
    setValue({});
}

Value MustacheExpressionInvocation::takeValue()
{
    return m_result == &m_value ? std::move(m_value) : *m_result;
}

bool MustacheExpressionInvocation::visitIdentifierExpression(const MustacheIdentifierExpression& expression,
                                                               Error*)
{
    // m_value holds nothing that m_result still needs: a lookup may compute into it.
    borrowValue(m_context->lookUpMustacheKey(expression.identifier(), m_value, &m_valueIsProtected));
    return true;
}

bool MustacheExpressionInvocation::visitScopedExpression(const MustacheScopedExpression& expression, Error* error)
{
    if (!expression.baseExpression()->acceptVisitor(*this, error))
        return false;
    Value computed;
    const Value* value = MustacheKeyAccess::lookUpMustacheKey(expression.identifier(), *m_result,
                                                                m_context->unsafeKeyAccess(), computed);
    if (value == &computed)
        setValue(std::move(computed));
    else
        borrowValue(value);
    m_valueIsProtected = false;
    return true;
}

bool MustacheExpressionInvocation::visitImplicitIteratorExpression(const MustacheImplicitIteratorExpression&,
                                                                     Error*)
{
    borrowValue(m_context->topObject());
    m_valueIsProtected = false;
    return true;
}

bool MustacheExpressionInvocation::visitFilteredExpression(const MustacheFilteredExpression& expression,
                                                             Error* error)
{
    std::vector<const MustacheFilteredExpression*> curried;
    if (expression.isCurried())
        curried = expression.curriedLevels();
    const std::vector<const MustacheFilteredExpression*>& levels = expression.isCurried() ? curried
                                                                                            : expression.levels();

    if (!levels.front()->filterExpression()->acceptVisitor(*this, error))
        return false;
    Value filter = takeValue();
    // A variadic block filter takes all the arguments at once rather than a curried copy per argument.
    // The class is final: its exact type tells as a cast would, for less.
    const Object* filterObject = filter.object();
    const auto* variadic = levels.size() > 1 && !expression.isCurried() && filter.kind() == Value::Kind::Object
            && typeid(*filterObject) == typeid(MustacheBlockVariadicFilter)
        ? static_cast<const MustacheBlockVariadicFilter*>(filterObject)
        : nullptr;
    if (variadic) {
        std::vector<Value> arguments;
        arguments.reserve(levels.size());
        for (const MustacheFilteredExpression* level : levels) {
            if (!level->argumentExpression()->acceptVisitor(*this, error))
                return false;
            arguments.push_back(takeValue());
        }
        m_valueIsProtected = false;
        setValue(variadic->transformedValueWithArguments(std::move(arguments)));
        return true;
    }
    for (const MustacheFilteredExpression* level : levels) {
        if (!level->argumentExpression()->acceptVisitor(*this, error) || !applyFilter(*level, filter, error))
            return false;
        filter = value();
    }
    return true;
}

bool MustacheExpressionInvocation::applyFilter(const MustacheFilteredExpression& expression,
                                                 const Value& filterValue, Error* error)
{
    const Value argument = takeValue();
    m_valueIsProtected = false;

    if (!filterValue) {
        setMustacheError(error, makeMustacheError(MustacheErrorCodeRenderingError,
                                                  inTag("Missing filter", expression.token())));
        return false;
    }
    const auto* filter = dynamic_cast<const MustacheFilter*>(filterValue.object());
    if (!filter) {
        const std::string what = inTag("Object does not conform to MustacheFilter protocol", expression.token());
        setMustacheError(error, makeMustacheError(MustacheErrorCodeRenderingError,
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
