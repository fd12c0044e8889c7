#include "MustacheExpressionParser.h"

#include "MustacheError.h"
#include "MustacheFilteredExpression.h"
#include "MustacheIdentifierExpression.h"
#include "MustacheImplicitIteratorExpression.h"
#include "MustacheScopedExpression.h"

#include "foundation/StringUtils.h"

#include <string_view>
#include <vector>

namespace {

constexpr const char* kMissingExpression = "Missing expression";
constexpr const char* kInvalidExpression = "Invalid expression";

// Every scope and call wraps the expression before it, so this bounds the tree's
// depth: evaluating or freeing a deeper one would exhaust the stack.
constexpr std::size_t kMaximumCompoundNodes = 256;

enum class State { Initial, LeadingDot, Identifier, AfterDot, AfterIdentifier, AfterCall, Invalid };

bool isWhitespace(char c)
{
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

bool isInvalidInitial(char c)
{
    return std::string_view("#$&(),/<>^{}").find(c) != std::string_view::npos;
}

bool isInvalidAfterLeadingDot(char c)
{
    return std::string_view("#$&./<>^{}").find(c) != std::string_view::npos;
}

bool isInvalidAfterDot(char c)
{
    return isWhitespace(c) || std::string_view("#$&(),./<>^{}").find(c) != std::string_view::npos;
}

// The state machine of one parse.
class ExpressionBuilder {
public:
    explicit ExpressionBuilder(std::string_view units) : m_units(units) {}

    MustacheExpressionPtr parse(bool* empty)
    {
        for (std::size_t i = 0; i < m_units.size() && m_state != State::Invalid && !m_tooDeep; ++i)
            step(m_units[i], i);
        if (m_tooDeep) {
            *empty = false;
            return nullptr;
        }
        return finish(empty);
    }

private:
    void step(char c, std::size_t i)
    {
        switch (m_state) {
        case State::Initial:
            if (isWhitespace(c))
                return;
            if (c == '.') {
                m_current = MustacheImplicitIteratorExpression::expression();
                m_state = State::LeadingDot;
            } else if (isInvalidInitial(c)) {
                m_state = State::Invalid;
            } else {
                startIdentifier(i);
            }
            return;
        case State::LeadingDot:
            if (isWhitespace(c))
                m_state = State::AfterIdentifier;
            else if (c == '(' || c == ')' || c == ',')
                call(c);
            else if (isInvalidAfterLeadingDot(c))
                m_state = State::Invalid;
            else
                startIdentifier(i);
            return;
        case State::Identifier:
            if (isWhitespace(c)) {
                endIdentifier(i);
                m_state = State::AfterIdentifier;
            } else if (c == '(' || c == ')' || c == ',') {
                endIdentifier(i);
                call(c);
            } else if (c == '.') {
                endIdentifier(i);
                m_state = State::AfterDot;
            }
            return;
        case State::AfterDot:
            if (isInvalidAfterDot(c))
                m_state = State::Invalid;
            else
                startIdentifier(i);
            return;
        case State::AfterIdentifier:
            if (isWhitespace(c))
                return;
            if (c == '(' || c == ')' || c == ',')
                call(c);
            else
                m_state = State::Invalid;
            return;
        case State::AfterCall:
            if (isWhitespace(c))
                return;
            if (c == '(' || c == ')' || c == ',')
                call(c);
            else if (c == '.')
                m_state = State::AfterDot;
            else
                m_state = State::Invalid;
            return;
        case State::Invalid:
            return;
        }
    }

    // "(" opens a call on the current expression, ")" applies, "," curries.
    void call(char c)
    {
        if (c == '(') {
            m_pendingFilters.push_back(std::move(m_current));
            m_current.reset();
            m_state = State::Initial;
            return;
        }
        if (m_pendingFilters.empty()) {
            m_state = State::Invalid;
            return;
        }
        if (++m_compoundNodes > kMaximumCompoundNodes) {
            m_tooDeep = true;
            return;
        }
        MustacheExpressionPtr filter = std::move(m_pendingFilters.back());
        m_pendingFilters.pop_back();
        if (c == ')') {
            m_current = MustacheFilteredExpression::expressionWithFilterExpression(std::move(filter),
                                                                                     std::move(m_current), false);
            m_state = State::AfterCall;
        } else {
            m_pendingFilters.push_back(MustacheFilteredExpression::expressionWithFilterExpression(
                std::move(filter), std::move(m_current), true));
            m_current.reset();
            m_state = State::Initial;
        }
    }

    void startIdentifier(std::size_t i)
    {
        m_identifierStart = i;
        m_state = State::Identifier;
    }

    void endIdentifier(std::size_t i)
    {
        std::string identifier(m_units.substr(m_identifierStart, i - m_identifierStart));
        if (m_current && ++m_compoundNodes > kMaximumCompoundNodes)
            m_tooDeep = true;
        else if (m_current)
            m_current = MustacheScopedExpression::expressionWithBaseExpression(std::move(m_current),
                                                                                 std::move(identifier));
        else
            m_current = MustacheIdentifierExpression::expressionWithIdentifier(std::move(identifier));
    }

    MustacheExpressionPtr finish(bool* empty)
    {
        *empty = false;
        switch (m_state) {
        case State::Initial:
            if (m_pendingFilters.empty())
                *empty = true;
            return nullptr;
        case State::Identifier:
            endIdentifier(m_units.size());
            [[fallthrough]];
        case State::LeadingDot:
        case State::AfterIdentifier:
        case State::AfterCall:
            if (!m_pendingFilters.empty())
                return nullptr;
            return m_current;
        case State::AfterDot:
        case State::Invalid:
            return nullptr;
        }
        return nullptr;
    }

    std::string_view m_units;
    State m_state = State::Initial;
    MustacheExpressionPtr m_current;
    std::vector<MustacheExpressionPtr> m_pendingFilters;
    std::size_t m_identifierStart = 0;
    std::size_t m_compoundNodes = 0;
    bool m_tooDeep = false;
};

} // namespace

MustacheExpressionPtr MustacheExpressionParser::parseExpression(std::string_view string, bool* empty,
                                                                    Error* error) const
{
    // Malformed bytes read as U+FFFD; every character the grammar knows is ASCII, so the
    // rest is scanned as bytes.
    const std::string repaired = strings::isValidUtf8(string) ? std::string() : strings::validUtf8(string);
    bool isEmpty = false;
    MustacheExpressionPtr expression = ExpressionBuilder(repaired.empty() ? string : repaired).parse(&isEmpty);
    if (expression)
        return expression;
    if (empty)
        *empty = isEmpty;
    setMustacheError(error, makeMustacheError(MustacheErrorCodeParseError,
                                              isEmpty ? kMissingExpression : kInvalidExpression));
    return nullptr;
}
