#pragma once
// Sectioned "key=value" initialisation files, read and written the way the
// platform's profile functions do it.
//
// - Section and key names compare without regard to case; the first occurrence wins.
// - Values are trimmed of surrounding blanks; a value in matching double quotes loses them.
// - Writing a key replaces its line in place, or appends it at the end of its section,
//   or appends the section at the end of the file; every other line is kept as it was.
// - Lines that are neither "[section]" nor "key=value" are kept and otherwise ignored.

#include <string>
#include <string_view>
#include <vector>

namespace platform {

class ProfileFile {
  public:
    // Reads `path`. A missing or unreadable file, one that is not a regular file (a
    // device, a FIFO: never read) or one larger than kMaxProfileBytes gives an empty
    // profile and false.
    bool Load(const std::string& path);
    static constexpr size_t kMaxProfileBytes = 1 << 20;
    void Parse(std::string_view text);

    bool HasKey(std::string_view section, std::string_view key) const;

    // The value, or `def` when the key is missing; at most `maxLength` characters
    // (longer values are cut, as a fixed-size field would).
    std::string GetString(std::string_view section, std::string_view key, std::string_view def,
                          size_t maxLength = 255) const;

    // A decimal integer with an optional sign. A missing key, or a value that is not a
    // whole number in the 32-bit range, gives `def`.
    int GetInt(std::string_view section, std::string_view key, int def) const;

    void SetString(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, int value);

    std::string Text() const;
    // Writes the whole file through a temporary and a rename (see atomic_file.h).
    bool Save(const std::string& path, std::string* error = nullptr) const;

  private:
    struct Line {
        std::string text;
        enum Kind { Other, Section, Entry } kind = Other;
        std::string name;  // section or key name
        std::string value; // entries only, trimmed and unquoted
    };
    static Line ParseLine(std::string text);
    // Index of the section header line, or -1.
    long FindSection(std::string_view section) const;
    // Index of the entry in the section that starts after `sectionLine`, or -1.
    long FindEntry(long sectionLine, std::string_view key) const;

    std::vector<Line> lines_;
};

} // namespace platform
