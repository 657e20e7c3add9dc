#include "platform/html_text.h"

#include "platform/html_nesting.h"
#include "platform/html_parse.h"

#include <gumbo.h>
#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <vector>

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The value after "charset=" in a header or a meta tag, without quotes.
std::string charsetAfter(const std::string& text, size_t from, size_t end) {
    const std::string low = lower(text.substr(from, end - from));
    const size_t at = low.find("charset");
    if (at == std::string::npos) return "";
    size_t i = at + 7;
    while (i < low.size() && (low[i] == ' ' || low[i] == '\t')) ++i;
    if (i >= low.size() || low[i] != '=') return "";
    ++i;
    while (i < low.size() && (low[i] == ' ' || low[i] == '"' || low[i] == '\'')) ++i;
    size_t j = i;
    while (j < low.size() && (std::isalnum(static_cast<unsigned char>(low[j])) || low[j] == '-' || low[j] == '_' ||
                              low[j] == ':' || low[j] == '.'))
        ++j;
    return low.substr(i, j - i);
}

std::string metaCharset(const std::string& html) {
    const std::string head = lower(html.substr(0, 8192));
    for (size_t at = head.find("<meta"); at != std::string::npos; at = head.find("<meta", at + 5)) {
        const size_t end = head.find('>', at);
        const std::string found = charsetAfter(head, at, end == std::string::npos ? head.size() : end);
        if (!found.empty()) return found;
    }
    return "";
}

// The length of the well-formed UTF-8 sequence at s[i] (no overlong forms, no surrogates,
// nothing past U+10FFFF, none of the old five- and six-byte forms), or 0 where there is none.
size_t utf8SequenceAt(const std::string& s, size_t i) {
    const auto at = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = at(i);
    if (c < 0x80) return 1;
    size_t n = 0;
    unsigned char low = 0x80, high = 0xBF;   // the allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) low = 0xA0;
        if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) low = 0x90;
        if (c == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + n > s.size() || at(i + 1) < low || at(i + 1) > high) return 0;
    for (size_t k = 2; k < n; ++k)
        if ((at(i + k) & 0xC0) != 0x80) return 0;
    return n;
}

bool validUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const size_t n = utf8SequenceAt(s, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

// The converter passes some malformed sequences through (the old five-byte forms among them):
// every byte that starts no well-formed sequence becomes the replacement character.
std::string repairUtf8(const std::string& s) {
    if (validUtf8(s)) return s;
    std::string out;
    out.reserve(s.size() + 8);
    for (size_t i = 0; i < s.size();) {
        const size_t n = utf8SequenceAt(s, i);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(s, i, n);
            i += n;
        }
    }
    return out;
}

// Pages that say Latin-1 or ASCII are read as Windows-1252, as browsers read them.
std::string iconvName(const std::string& charset) {
    const std::string c = lower(charset);
    if (c == "iso-8859-1" || c == "iso8859-1" || c == "latin1" || c == "latin-1" || c == "us-ascii" || c == "ascii" ||
        c == "l1")
        return "WINDOWS-1252";
    return c;
}

std::string convert(const std::string& bytes, const std::string& from) {
    iconv_t cd = iconv_open("UTF-8", iconvName(from).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) cd = iconv_open("UTF-8", "WINDOWS-1252");
    if (cd == reinterpret_cast<iconv_t>(-1)) return bytes;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    std::vector<char> buf(8192);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPtr = buf.data();
        size_t outLeft = buf.size();
        const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int why = errno;
        out.append(buf.data(), buf.size() - outLeft);
        if (r != static_cast<size_t>(-1) || why == E2BIG) continue;
        // A byte that does not belong to the character set becomes the replacement character.
        out += "\xEF\xBF\xBD";
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return repairUtf8(out);
}

bool skipped(GumboTag tag) {
    switch (tag) {
        case GUMBO_TAG_SCRIPT: case GUMBO_TAG_STYLE: case GUMBO_TAG_NOSCRIPT: case GUMBO_TAG_TEMPLATE:
        case GUMBO_TAG_HEAD: case GUMBO_TAG_TITLE:
            return true;
        default:
            return false;
    }
}

bool block(GumboTag tag) {
    switch (tag) {
        case GUMBO_TAG_ADDRESS: case GUMBO_TAG_ARTICLE: case GUMBO_TAG_ASIDE: case GUMBO_TAG_BLOCKQUOTE:
        case GUMBO_TAG_CAPTION: case GUMBO_TAG_CENTER: case GUMBO_TAG_DD: case GUMBO_TAG_DIV: case GUMBO_TAG_DL:
        case GUMBO_TAG_DT: case GUMBO_TAG_FIELDSET: case GUMBO_TAG_FIGCAPTION: case GUMBO_TAG_FIGURE:
        case GUMBO_TAG_FOOTER: case GUMBO_TAG_FORM: case GUMBO_TAG_H1: case GUMBO_TAG_H2: case GUMBO_TAG_H3:
        case GUMBO_TAG_H4: case GUMBO_TAG_H5: case GUMBO_TAG_H6: case GUMBO_TAG_HEADER: case GUMBO_TAG_HR:
        case GUMBO_TAG_LI: case GUMBO_TAG_MAIN: case GUMBO_TAG_NAV: case GUMBO_TAG_OL: case GUMBO_TAG_P:
        case GUMBO_TAG_PRE: case GUMBO_TAG_SECTION: case GUMBO_TAG_TABLE: case GUMBO_TAG_TR: case GUMBO_TAG_UL:
            return true;
        default:
            return false;
    }
}

