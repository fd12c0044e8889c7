#pragma once

// Whether variable tags are HTML-escaped (HTML) or rendered as they are (TEXT).
enum MustacheContentType : unsigned {
    MustacheContentTypeHTML = 0,
    MustacheContentTypeText = 1,
};
