#pragma once
// The one single-byte code page of this program: Windows-1252, the "ANSI" code page of the
// original's English systems. Every text that the radio or a data file stores as bytes (embedded
// messages, the information block, fixed texts of the records) goes through these two functions,
// in both directions, so a byte read from a radio is written back unchanged.
//
// The five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// control characters of the same value, so every byte survives a round trip through UTF-8.

#include <string>
#include <string_view>

namespace corvane::model {

// Bytes in the code page -> UTF-8 text for display.
std::string codePageToUtf8(std::string_view bytes);

// UTF-8 text -> bytes in the code page; a character the code page lacks becomes '?'.
// Malformed UTF-8 sequences also become '?'.
std::string utf8ToCodePage(std::string_view utf8);

} // namespace corvane::model
