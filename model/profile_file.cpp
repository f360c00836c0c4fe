#include "model/profile_file.h"

#include "model/safe_file.h"
#include "model/text_trim.h"

#include <algorithm>

namespace corvane::model {

namespace {

// The section name of a "[name]" line.
std::optional<std::string_view> sectionOf(std::string_view line)
{
    const std::string_view t = trimWhitespace(line);
    if (t.size() < 2 || t.front() != '[') {
        return std::nullopt;
    }
    const auto close = t.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return trimWhitespace(t.substr(1, close - 1));
}

struct KeyLine
{
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyOf(std::string_view line)
{
    const std::string_view t = trimWhitespace(line);
    if (t.empty() || t.front() == ';') {
        return std::nullopt;
    }
    const auto eq = t.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{trimWhitespace(t.substr(0, eq)), trimWhitespace(t.substr(eq + 1))};
}

// Cuts a UTF-8 text to at most `count` characters without splitting one.
std::string_view firstCharacters(std::string_view text, std::size_t count)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80) {
            if (chars == count) {
                return text.substr(0, i);
            }
            ++chars;
        }
    }
    return text;
}

} // namespace

ProfileFile ProfileFile::parse(std::string_view text)
{
    ProfileFile profile;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    if (text.find("\r\n") != std::string_view::npos) {
        profile.m_lineEnd = "\r\n";
    }
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        profile.m_lines.emplace_back(line);
        start = end + 1;
    }
    return profile;
}

ProfileFile ProfileFile::load(const std::filesystem::path& path)
{
    const auto bytes = readWholeFile(path);
    return bytes ? parse(*bytes) : ProfileFile{};
}

std::optional<std::string> ProfileFile::value(std::string_view section, std::string_view key) const
{
    bool inSection = false;
    for (const std::string& line : m_lines) {
        if (const auto name = sectionOf(line)) {
            inSection = equalsIgnoringAsciiCase(*name, section);
            continue;
        }
        if (!inSection) {
            continue;
        }
        const auto entry = keyOf(line);
        if (!entry || !equalsIgnoringAsciiCase(entry->key, key)) {
            continue;
        }
        std::string_view v = entry->value;
        const auto nul = v.find('\0');
        if (nul != std::string_view::npos) {
            v = trimWhitespace(v.substr(0, nul));
        }
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"') {
            v = v.substr(1, v.size() - 2);
        }
        return std::string(v);
    }
    return std::nullopt;
}

void ProfileFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    std::string clean(value);
    std::replace(clean.begin(), clean.end(), '\r', ' ');
    std::replace(clean.begin(), clean.end(), '\n', ' ');
    const std::string newLine = std::string(key) + "=" + clean;

    bool inSection = false;
    std::optional<std::size_t> lastLineOfSection;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (const auto name = sectionOf(m_lines[i])) {
            inSection = equalsIgnoringAsciiCase(*name, section);
            if (inSection) {
                lastLineOfSection = i;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (!trimWhitespace(m_lines[i]).empty()) {
            lastLineOfSection = i;
        }
        const auto entry = keyOf(m_lines[i]);
        if (entry && equalsIgnoringAsciiCase(entry->key, key)) {
            m_lines[i] = newLine;
            return;
        }
    }
    if (lastLineOfSection) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(*lastLineOfSection) + 1, newLine);
        return;
    }
    while (!m_lines.empty() && trimWhitespace(m_lines.back()).empty()) {
        m_lines.pop_back();
    }
    m_lines.push_back("[" + std::string(section) + "]");
    m_lines.push_back(newLine);
}

std::string ProfileFile::text() const
{
    std::string out;
    for (const std::string& line : m_lines) {
        out += line;
        out += m_lineEnd;
    }
    return out;
}

bool ProfileFile::save(const std::filesystem::path& path) const
{
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
    }
    return writeFileAtomically(path, text());
}

std::string readIniString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                          std::size_t bufferSize)
{
    const auto value = ProfileFile::load(file).value(section, key);
    if (!value || bufferSize == 0) {
        return {};
    }
    return std::string(trimWhitespace(firstCharacters(*value, bufferSize - 1)));
}

bool writeIniString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                    std::string_view value)
{
    ProfileFile profile = ProfileFile::load(file);
    profile.setValue(section, key, value);
    return profile.save(file);
}

} // namespace corvane::model
