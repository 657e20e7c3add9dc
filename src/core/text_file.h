#pragma once
// Text files that are spoken: the DTMF player's and the beacons' alike. Lines end at CR, CR LF or
// LF, and each line is one stretch of text, so lines are joined with a blank and the last word of
// one line never runs into the first of the next; empty lines add nothing. A file that is not
// valid UTF-8 was written in the old Windows code page (Windows-1252) and is converted; a UTF-8
// byte-order mark at its start is dropped.
#include <optional>
#include <string>

// The file's text in UTF-8, or nothing when it cannot be read (and why, when asked and something
// is at the path: "is not a regular file", say). Only the
// file's first `maxChars` characters' worth of bytes is read, for a box that could not hold more.
std::optional<std::string> readSpokenTextFile(const std::string& path, size_t maxChars, std::string* why = nullptr);
