#include "platform/profile.h"

#include "platform/atomic_file.h"
#include "platform/regular_file.h"

#include <cctype>
#include <charconv>
#include <climits>

namespace platform {

namespace {

std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return std::string(s.substr(b, e - b));
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

ProfileFile::Line ProfileFile::ParseLine(std::string text) {
    Line line;
    while (!text.empty() && text.back() == '\r') text.pop_back();
    line.text = text;
    std::string t = Trim(text);
    if (!t.empty() && t.front() == '[') {
        auto close = t.find(']');
        if (close != std::string::npos) {
            line.kind = Line::Section;
            line.name = Trim(std::string_view(t).substr(1, close - 1));
        }
        return line;
    }
    if (t.empty() || t.front() == ';') return line;
    auto eq = t.find('=');
    if (eq == std::string::npos) return line;
    line.kind = Line::Entry;
    line.name = Trim(std::string_view(t).substr(0, eq));
    line.value = Trim(std::string_view(t).substr(eq + 1));
    if (line.value.size() >= 2 && line.value.front() == '"' && line.value.back() == '"')
        line.value = line.value.substr(1, line.value.size() - 2);
    return line;
}

bool ProfileFile::Load(const std::string& path) {
    std::string text;
    // A settings name that points at a device or a FIFO must neither hang the program
    // nor fill its memory: only a regular file of a sane size is read.
    if (ReadRegularFile(path, text, kMaxProfileBytes) != RegularRead::Ok) {
        lines_.clear();
        return false;
    }
    Parse(text);
    return true;
}

void ProfileFile::Parse(std::string_view text) {
    lines_.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find('\n', start);
        if (nl == std::string_view::npos) nl = text.size();
        lines_.push_back(ParseLine(std::string(text.substr(start, nl - start))));
        start = nl + 1;
    }
}

long ProfileFile::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Line::Section && SameName(lines_[i].name, section))
            return static_cast<long>(i);
    return -1;
}

long ProfileFile::FindEntry(long sectionLine, std::string_view key) const {
    for (size_t i = static_cast<size_t>(sectionLine) + 1; i < lines_.size(); ++i) {
        if (lines_[i].kind == Line::Section) break;
        if (lines_[i].kind == Line::Entry && SameName(lines_[i].name, key))
            return static_cast<long>(i);
    }
    return -1;
}

bool ProfileFile::HasKey(std::string_view section, std::string_view key) const {
    long s = FindSection(section);
    return s >= 0 && FindEntry(s, key) >= 0;
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view def, size_t maxLength) const {
    long s = FindSection(section);
    long e = s >= 0 ? FindEntry(s, key) : -1;
    std::string value = e >= 0 ? lines_[static_cast<size_t>(e)].value : std::string(def);
    if (value.size() > maxLength) value.resize(maxLength);
    return value;
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int def) const {
    if (!HasKey(section, key)) return def;
    std::string v = GetString(section, key, "", 64);
    const char* b = v.data();
    const char* e = v.data() + v.size();
    if (b != e && *b == '+') ++b;
    long long n = 0;
    auto [ptr, ec] = std::from_chars(b, e, n);
    if (ec != std::errc() || ptr != e || n < INT_MIN || n > INT_MAX) return def;
    return static_cast<int>(n);
}

void ProfileFile::SetString(std::string_view section, std::string_view key,
                            std::string_view value) {
    std::string text = std::string(key) + "=" + std::string(value);
    long s = FindSection(section);
    if (s < 0) {
        lines_.push_back(ParseLine("[" + std::string(section) + "]"));
        lines_.push_back(ParseLine(text));
        return;
    }
    long e = FindEntry(s, key);
    if (e >= 0) {
        lines_[static_cast<size_t>(e)] = ParseLine(text);
        return;
    }
    // After the last entry of the section, so that trailing blank lines stay between sections.
    size_t at = static_cast<size_t>(s) + 1;
    for (size_t i = at; i < lines_.size() && lines_[i].kind != Line::Section; ++i)
        if (lines_[i].kind == Line::Entry) at = i + 1;
    lines_.insert(lines_.begin() + static_cast<long>(at), ParseLine(text));
}

void ProfileFile::SetInt(std::string_view section, std::string_view key, int value) {
    SetString(section, key, std::to_string(value));
}

std::string ProfileFile::Text() const {
    std::string out;
    for (const auto& l : lines_) {
        out += l.text;
        out += '\n';
    }
    return out;
}

bool ProfileFile::Save(const std::string& path, std::string* error) const {
    return WriteFileAtomic(path, Text(), error) == WriteResult::Ok;
}

} // namespace platform
