#pragma once
// How the program reads a file the sysop names: settings, spoken texts, weather files. Only a
// regular file is read (a FIFO, a device or a folder is refused as it is opened, without waiting
// on it), and only as far as the reader needs, counted in bytes whatever the line breaks: a file
// of one endless line costs no more than a short one.
#include <cstddef>
#include <string>

struct FileRead {
    bool ok = false;
    bool existed = false;   // something is at the path (it may still be unusable)
    bool whole = false;     // the bytes are the file's whole content
    std::string bytes;
    std::string why;        // when not ok: "no such file", "is not a regular file", "cannot be read: ..."
};

// The first `maxBytes` bytes of the file at `path`, or all of it when it is shorter.
FileRead readFileHead(const std::string& path, std::size_t maxBytes);
// The last `maxBytes` bytes of the file at `path`, or all of it when it is shorter.
FileRead readFileTail(const std::string& path, std::size_t maxBytes);
