#pragma once
// Number texts of this program, formatted and parsed with "." as the decimal separator whatever
// the system locale says. Never use printf, strtod or streams for these: the Qt shell sets the C
// locale from the environment, so a user with a decimal comma would get "437,12500".
//
// What counts as a number (the program's numeric test): optional blanks around, an optional sign,
// decimal digits with at most one full stop, at least one digit. No thousands separators, no
// exponent, no decimal comma: "1,5" is not a number, so it can never silently become 15 or 1.5.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::model {

std::optional<double> parseDecimal(std::string_view text);
bool isNumeric(std::string_view text);

// Whole decimal number with optional blanks around and an optional sign.
std::optional<std::int64_t> parseInteger(std::string_view text);

// Fixed-point text with at least `minIntegerDigits` integer digits (zero-padded) and exactly
// `decimals` decimals, rounded half away from zero on the decimal value:
// formatDecimal(437.125, 3, 5) = "437.12500" (the "000.00000" pattern), (67.5, 1, 1) = "67.5".
std::string formatDecimal(double value, int minIntegerDigits, int decimals);

// Whole number as plain decimal text: a minus sign when negative, no grouping, no padding.
std::string formatInteger(std::int64_t value);

} // namespace corvane::model
