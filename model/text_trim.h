#pragma once
// Trimming and comparing the program's short texts (codes, numbers, ini names).

#include <algorithm>
#include <string_view>

namespace corvane::model {

// Spaces around the text removed (a stored or shown text: codes, tone texts, DTMF digits).
constexpr std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Spaces and tabs around the text removed (typed numbers, lines of a settings file).
constexpr std::string_view trimWhitespace(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Equal but for the case of the ASCII letters.
constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    constexpr auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace corvane::model
