#include "model/companion_files.h"

#include "model/safe_file.h"

#include <cstdint>

namespace corvane::model {

namespace {

// The byte position where the last `count` UTF-8 characters of `text` start, or nothing when
// the text has fewer characters.
std::optional<std::size_t> startOfLastCharacters(std::string_view text, std::size_t count)
{
    std::size_t pos = text.size();
    for (std::size_t found = 0; found < count; ++found) {
        if (pos == 0) {
            return std::nullopt;
        }
        --pos;
        while (pos > 0 && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) {
            --pos;
        }
    }
    return pos;
}

std::optional<std::string> replaceLastCharacters(std::string_view text, std::size_t count,
                                                 std::string_view replacement)
{
    const auto start = startOfLastCharacters(text, count);
    if (!start) {
        return std::nullopt;
    }
    return std::string(text.substr(0, *start)) + std::string(replacement);
}

void putInteger(std::string& out, Integer value)
{
    const auto bits = static_cast<std::uint16_t>(value);
    out += static_cast<char>(bits & 0xFF);
    out += static_cast<char>(bits >> 8);
}

Integer getInteger(std::string_view bytes, std::size_t at)
{
    const auto low = static_cast<std::uint8_t>(bytes[at]);
    const auto high = static_cast<std::uint8_t>(bytes[at + 1]);
    return static_cast<Integer>(static_cast<std::uint16_t>(low | (high << 8)));
}

} // namespace

std::optional<std::string> flagsFileName(std::string_view dataFilePath)
{
    return replaceLastCharacters(dataFilePath, 3, "NVD");
}

std::optional<std::string> testDataFileName(std::string_view dataFilePath)
{
    if (!startOfLastCharacters(dataFilePath, 4)) {
        return std::nullopt; // three characters or fewer
    }
    return replaceLastCharacters(dataFilePath, 4, ".ted");
}

std::string serializeFlags(const RadioFlags& flags)
{
    std::string out;
    putInteger(out, flags.alertEnabled);
    putInteger(out, flags.functionEnabled);
    putInteger(out, flags.bandExtension);
    return out;
}

RadioFlags readFlagsFile(const std::filesystem::path& file)
{
    const auto bytes = readWholeFile(file);
    if (!bytes || bytes->size() != kFlagsFileSize) {
        return RadioFlags{};
    }
    return RadioFlags{getInteger(*bytes, 0), getInteger(*bytes, 2), getInteger(*bytes, 4)};
}

bool writeFlagsFile(const std::filesystem::path& file, const RadioFlags& flags)
{
    return writeFileAtomically(file, serializeFlags(flags));
}

std::string serializeTestData(const TestDataTable& table)
{
    std::string out;
    for (const Integer value : table) {
        putInteger(out, value);
    }
    return out;
}

bool loadTestDataFile(const std::filesystem::path& file, TestDataTable& table)
{
    const auto bytes = readWholeFile(file);
    if (!bytes || bytes->size() < kTestDataFileSize) {
        return false;
    }
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = getInteger(*bytes, 2 * i);
    }
    return true;
}

bool saveTestDataFile(const std::filesystem::path& file, const TestDataTable& table)
{
    return writeFileAtomically(file, serializeTestData(table));
}

} // namespace corvane::model
