#pragma once
// Model codes, model names and band texts, and the small conversions between them. A model
// code is compared after trailing blanks are removed and cut at its first NUL; a band text is
// compared exactly. Every conversion yields a usable value: an unknown band code edits as
// "400 - 480 MHz", an unknown band text counts as band 0.

#include "model/records.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::model {

inline constexpr std::string_view kOwnModelCode = "Z740E";
inline constexpr std::string_view kEarlierModelCode = "Z740F";
inline constexpr std::string_view kOwnModelName = "ZT740-16";

inline constexpr std::array<std::string_view, 3> kBandTexts = {
    "136 - 174 MHz",
    "200 - 260 MHz",
    "400 - 480 MHz",
};
inline constexpr std::string_view kUhfBandText = "400 - 480 MHz";

// Trailing blanks removed, cut at the first NUL.
std::string normaliseModelCode(std::string_view code);

std::string modelNameForCode(std::string_view code);
std::string bandTextForCode(int bandCode);
Integer bandCodeForText(std::string_view bandText);

// The data version a data file's model code stands for ("Z740E" -> "Z300", "Z740F" -> "V200");
// none for any other code.
std::optional<std::string> dataVersionForModelCode(std::string_view code);

// bandLowMHz / bandHighMHz from characters 1-3 and 7-9 of currentBand.
void updateBandLimits(CurrentModel& model);

// Sets the current model from a radio-type record: the record's model code loses its blanks on
// both sides (and is stored back so), becomes currentModelCode; the band text and limits follow
// bandIndex. currentModelName is left alone.
void setCurrentModelFromRadioType(RadioTypeRecord& radioType, CurrentModel& model);

} // namespace corvane::model
