#pragma once

#include "GRMustacheToken.h"

#include "foundation/Error.h"

class GRMustacheTemplateParser;

// Receives the tokens of a parse in order; both callbacks are optional.
class GRMustacheTemplateParserDelegate {
public:
    virtual ~GRMustacheTemplateParserDelegate() = default;

    // Answering false stops the parse at once, without an error.
    virtual bool shouldContinueAfterParsingToken(GRMustacheTemplateParser& parser, const GRMustacheTokenPtr& token);
    virtual void didFailWithError(GRMustacheTemplateParser& parser, const Error& error);
};
