#pragma once
// The configuration model's share of the application state: the one document, its saved copies,
// the values kept beside it and the one radio memory image. One instance lives for the whole run
// (inside AppState); it is replaced field by field, never reallocated per window.

#include "model/records.h"

#include <array>
#include <cstdint>
#include <string>

namespace corvane::model {

inline constexpr std::size_t kImageSize = 1024;
using RadioImage = std::array<std::uint8_t, kImageSize>;

inline constexpr std::size_t kTestDataEntries = 16;
using TestDataTable = std::array<Integer, kTestDataEntries>;

inline constexpr std::string_view kUntitledFileName = "new.dat";

struct ModelState
{
    ConfigDocument document;
    ConfigDocument savedDocument;      // state at the last new, open or save
    RadioFlags flags;
    RadioFlags savedFlags;             // the flags file's contents
    RadioInfo radioInfo;
    CurrentModel currentModel;
    RadioImage radioImage{};           // every byte 0 at start; big-endian numbers inside

    std::string documentFileName{kUntitledFileName}; // full path, "new.dat" while untitled
    bool isUntitled = true;

    bool testModeOn = false;           // fixed for the run by the access file
    TestDataTable testData{};
    TestDataTable savedTestData{};

    // While set, frequency corrections during bulk conversions (file load, radio read, band
    // change) raise no warnings; the corrections still happen.
    bool suppressRangeWarnings = false;
};

} // namespace corvane::model
