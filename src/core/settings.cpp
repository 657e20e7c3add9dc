#include "core/settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "core/file_read.h"
#include "core/file_write.h"
#include "core/text.h"

namespace {
SettingsFile::DamageReporter& damageReporter() {
    static SettingsFile::DamageReporter reporter;
    return reporter;
}

std::string stripBlanks(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return std::string(s.substr(b, e - b));
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// UTF-16 text after its byte-order mark; a lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<std::uint32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::uint32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
            const std::uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;
        appendUtf8(out, cp);
    }
    return out;
}

// The file's whole text as UTF-8; nothing (and why in `damage`) when it exists but cannot be
// read. Only a regular file is read, so a FIFO or a device never holds the program up.
std::optional<std::string> readWhole(const std::string& path, bool& existed, std::string& damage) {
    FileRead file = readFileHead(path, SIZE_MAX);
    existed = file.existed;
    if (!file.ok) {
        if (existed) damage = file.why;
        return std::nullopt;
    }
    const std::string& bytes = file.bytes;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
    if (bytes.compare(0, 2, "\xFF\xFE") == 0) return utf16ToUtf8(std::string_view(bytes).substr(2), false);
    if (bytes.compare(0, 2, "\xFE\xFF") == 0) return utf16ToUtf8(std::string_view(bytes).substr(2), true);
    if (bytes.find('\0') != std::string::npos) damage = "holds NUL bytes";
    return bytes;
}
}  // namespace

void SettingsFile::setDamageReporter(DamageReporter reporter) { damageReporter() = std::move(reporter); }

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {
    if (const auto text = readWhole(path_, existed_, damage_)) parse(*text);
    if (!damage_.empty() && damageReporter()) damageReporter()(path_, damage_);
}

void SettingsFile::parse(const std::string& text) {
    Section* current = nullptr;
    bool content = false;
    size_t pos = 0;
    while (pos < text.size()) {
        // A line ends at CR LF, CR or LF.
        const size_t end = text.find_first_of("\r\n", pos);
        std::string_view line(text.data() + pos, (end == std::string::npos ? text.size() : end) - pos);
        pos = end == std::string::npos ? text.size() : end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
        // A NUL byte ends the line, as in a C string; the rest of a damaged line is ignored.
        if (const auto nul = line.find('\0'); nul != std::string_view::npos) line = line.substr(0, nul);
        const std::string t = stripBlanks(line);
        if (t.empty() || t[0] == ';') continue;
        content = true;
        if (t[0] == '[') {
            const auto close = t.find(']');
            if (close == std::string::npos) continue;
            current = &sectionFor(stripBlanks(std::string_view(t).substr(1, close - 1)));
            continue;
        }
        const auto eq = t.find('=');
        if (eq == std::string::npos || !current) continue;
        std::string key = stripBlanks(std::string_view(t).substr(0, eq));
        if (key.empty()) continue;
        // The first one wins, as in the profile reader.
        if (current->index.emplace(ucase(key), current->entries.size()).second)
            current->entries.emplace_back(std::move(key), stripBlanks(std::string_view(t).substr(eq + 1)));
    }
    if (content && sections_.empty() && damage_.empty()) damage_ = "has text but no [section]";
}

const std::string* SettingsFile::Section::find(std::string_view key) const {
    const auto it = index.find(ucase(key));
    return it == index.end() ? nullptr : &entries[it->second].second;
}

SettingsFile::Section& SettingsFile::sectionFor(std::string_view name) {
    if (Section* s = findSection(name)) return *s;
    sections_.push_back({std::string(name), {}, {}});
    return sections_.back();
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
    if (const Section* s = findSection(section))
        if (const std::string* raw = s->find(key)) value = decode(*raw);
    if (value.size() > maxLength) value.resize(maxLength);
    return value;
}

bool SettingsFile::has(std::string_view key) const {
    const Section* s = findSection(kSection);
    return s && s->find(key);
}

void SettingsFile::write(std::string_view key, std::string_view value) { write(kSection, key, value); }

void SettingsFile::write(std::string_view section, std::string_view key, std::string_view value) {
    Section& s = sectionFor(section);
    const auto [it, added] = s.index.emplace(ucase(key), s.entries.size());
    if (added) s.entries.emplace_back(std::string(key), encode(value));
    else s.entries[it->second].second = encode(value);
}

namespace {
// A settings file that is a link is saved to the file it names, so that file keeps receiving
// the changes; a link to nothing is refused.
std::string saveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        throw SettingsWriteError("not writing through " + path + ", a link to nothing (" + std::strerror(errno) +
                                 "); it is kept as it is");
    std::string target = resolved;
    std::free(resolved);
    return target;
}
}  // namespace

void SettingsFile::save() const {
    if (!damage_.empty())
        throw SettingsWriteError("not writing over " + path_ + ", which " + damage_ + "; it is kept as it is");
    std::string text;
    for (const auto& s : sections_) {
        text += '[' + s.name + "]\n";
        for (const auto& [k, v] : s.entries) {
            text += k;
            text += '=';
            text += v;
            text += '\n';
        }
    }
    const std::string target = saveTarget(path_);
    if (std::string why = replaceFile(target, text, accessOf(target)); !why.empty()) throw SettingsWriteError(why);
}
