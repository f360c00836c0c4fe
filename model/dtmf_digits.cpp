#include "model/dtmf_digits.h"

#include <algorithm>

namespace corvane::model {

namespace {

constexpr std::uint8_t kPastText = 0xFF;

} // namespace

std::string dtmfShownToStored(std::string_view shown)
{
    std::string stored(shown);
    std::replace(stored.begin(), stored.end(), '*', 'E');
    std::replace(stored.begin(), stored.end(), '#', 'F');
    return stored;
}

std::string dtmfStoredToShown(std::string_view stored)
{
    std::string shown(stored);
    std::replace(shown.begin(), shown.end(), 'E', '*');
    std::replace(shown.begin(), shown.end(), 'F', '#');
    return shown;
}

std::optional<std::uint8_t> dtmfDigitValue(char digit)
{
    if (digit >= '0' && digit <= '9') {
        return static_cast<std::uint8_t>(digit - '0');
    }
    if (digit >= 'A' && digit <= 'F') {
        return static_cast<std::uint8_t>(digit - 'A' + 10);
    }
    if (digit >= 'a' && digit <= 'f') {
        return static_cast<std::uint8_t>(digit - 'a' + 10);
    }
    if (digit == '*') {
        return std::uint8_t{0xE};
    }
    if (digit == '#') {
        return std::uint8_t{0xF};
    }
    return std::nullopt;
}

char dtmfDigitChar(std::uint8_t value)
{
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    return value < kDigits.size() ? kDigits[value] : '\0';
}

bool dtmfDigitsFit(std::string_view stored, std::size_t fieldSize)
{
    return stored.size() <= fieldSize &&
           std::all_of(stored.begin(), stored.end(), [](char c) { return dtmfDigitValue(c).has_value(); });
}

bool packDtmfDigits(std::string_view stored, std::span<std::uint8_t> field)
{
    if (!dtmfDigitsFit(stored, field.size())) {
        return false;
    }
    std::fill(field.begin(), field.end(), kPastText);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        field[i] = *dtmfDigitValue(stored[i]);
    }
    return true;
}

std::string unpackDtmfDigits(std::span<const std::uint8_t> field)
{
    std::string stored;
    for (std::uint8_t byte : field) {
        if (byte > 0x0F) {
            break;
        }
        stored.push_back(dtmfDigitChar(byte));
    }
    return stored;
}

} // namespace corvane::model
