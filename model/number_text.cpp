#include "model/number_text.h"
#include "model/text_trim.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace corvane::model {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<double> parseDecimal(std::string_view text)
{
    std::string_view t = trimWhitespace(text);
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    int digits = 0;
    int stops = 0;
    for (char c : t) {
        if (isDigit(c)) {
            ++digits;
        } else if (c == '.') {
            ++stops;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || stops > 1) {
        return std::nullopt;
    }
    std::string canonical(t);
    if (canonical.front() == '.') {
        canonical.insert(canonical.begin(), '0');
    }
    if (canonical.back() == '.') {
        canonical.pop_back();
    }
    double value = 0;
    const auto result =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != canonical.data() + canonical.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

bool isNumeric(std::string_view text)
{
    return parseDecimal(text).has_value();
}

std::optional<std::int64_t> parseInteger(std::string_view text)
{
    std::string_view t = trimWhitespace(text);
    if (!t.empty() && t.front() == '+') {
        t.remove_prefix(1);
        if (!t.empty() && t.front() == '-') {
            return std::nullopt;
        }
    }
    if (t.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    const auto result = std::from_chars(t.data(), t.data() + t.size(), value);
    if (result.ec != std::errc() || result.ptr != t.data() + t.size()) {
        return std::nullopt;
    }
    return value;
}

std::string formatDecimal(double value, int minIntegerDigits, int decimals)
{
    if (!std::isfinite(value)) {
        return "0";
    }
    const bool negative = std::signbit(value) && value != 0.0;
    // Shortest fixed text that reads back as the same double, then rounded as decimal digits so
    // that 145.000005 rounds up like the number the user typed, not like its binary neighbour.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                      std::chars_format::fixed);
    std::string text(buffer.data(), result.ptr);
    const auto stop = text.find('.');
    std::string integer = stop == std::string::npos ? text : text.substr(0, stop);
    std::string fraction = stop == std::string::npos ? std::string() : text.substr(stop + 1);

    const auto wanted = static_cast<std::size_t>(std::max(decimals, 0));
    bool roundUp = fraction.size() > wanted && fraction[wanted] >= '5';
    fraction.resize(wanted, '0');
    std::string digits = integer + fraction;
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits[static_cast<std::size_t>(i)] == '9') {
                digits[static_cast<std::size_t>(i)] = '0';
            } else {
                ++digits[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0) {
            digits.insert(digits.begin(), '1');
        }
    }
    integer = digits.substr(0, digits.size() - wanted);
    fraction = digits.substr(digits.size() - wanted);
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
    const auto minDigits = static_cast<std::size_t>(std::max(minIntegerDigits, 0));
    if (integer.size() < minDigits) {
        integer.insert(0, minDigits - integer.size(), '0');
    }
    std::string out;
    const bool allZero = integer.find_first_not_of('0') == std::string::npos &&
                         fraction.find_first_not_of('0') == std::string::npos;
    if (negative && !allZero) {
        out.push_back('-');
    }
    out += integer.empty() ? std::string() : integer;
    if (wanted > 0) {
        out.push_back('.');
        out += fraction;
    }
    if (out.empty() || out == "-") {
        return std::string(1, '0');
    }
    return out;
}

std::string formatInteger(std::int64_t value)
{
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

} // namespace corvane::model
