#include "platform/html_nesting.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace {

using Name = std::uint64_t;   // a tag name, lower-cased and hashed

constexpr Name hashOf(std::string_view lower) {
    Name h = 14695981039346656037ull;
    for (const char c : lower) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h;
}

consteval Name operator""_tag(const char* s, std::size_t n) { return hashOf(std::string_view(s, n)); }

bool oneOf(Name n, std::initializer_list<Name> names) {
    for (const Name s : names)
        if (n == s) return true;
    return false;
}

bool holdsNothing(Name n) {
    return oneOf(n, {"area"_tag, "base"_tag, "basefont"_tag, "bgsound"_tag, "br"_tag, "col"_tag, "embed"_tag, "frame"_tag, "hr"_tag, "image"_tag, "img"_tag,
                     "input"_tag, "isindex"_tag, "keygen"_tag, "link"_tag, "menuitem"_tag, "meta"_tag, "param"_tag, "source"_tag, "track"_tag, "wbr"_tag});
}

// Elements whose content is text up to their own end tag, never markup.
bool holdsRawText(Name n) {
    return oneOf(n, {"script"_tag, "style"_tag, "textarea"_tag, "title"_tag, "xmp"_tag, "iframe"_tag, "noembed"_tag, "noframes"_tag});
}

// The elements an end tag of another kind does not reach past.
bool special(Name n) {
    return oneOf(n, {"address"_tag, "applet"_tag, "article"_tag, "aside"_tag, "blockquote"_tag, "body"_tag,
                     "button"_tag, "caption"_tag, "center"_tag, "colgroup"_tag, "dd"_tag, "details"_tag, "dir"_tag,
                     "div"_tag, "dl"_tag, "dt"_tag, "fieldset"_tag, "figcaption"_tag, "figure"_tag, "footer"_tag,
                     "form"_tag, "frameset"_tag, "h1"_tag, "h2"_tag, "h3"_tag, "h4"_tag, "h5"_tag, "h6"_tag,
                     "head"_tag, "header"_tag, "hgroup"_tag, "html"_tag, "iframe"_tag, "li"_tag, "listing"_tag,
                     "main"_tag, "marquee"_tag, "menu"_tag, "nav"_tag, "noembed"_tag, "noframes"_tag, "noscript"_tag,
                     "object"_tag, "ol"_tag, "p"_tag, "plaintext"_tag, "pre"_tag, "script"_tag, "section"_tag,
                     "select"_tag, "style"_tag, "summary"_tag, "table"_tag, "tbody"_tag, "td"_tag, "template"_tag,
                     "textarea"_tag, "tfoot"_tag, "th"_tag, "thead"_tag, "title"_tag, "tr"_tag, "ul"_tag, "xmp"_tag,
                     "svg"_tag, "math"_tag});
}

// The containers that bound what an end tag or a new paragraph closes.
bool scopeBoundary(Name n) {
    return oneOf(n, {"applet"_tag, "caption"_tag, "html"_tag, "table"_tag, "td"_tag, "th"_tag, "marquee"_tag,
                     "object"_tag, "template"_tag, "svg"_tag, "math"_tag});
}

// Parts of a table, which count only inside one.
bool tablePart(Name n) {
    return oneOf(n, {"caption"_tag, "colgroup"_tag, "tbody"_tag, "thead"_tag, "tfoot"_tag, "tr"_tag, "td"_tag, "th"_tag});
}

// Start tags that close an open paragraph.
bool closesParagraph(Name n) {
    return oneOf(n, {"address"_tag, "article"_tag, "aside"_tag, "blockquote"_tag, "center"_tag, "details"_tag,
                     "dialog"_tag, "dir"_tag, "div"_tag, "dl"_tag, "fieldset"_tag, "figcaption"_tag, "figure"_tag,
                     "footer"_tag, "form"_tag, "h1"_tag, "h2"_tag, "h3"_tag, "h4"_tag, "h5"_tag, "h6"_tag,
                     "header"_tag, "hgroup"_tag, "hr"_tag, "li"_tag, "dd"_tag, "dt"_tag, "listing"_tag, "main"_tag,
                     "menu"_tag, "nav"_tag, "ol"_tag, "p"_tag, "pre"_tag, "section"_tag, "summary"_tag,
                     "table"_tag, "ul"_tag, "xmp"_tag});
}

// Reads one tag name from `at`; returns its hash and moves `at` past it.
Name readName(const std::string& s, std::size_t& at) {
    char lower[32];
    std::size_t n = 0;
    for (; at < s.size(); ++at) {
        const char c = s[at];
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '/' || c == '>') break;
        if (n < sizeof lower) lower[n++] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    }
    return hashOf(std::string_view(lower, n));
}

