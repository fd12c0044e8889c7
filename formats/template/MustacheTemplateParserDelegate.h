#pragma once

#include "MustacheToken.h"

#include "foundation/Error.h"

class MustacheTemplateParser;

// Receives the tokens of a parse in order; both callbacks are optional.
class MustacheTemplateParserDelegate {
public:
    virtual ~MustacheTemplateParserDelegate() = default;

    // Answering false stops the parse at once, without an error.
    virtual bool shouldContinueAfterParsingToken(MustacheTemplateParser& parser, const MustacheTokenPtr& token);
    virtual void didFailWithError(MustacheTemplateParser& parser, const Error& error);
};
