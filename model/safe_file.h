#pragma once
// Whole-file reads and never-half-written saves. A save writes a temporary file in the target's
// own folder and renames it over the target, so a crash, a full disk or a pulled USB stick leaves
// either the old file or the new one, never a mixture.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::model {

// The file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// The file's size in bytes, or nothing when it does not exist or is not a regular file.
std::optional<std::uintmax_t> regularFileSize(const std::filesystem::path& path);

// Writes `bytes` as the whole new content of `path` (temporary file + rename). False when any
// step fails; the previous file is then untouched and no temporary file is left behind.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace corvane::model
