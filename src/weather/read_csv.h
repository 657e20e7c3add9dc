#pragma once
// ReadCSV: the one text splitter of the weather reports. Fields stand at a delimiter; a field may
// be quoted so that it holds the delimiter. There is no escape for a quote inside a quoted field,
// text between a closing quote and the next delimiter is dropped, and unquoted fields keep their
// blanks.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ReadCSV {

// Positions and the field count are held in 16 bits, as the weather files were always written:
// a field of about 32,766 characters, or a line of 32,768 fields, is refused with this error.
class OverflowError : public std::overflow_error {
public:
    explicit OverflowError(const std::string& what) : std::overflow_error(what) {}
};

constexpr long kLargestPosition = 32767;

// Splits `line` at `delimit`, with `quote` opening a quoted field; the result holds at least one
// field and is indexed from 0. Positions count bytes. An empty delimiter leaves the line whole; an
// empty quote, or one of two or more characters, never opens a quoted field.
std::vector<std::string> ParseCSV(std::string_view line, std::string_view delimit, std::string_view quote);

}  // namespace ReadCSV
