#pragma once
// Windows-style profile (ini) files as this program's settings and language files use them:
// "[section]" lines, "key=value" lines, ";" comments. Section and key names match without regard
// to ASCII case and are written as given; a value is everything after the first "=", blanks
// trimmed on both sides, one pair of enclosing double quotes removed, cut at a NUL byte. Commas and
// Chinese text (UTF-8) are ordinary characters of a value. Files are read as UTF-8 with an
// optional byte-order mark, in LF or CRLF lines; a rewritten file keeps its line ends.
//
// QSettings' ini format is not used for these files: it splits values on commas.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::model {

class ProfileFile
{
public:
    ProfileFile() = default;
    static ProfileFile parse(std::string_view text);
    // A missing or unreadable file gives an empty profile.
    static ProfileFile load(const std::filesystem::path& path);

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Replaces the key's line, or adds the key at the end of its section (the section at the end
    // of the file when it is missing). Line breaks in `value` become blanks.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    std::string text() const;
    bool save(const std::filesystem::path& path) const; // temporary file + rename

private:
    std::vector<std::string> m_lines; // without line ends
    std::string m_lineEnd = "\n";
};

// One value with an empty default, trimmed, at most `bufferSize` - 1 characters (the buffer of
// the platform reader the settings files were written for).
std::string readIniString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                          std::size_t bufferSize = 512);

// Writes one value; creates the file (and its folder) when missing. False when it cannot save.
bool writeIniString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                    std::string_view value);

} // namespace corvane::model
