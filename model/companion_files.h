#pragma once
// The two companion files that travel next to a data file:
//   flags file      the data file's path with its last three characters replaced by "NVD"
//                   (radio1.dat -> radio1.NVD, abcdef -> abcNVD): 6 bytes, the RadioFlags
//                   alertEnabled, functionEnabled, bandExtension as little-endian Integers;
//   test-data file  (test mode only) the path with its last four characters replaced by ".ted":
//                   32 bytes, the sixteen test-data entries as little-endian Integers.
// Names are formed by character count, never by looking for an extension; a character is a
// UTF-8 character of the path, so a name ending in Chinese characters loses whole characters.
// Test-data files chosen in the Test Data dialog have the same 32-byte format.

#include "model/model_state.h"
#include "model/records.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::model {

inline constexpr std::size_t kFlagsFileSize = 6;
inline constexpr std::size_t kTestDataFileSize = 32;

// Nothing when the path has fewer than three characters.
std::optional<std::string> flagsFileName(std::string_view dataFilePath);
// Nothing unless the path is longer than three characters.
std::optional<std::string> testDataFileName(std::string_view dataFilePath);

std::string serializeFlags(const RadioFlags& flags);
// The flags of a file that exists and is exactly 6 bytes long; 0, 0, 0 for any other.
RadioFlags readFlagsFile(const std::filesystem::path& file);
bool writeFlagsFile(const std::filesystem::path& file, const RadioFlags& flags);

std::string serializeTestData(const TestDataTable& table);
// Reads the first 32 bytes of an existing file into `table`. A missing, unreadable or shorter
// file is no test-data file: `table` keeps its values and the result is false.
bool loadTestDataFile(const std::filesystem::path& file, TestDataTable& table);
// Replaces the file as a whole by the 32 bytes of `table` (temporary file + rename).
bool saveTestDataFile(const std::filesystem::path& file, const TestDataTable& table);

} // namespace corvane::model
