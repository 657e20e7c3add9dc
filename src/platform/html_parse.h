#pragma once
// The HTML parser held to bounds. A parse its caller stops, or one that runs past its time (the
// processor time of the thread that parses, not the clock on the wall) or out of memory, is
// abandoned where it stands; the parsed tree is freed in one sweep over what the
// parser allocated, never node by node down its depth.
#include <gumbo.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

class BoundedHtmlParse {
public:
    enum class Outcome { Parsed, Stopped, TooSlow, OutOfMemory };
    struct Arena;   // the parser's memory, every block on record

    // `keepGoing` is asked all along the parse (may be empty); false abandons it.
    BoundedHtmlParse(const std::string& utf8, std::chrono::milliseconds timeLimit, std::function<bool()> keepGoing);
    ~BoundedHtmlParse();
    BoundedHtmlParse(const BoundedHtmlParse&) = delete;
    BoundedHtmlParse& operator=(const BoundedHtmlParse&) = delete;

    Outcome outcome() const;
    // The document's root element; null unless the parse ended as Parsed.
    const GumboNode* root() const;

private:
    std::unique_ptr<Arena> arena_;
    GumboOutput* output_ = nullptr;
};
