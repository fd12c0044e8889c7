#pragma once

// Whether variable tags are HTML-escaped (HTML) or rendered as they are (TEXT).
enum GRMustacheContentType : unsigned {
    GRMustacheContentTypeHTML = 0,
    GRMustacheContentTypeText = 1,
};
