#pragma once
// One settings file per window, with the semantics of the Windows profile functions the
// windows were written against: section "SETTINGS", keys without regard to case, a default
// for every read, values cut to a stated length, a whole-file read and an atomic whole-file write.
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class SettingsWriteError : public std::runtime_error {
public:
    explicit SettingsWriteError(const std::string& what) : std::runtime_error(what) {}
};

class SettingsFile {
public:
    static constexpr const char* kSection = "SETTINGS";
    static constexpr size_t kDefaultMaxLength = 255;

    // Reads the whole file now: a UTF-8 byte-order mark is skipped, UTF-16 with its mark is
    // converted, lines may end in CR, LF or CR LF. A missing file reads as empty. A file that
    // exists but cannot be read or understood (no permission, not a regular file, NUL bytes,
    // text without a section) keeps what could be read, is reported, and is never written over.
    explicit SettingsFile(std::string path);

    const std::string& path() const { return path_; }
    bool existed() const { return existed_; }
    // Why the file could not be read or understood; empty when it could.
    const std::string& damage() const { return damage_; }

    // Where damaged files are reported as they are read (the error log); one reporter for the
    // program, set by the application object.
    using DamageReporter = std::function<void(const std::string& path, const std::string& damage)>;
    static void setDamageReporter(DamageReporter reporter);

    // The stored value (blanks around it and one pair of enclosing quotes dropped), or the default
    // when the key is absent; cut to maxLength characters. A key with an empty value reads as "".
    std::string read(std::string_view key, std::string_view def, size_t maxLength = kDefaultMaxLength) const;
    std::string read(std::string_view section, std::string_view key, std::string_view def,
                     size_t maxLength) const;
    bool has(std::string_view key) const;

    // Sets a value in memory; save() writes the file.
    void write(std::string_view key, std::string_view value);
    void write(std::string_view section, std::string_view key, std::string_view value);

    // Writes the whole file through a temporary file and a rename, so a failure leaves the old
    // file whole; the file keeps its permissions and group. A file that is a link is saved to the
    // file the link names; a link to nothing is refused. A damaged file is not written over.
    // Throws SettingsWriteError.
    void save() const;

    // How a value is written so that it reads back unchanged.
    static std::string encode(std::string_view value);
    static std::string decode(std::string_view raw);

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;  // raw values as stored
        std::unordered_map<std::string, size_t> index;            // upper-case key -> entry
        const std::string* find(std::string_view key) const;
    };
    void parse(const std::string& text);
    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;
    Section& sectionFor(std::string_view name);
    std::string path_;
    bool existed_ = false;
    std::string damage_;
    std::vector<Section> sections_;
};
