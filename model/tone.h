#pragma once
// CTCSS/DCS tones: the tone lists, the tone codes and the conversions between the text a tone
// drop-down shows and the code a channel stores.
//
// A tone code is a 16-bit value, kept in a channel as four upper-case hex digits and in the
// radio image as two bytes, high byte first:
//   FFFF            no tone (shown as the off text "None" / "无")
//   0100 + k        CTCSS list tone k (k = 0..49), "67.0" .. "254.1"
//   0200 + k        DCS list code k (k = 0..115), normal polarity, "D017N" .. "D765N"
//   0300 + k        DCS list code k, inverted polarity, "D017I" .. "D765I"
//   8000 + t        a CTCSS tone of t tenths of a hertz that is not in the list, "67.5" = 82A3
// Texts are matched exactly: a typed "67" is not the list text "67.0" and so becomes the non-list
// tone 829E (670 tenths). Number texts use "." whatever the system locale is.

#include "model/text_pair.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::model {

inline constexpr TextPair kToneOffText{"None", "无"};

// The common 50-tone EIA CTCSS set, ascending (k = 0..49).
inline constexpr std::array<std::string_view, 50> kCtcssTones = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
};

// The 104 standard DCS codes plus 017, 050, 055, 135, 217, 254, 305, 345, 425, 534, 645 and 765,
// as three octal digits, ascending (k = 0..115).
inline constexpr std::array<std::string_view, 116> kDcsCodes = {
    "017", "023", "025", "026", "031", "032", "036", "043", "047", "050", "051", "053", "054", "055",
    "065", "071", "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "135",
    "143", "145", "152", "155", "156", "162", "165", "172", "174", "205", "212", "217", "223", "225",
    "226", "243", "244", "245", "246", "251", "252", "254", "255", "261", "263", "265", "266", "271",
    "274", "305", "306", "311", "315", "325", "331", "332", "343", "345", "346", "351", "356", "364",
    "365", "371", "411", "412", "413", "423", "425", "431", "432", "445", "446", "452", "454", "455",
    "462", "464", "465", "466", "503", "506", "516", "523", "526", "532", "534", "546", "565", "606",
    "612", "624", "627", "631", "632", "645", "654", "662", "664", "703", "712", "723", "731", "732",
    "734", "743", "754", "765",
};

// toneList: position 0 the off text, 1..50 the CTCSS list, 51..166 the DCS list as normal
// texts ("D017N" ...), 167..282 as inverted texts ("D017I" ...).
inline constexpr int kToneListSize = 283;
inline constexpr int kToneListFirstCtcss = 1;
inline constexpr int kToneListFirstDcsNormal = 51;
inline constexpr int kToneListFirstDcsInverted = 167;

// The entry at a position of toneList; empty outside 0..282.
std::string toneListEntry(int position, Language language);
// All 283 entries, for the tone drop-downs.
std::vector<std::string> toneList(Language language);

// Shown tone text -> four-digit code text: "FFFF" for the off text of `language`, empty for an
// empty text and for a text that names no tone (the caller then keeps the old tone). A number
// below 50 Hz counts as the first list tone, above 260 Hz as the last.
std::string toneToCode(std::string_view text, Language language);

// Four-digit code text -> shown tone text. The low byte picks the list entry whatever the high
// byte says below 0x80 (so 0005 and 0105 both show "79.7"); empty for a text that is not four hex
// digits and for a code whose list position lies past the end of toneList.
std::string codeToTone(std::string_view code, Language language);

// Four hex digits (either case, blanks around ignored) -> the code; none otherwise.
std::optional<std::uint16_t> parseToneCode(std::string_view code);
// The code as four upper-case hex digits.
std::string toneCodeText(std::uint16_t code);

} // namespace corvane::model
