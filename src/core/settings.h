#pragma once
// One settings file per window, with the semantics of the Windows profile functions the
// windows were written against: section "SETTINGS", keys without regard to case, a default
// for every read, values cut to a stated length, a whole-file read and an atomic whole-file write.
#include <stdexcept>
#include <string>
#include <string_view>
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

    // Reads the whole file now; a missing or unreadable file reads as empty.
    explicit SettingsFile(std::string path);

    const std::string& path() const { return path_; }
    bool existed() const { return existed_; }

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
    // file whole. Throws SettingsWriteError.
    void save() const;

    // How a value is written so that it reads back unchanged.
    static std::string encode(std::string_view value);
    static std::string decode(std::string_view raw);

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;  // raw values as stored
    };
    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;
    std::string path_;
    bool existed_ = false;
    std::vector<Section> sections_;
};