// Skips a tag's attributes to just past its '>' (a quoted value may hold '>'); says whether the
// tag ended with "/>".
bool skipAttributes(const std::string& s, std::size_t& at) {
    bool afterEquals = false, slash = false;
    for (; at < s.size(); ++at) {
        const char c = s[at];
        if (c == '>') {
            ++at;
            return slash;
        }
        if ((c == '"' || c == '\'') && afterEquals) {
            const std::size_t close = s.find(c, at + 1);
            at = close == std::string::npos ? s.size() : close;
            afterEquals = false;
            slash = false;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') continue;
        afterEquals = c == '=';
        slash = c == '/';
    }
    return false;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Past the end tag `</name` of raw text that starts at `at` (its end when there is none).
std::size_t afterRawText(const std::string& s, std::size_t at, Name name) {
    for (std::size_t lt = s.find("</", at); lt != std::string::npos; lt = s.find("</", lt + 2)) {
        std::size_t p = lt + 2;
        if (readName(s, p) == name) return lt;
    }
    return s.size();
}

class OpenElements {
public:
    explicit OpenElements(std::size_t limit) : limit_(limit) {}

    // False once the nesting passes the limit.
    bool start(Name n, bool selfClosing) {
        if (holdsNothing(n) || (selfClosing && foreign_ > 0) || (tablePart(n) && tables_ == 0)) return true;
        const auto is = [](auto... names) { return [=](Name e) { return ((e == names) || ...); }; };
        if (closesParagraph(n))
            closeNearest(is("p"_tag), [](Name e) { return scopeBoundary(e) || e == "button"_tag; });
        const auto itemStop = [](Name e) {
            return special(e) && e != "address"_tag && e != "div"_tag && e != "p"_tag;
        };
        switch (n) {
            case "li"_tag: closeNearest(is("li"_tag), itemStop); break;
            case "dt"_tag: case "dd"_tag: closeNearest(is("dt"_tag, "dd"_tag), itemStop); break;
            case "option"_tag: closeNearest(is("option"_tag), [](Name) { return true; }); break;   // only the current one
            case "tr"_tag: closeNearest(is("tr"_tag), is("table"_tag, "template"_tag)); break;
            case "td"_tag: case "th"_tag: closeNearest(is("td"_tag, "th"_tag), is("tr"_tag, "table"_tag, "template"_tag)); break;
            default: break;
        }
        push(n);
        return open_.size() <= limit_;
    }

    void end(Name n) {
        const auto target = [n](Name e) { return e == n; };
        if (tablePart(n) || n == "table"_tag) {
            if (tables_ > 0) closeNearest(target, [](Name e) { return e == "table"_tag || e == "html"_tag || e == "template"_tag; });
        } else if (special(n)) {
            closeNearest(target, [n](Name e) {
                return scopeBoundary(e) || (n == "li"_tag && (e == "ul"_tag || e == "ol"_tag)) ||
                       (n == "p"_tag && e == "button"_tag);
            });
        } else {
            closeNearest(target, special);   // an end tag of another kind stops at a special element
        }
    }

private:
    void push(Name n) {
        open_.push_back(n);
        count(n, +1);
    }
    void count(Name n, int by) {
        if (n == "svg"_tag || n == "math"_tag) foreign_ += by;
        if (n == "table"_tag) tables_ += by;
    }

    // Closes the nearest open element that `matches`, unless one that `stops` comes first.
    template <class Matches, class Stops>
    void closeNearest(Matches matches, Stops stops) {
        for (std::size_t i = open_.size(); i-- > 0;) {
            const Name e = open_[i];
            if (matches(e)) {
                for (std::size_t k = i; k < open_.size(); ++k) count(open_[k], -1);
                open_.resize(i);
                return;
            }
            if (stops(e)) return;
        }
    }

    std::size_t limit_;
    std::vector<Name> open_;
    int foreign_ = 0;   // open svg and math elements, inside which "/>" closes an element
    int tables_ = 0;    // open tables, outside which rows and cells are no elements
};

}  // namespace

bool nestsDeeperThan(const std::string& s, std::size_t limit) {
    OpenElements open(limit);
    for (std::size_t at = s.find('<'); at != std::string::npos && at < s.size(); at = s.find('<', at)) {
        if (s.compare(at, 4, "<!--") == 0) {
            const std::size_t close = s.find("-->", at + 4);
            if (close == std::string::npos) return false;
            at = close + 3;
        } else if (at + 1 < s.size() && (s[at + 1] == '!' || s[at + 1] == '?')) {
            at = s.find('>', at);
        } else if (at + 2 < s.size() && s[at + 1] == '/' && isLetter(s[at + 2])) {
            at += 2;
            open.end(readName(s, at));
            skipAttributes(s, at);
        } else if (at + 1 < s.size() && isLetter(s[at + 1])) {
            ++at;
            const Name name = readName(s, at);
            const bool selfClosing = skipAttributes(s, at);
            if (name == "plaintext"_tag) return false;   // the rest of the page is text
            if (!open.start(name, selfClosing)) return true;
            if (holdsRawText(name)) at = afterRawText(s, at, name);   // its end tag is read next
        } else {
            ++at;
        }
    }
    return false;
}