// Collects text as it reads: blanks collapse, blocks start new lines, blank lines are dropped.
class TextOut {
public:
    void text(const char* s, bool keepBlanks) {
        for (; *s; ++s) {
            const char c = *s;
            if (keepBlanks) {
                if (c == '\n') lineBreak(); else if (c != '\r') line_ += c;
            } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
                pendingBlank_ = !line_.empty();
            } else {
                if (pendingBlank_) line_ += ' ';
                pendingBlank_ = false;
                line_ += c;
            }
        }
    }
    void blank() { pendingBlank_ = !line_.empty(); }
    void lineBreak() {
        while (!line_.empty() && (line_.back() == ' ' || line_.back() == '\t')) line_.pop_back();
        if (!line_.empty()) {
            if (!out_.empty()) out_ += '\n';
            out_ += line_;
        }
        line_.clear();
        pendingBlank_ = false;
    }
    std::string finish() {
        lineBreak();
        return out_;
    }

private:
    std::string out_, line_;
    bool pendingBlank_ = false;
};

// Depth first, on a stack of its own: however deep a page nests, the thread's stack is not at stake.
void walk(const GumboNode* top, TextOut& out) {
    struct Open {
        const GumboNode* element;
        unsigned next;   // the child to read next
        int preDepth;    // preformatted elements it is inside, itself included
    };
    std::vector<Open> open;
    const auto enter = [&](const GumboNode* node, int preDepth) {
        switch (node->type) {
            case GUMBO_NODE_TEXT: case GUMBO_NODE_CDATA: case GUMBO_NODE_WHITESPACE:
                out.text(node->v.text.text, preDepth > 0);
                return;
            case GUMBO_NODE_ELEMENT: case GUMBO_NODE_TEMPLATE: {
                const GumboTag tag = node->v.element.tag;
                if (skipped(tag)) return;
                if (tag == GUMBO_TAG_BR) {
                    out.lineBreak();
                    return;
                }
                if (block(tag)) out.lineBreak();
                open.push_back({node, 0, preDepth + (tag == GUMBO_TAG_PRE ? 1 : 0)});
                return;
            }
            default:
                return;  // comments, the document type
        }
    };
    enter(top, 0);
    while (!open.empty()) {
        Open& o = open.back();
        const GumboVector& children = o.element->v.element.children;
        if (o.next < children.length) {
            const auto* child = static_cast<const GumboNode*>(children.data[o.next++]);
            enter(child, o.preDepth);
            continue;
        }
        const GumboTag tag = o.element->v.element.tag;
        open.pop_back();
        if (block(tag)) out.lineBreak();
        if (tag == GUMBO_TAG_TD || tag == GUMBO_TAG_TH) out.blank();
    }
}

// The parser always puts the body straight under the root; a page of frames has none.
const GumboNode* findBody(const GumboNode* root) {
    if (root->type != GUMBO_NODE_ELEMENT) return nullptr;
    const GumboVector& children = root->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
        const auto* child = static_cast<const GumboNode*>(children.data[i]);
        if (child->type == GUMBO_NODE_ELEMENT && child->v.element.tag == GUMBO_TAG_BODY) return child;
    }
    return nullptr;
}

std::string whyNotRead(BoundedHtmlParse::Outcome outcome) {
    switch (outcome) {
        case BoundedHtmlParse::Outcome::Stopped: return "stopped as the program ends";
        case BoundedHtmlParse::Outcome::TooSlow: return "the page took too long to read";
        case BoundedHtmlParse::Outcome::OutOfMemory: return "not enough memory to read the page";
        case BoundedHtmlParse::Outcome::Parsed: break;
    }
    return "";
}

}  // namespace

std::string htmlToUtf8(const std::string& html, const std::string& contentType) {
    if (html.compare(0, 3, "\xEF\xBB\xBF") == 0) return convert(html.substr(3), "UTF-8");
    if (html.compare(0, 2, "\xFF\xFE") == 0) return convert(html.substr(2), "UTF-16LE");
    if (html.compare(0, 2, "\xFE\xFF") == 0) return convert(html.substr(2), "UTF-16BE");
    std::string charset = charsetAfter(contentType, 0, contentType.size());
    if (charset.empty()) charset = metaCharset(html);
    if (charset.empty()) charset = validUtf8(html) ? "UTF-8" : "WINDOWS-1252";
    return convert(html, charset);
}

PageText readHtmlBody(const std::string& html, const std::string& contentType, const std::function<bool()>& keepGoing,
                      const PageTextLimits& limits) {
    // Only the head of a longer page is read: a reader speaks its first lines.
    const std::string utf8 =
        htmlToUtf8(html.size() > limits.parsedBytes ? html.substr(0, limits.parsedBytes) : html, contentType);
    if (nestsDeeperThan(utf8, limits.nesting))
        return {false, "", "the page nests its elements more than " + std::to_string(limits.nesting) + " deep"};
    const BoundedHtmlParse parsed(utf8, limits.parseTime, keepGoing);
    const GumboNode* root = parsed.root();
    if (!root) return {false, "", whyNotRead(parsed.outcome())};
    TextOut out;
    const GumboNode* body = findBody(root);
    walk(body ? body : root, out);
    // The parser turns a character reference too large for its counter into a byte that starts
    // no UTF-8 sequence, so its text is checked again on the way out.
    return {true, repairUtf8(out.finish()), ""};
}

std::string htmlBodyText(const std::string& html, const std::string& contentType) {
    return readHtmlBody(html, contentType).text;
}
