#pragma once
// How deep a page nests its elements, read from its tags before the parser builds anything. The
// parser's time grows with the square of the nesting and real pages stay far shallower than a few
// hundred levels, so a page nested deeper than that is refused before it is parsed.
//
// The reading follows the usual ways elements close (their end tags, a new list item, paragraph,
// row or cell closing the one before, elements that hold nothing, script and style text, comments)
// and errs towards reading a page as shallower than the parser would build it, never deeper: an
// ordinary page is never refused, and the parse keeps its own time bound for a hostile page that
// the reading underrates.
#include <cstddef>
#include <string>

// True when the elements of `html` (UTF-8) nest more than `limit` deep.
bool nestsDeeperThan(const std::string& html, std::size_t limit);
