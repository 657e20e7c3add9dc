#pragma once
// The plain text of an HTML page's body as a reader sees it: no markup, no scripts or styles,
// entities decoded, one line a block, in UTF-8 whatever the page's own character set.
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

// What a page from outside may cost to read. Only the head of a longer page is parsed; a page
// that nests deeper than any real one is refused before it is parsed (the parser's time grows
// with the square of the nesting), and a parse that still runs past its time is abandoned. The
// time is the parser's own processor time, so how busy the machine is never decides.
struct PageTextLimits {
    std::size_t parsedBytes = 2 * 1024 * 1024;
    std::size_t nesting = 512;
    std::chrono::milliseconds parseTime{5000};
};

struct PageText {
    bool ok = true;
    std::string text;
    std::string why;   // when not ok
};

// `contentType` is the server's Content-Type header, which may name the character set;
// `keepGoing` is asked all along the parse (may be empty), and false abandons it.
PageText readHtmlBody(const std::string& html, const std::string& contentType = "",
                      const std::function<bool()>& keepGoing = {}, const PageTextLimits& limits = {});
// The text alone, empty for a page that cannot be read.
std::string htmlBodyText(const std::string& html, const std::string& contentType = "");
// The page's bytes in UTF-8: the character set from a byte-order mark, the header, or the
// page's own meta tag, else UTF-8 where the bytes are valid UTF-8 and Windows-1252 where not.
std::string htmlToUtf8(const std::string& html, const std::string& contentType = "");
