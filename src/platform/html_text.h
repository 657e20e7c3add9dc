#pragma once
// The plain text of an HTML page's body as a reader sees it: no markup, no scripts or styles,
// entities decoded, one line a block, in UTF-8 whatever the page's own character set.
#include <string>

// `contentType` is the server's Content-Type header, which may name the character set.
std::string htmlBodyText(const std::string& html, const std::string& contentType = "");
// The page's bytes in UTF-8: the character set from a byte-order mark, the header, or the
// page's own meta tag, else UTF-8 where the bytes are valid UTF-8 and Windows-1252 where not.
std::string htmlToUtf8(const std::string& html, const std::string& contentType = "");
