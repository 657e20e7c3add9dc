#pragma once
// A download's temporary file, "TARGET.partXXXXXX" beside its target. It is locked for as long as
// its download runs, so a later start tells what a killed run left (nobody holds it) from what a
// running copy of the program is still writing into the same folder (held), whatever the process
// numbers of either.
#include <cstdio>
#include <string>

class PartialFile {
public:
    // Made afresh beside `target` (never over an existing name), private until kept.
    explicit PartialFile(const std::string& target);
    // Removes the file unless it was kept.
    ~PartialFile();
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    // Null when no file could be made.
    FILE* file() const { return file_; }
    // Flushes, syncs, closes and renames the file over the target, with the usual permissions;
    // false when any of it fails (the partial file is then removed).
    bool keep();

private:
    std::string target_, path_;
    FILE* file_ = nullptr;
    int lock_ = -1;   // holds the lock past the file's closing, until the rename
};

// Removes the partial files of `target` that no running download holds.
void removeLeftoverPartialFiles(const std::string& target);
