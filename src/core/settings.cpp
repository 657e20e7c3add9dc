#include "core/settings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "core/text.h"

namespace {
std::string stripBlanks(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return std::string(s.substr(b, e - b));
}
}  // namespace

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {
    std::ifstream in(path_, std::ios::binary);
    if (!in) return;
    existed_ = true;
    std::string line;
    Section* current = nullptr;
    while (std::getline(in, line)) {
        // A NUL byte ends the line, as in a C string; the rest of a damaged line is ignored.
        if (auto nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
        const std::string t = stripBlanks(line);
        if (t.empty() || t[0] == ';') continue;
        if (t[0] == '[') {
            const auto close = t.find(']');
            if (close == std::string::npos) continue;
            const std::string name = stripBlanks(std::string_view(t).substr(1, close - 1));
            current = findSection(name);
            if (!current) {
                sections_.push_back({name, {}});
                current = &sections_.back();
            }
            continue;
        }
        const auto eq = t.find('=');
        if (eq == std::string::npos || !current) continue;
        const std::string key = stripBlanks(std::string_view(t).substr(0, eq));
        if (key.empty()) continue;
        const std::string value = stripBlanks(std::string_view(t).substr(eq + 1));
        bool replaced = false;
        for (auto& [k, v] : current->entries)
            if (equalsNoCase(k, key) && !replaced) replaced = true;  // the first one wins, as in the profile reader
        if (!replaced) current->entries.emplace_back(key, value);
    }
}

SettingsFile::Section* SettingsFile::findSection(std::string_view name) {
    for (auto& s : sections_)
        if (equalsNoCase(s.name, name)) return &s;
    return nullptr;
}

const SettingsFile::Section* SettingsFile::findSection(std::string_view name) const {
    for (const auto& s : sections_)
        if (equalsNoCase(s.name, name)) return &s;
    return nullptr;
}

std::string SettingsFile::decode(std::string_view raw) {
    std::string v = stripBlanks(raw);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v;
}

std::string SettingsFile::encode(std::string_view value) {
    // Line breaks would split the entry; they are stored as blanks. The quoting is decided on
    // what is stored, so a value that ends in a line break keeps its blank.
    std::string flat(value);
    for (char& c : flat)
        if (c == '\r' || c == '\n') c = ' ';
    const bool edgeBlank = !flat.empty() && (flat.front() == ' ' || flat.front() == '\t' ||
                                             flat.back() == ' ' || flat.back() == '\t');
    const bool looksQuoted = flat.size() >= 2 && (flat.front() == '"' || flat.front() == '\'') &&
                             flat.back() == flat.front();
    if (edgeBlank || looksQuoted) return "\"" + flat + "\"";
    return flat;
}

std::string SettingsFile::read(std::string_view key, std::string_view def, size_t maxLength) const {
    return read(kSection, key, def, maxLength);
}

std::string SettingsFile::read(std::string_view section, std::string_view key, std::string_view def,
                               size_t maxLength) const {
    std::string value(def);
    if (const Section* s = findSection(section)) {
        for (const auto& [k, v] : s->entries)
            if (equalsNoCase(k, key)) {
                value = decode(v);
                break;
            }
    }
    if (value.size() > maxLength) value.resize(maxLength);
    return value;
}

bool SettingsFile::has(std::string_view key) const {
    if (const Section* s = findSection(kSection))
        for (const auto& [k, v] : s->entries)
            if (equalsNoCase(k, key)) return true;
    return false;
}

void SettingsFile::write(std::string_view key, std::string_view value) { write(kSection, key, value); }

void SettingsFile::write(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = findSection(section);
    if (!s) {
        sections_.push_back({std::string(section), {}});
        s = &sections_.back();
    }
    for (auto& [k, v] : s->entries)
        if (equalsNoCase(k, key)) {
            v = encode(value);
            return;
        }
    s->entries.emplace_back(std::string(key), encode(value));
}

void SettingsFile::save() const {
    std::ostringstream out;
    for (const auto& s : sections_) {
        out << '[' << s.name << "]\n";
        for (const auto& [k, v] : s.entries) out << k << '=' << v << '\n';
    }
    const std::string text = out.str();
    const std::string temp = path_ + ".tmp";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) throw SettingsWriteError("cannot write " + path_ + ": " + std::strerror(errno));
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    const bool flushed = std::fflush(f) == 0 && fsync(fileno(f)) == 0;
    const bool closed = std::fclose(f) == 0;
    if (!written || !flushed || !closed) {
        const int err = errno;
        std::remove(temp.c_str());
        throw SettingsWriteError("cannot write " + path_ + ": " + std::strerror(err));
    }
    if (std::rename(temp.c_str(), path_.c_str()) != 0) {
        const int err = errno;
        std::remove(temp.c_str());
        throw SettingsWriteError("cannot replace " + path_ + ": " + std::strerror(err));
    }
}
