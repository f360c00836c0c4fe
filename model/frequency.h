#pragma once
// The three forms of a channel frequency and the conversions between them, plus the band
// limits the channel rules apply.
//
//   display text  "437.12500"   MHz, three digits, a full stop, five decimals (always a ".")
//   stored text   "43712500"    the same digits without the full stop, in 10 Hz units; a
//                               shorter text means trailing zeros ("435225" is 435.225 MHz);
//                               empty or "FFFFFFFF" = no frequency
//   image bytes   1A 0D FF 88   32-bit big-endian number of hertz; FF FF FF FF = none
//
// The resolution is 10 Hz and nothing here rounds to a channel step or checks the band limits:
// clamping to the band is the channel rules' job. Texts are formatted and parsed with "." as the
// decimal separator whatever the system locale is.

#include "model/prompts.h"
#include "model/records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace corvane::model {

using FrequencyBytes = std::array<std::uint8_t, 4>;

// Stored text -> display text. Empty and "FFFFFFFF" give empty. A text that is not made of
// decimal digits shows "Not IsNumeric" through `prompts` and gives the band's lower limit as a
// plain number ("400").
std::string frequencyToDisplay(std::string_view stored, const CurrentModel& model, Prompts& prompts);

// Display text -> stored text: the full stop is dropped ("437.12500" -> "43712500", "435.225" ->
// "435225"); a text without one is taken unchanged ("400" stays "400", 400 MHz). Empty stays
// empty; a text that is not a number becomes the band's lower limit ("400").
std::string displayToFrequency(std::string_view display, const CurrentModel& model);

// True when the stored text packs: empty, "FFFFFFFF", or one to eight decimal digits (blanks
// around are ignored).
bool isPackableFrequency(std::string_view stored);

// Stored text -> image bytes (right-padded with "0" to eight digits, times 10 Hz). Empty and
// "FFFFFFFF" give FF FF FF FF; none for a text isPackableFrequency refuses.
std::optional<FrequencyBytes> packFrequency(std::string_view stored);

// Image bytes -> stored text: "FFFFFFFF" for FF FF FF FF, otherwise the number of 10 Hz units as
// eight decimal digits (a value below 100 MHz keeps its leading zeros; above 999.99999 MHz the
// text is cut to eight characters).
std::string unpackFrequency(std::span<const std::uint8_t, 4> bytes);

// Frequency limits of a band in MHz, from the band text itself: the lower limit is the number in
// characters 1-3, the upper limit the number in characters 7-9; "400 - 480 MHz" receives up to
// 520 MHz and transmits up to 520 MHz with the band extension, else 480 MHz. A text that is not
// one of the three band texts counts as band 0, as bandCodeForText does.
struct BandLimits
{
    double lowMHz = 0;
    double rxHighMHz = 0;
    double txHighMHz = 0;

    friend bool operator==(const BandLimits&, const BandLimits&) = default;
};
BandLimits bandLimits(std::string_view bandText, bool bandExtension);

} // namespace corvane::model
