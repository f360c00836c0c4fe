#pragma once
// DTMF digit texts in their three forms:
//   shown    "#1*"   what the DTMF editors display and accept: 0-9, A-D, "*", "#"
//   stored   "F1E"   the document's code texts and memories: "*" kept as "E", "#" as "F"
//   image    0F 01 0E  one byte per digit holding the stored character's hex value, 0xFF after
//                      the text (reading stops at the first byte above 0x0F)

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace corvane::model {

std::string dtmfShownToStored(std::string_view shown);   // "*" -> "E", "#" -> "F"
std::string dtmfStoredToShown(std::string_view stored);  // "E" -> "*", "F" -> "#"

// The image value of one digit: a stored hex digit (either case) or a shown "*" / "#".
std::optional<std::uint8_t> dtmfDigitValue(char digit);
// The stored character of an image value 0x0..0xF (upper case); '\0' for anything else.
char dtmfDigitChar(std::uint8_t value);

// True when every character of `stored` is a digit and the text fits `fieldSize` bytes.
bool dtmfDigitsFit(std::string_view stored, std::size_t fieldSize);

// Writes the digits of `stored` into `field`, 0xFF after them. Returns false and leaves the
// field untouched when dtmfDigitsFit refuses the text.
bool packDtmfDigits(std::string_view stored, std::span<std::uint8_t> field);

// The stored text of a field: one digit per byte up to the first byte above 0x0F.
std::string unpackDtmfDigits(std::span<const std::uint8_t> field);

} // namespace corvane::model
