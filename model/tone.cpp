#include "model/tone.h"

#include "model/number_text.h"
#include "model/text_trim.h"

#include <algorithm>
#include <cmath>

namespace corvane::model {

namespace {

constexpr std::uint16_t kOffCode = 0xFFFF;
constexpr std::uint16_t kCtcssBase = 0x0100;
constexpr std::uint16_t kDcsNormalBase = 0x0200;
constexpr std::uint16_t kDcsInvertedBase = 0x0300;
constexpr std::uint16_t kNonListCtcss = 0x8000;
constexpr double kLowestTenths = 500;   // 50.0 Hz: below it, the first list tone
constexpr double kHighestTenths = 2600; // 260.0 Hz: above it, the last list tone

std::string dcsText(std::size_t k, char polarity)
{
    std::string text = "D";
    text += kDcsCodes[k];
    text.push_back(polarity);
    return text;
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Index of a DCS text of the given polarity in the DCS list.
std::optional<std::size_t> findDcs(std::string_view text, char polarity)
{
    for (std::size_t k = 0; k < kDcsCodes.size(); ++k) {
        if (dcsText(k, polarity) == text) {
            return k;
        }
    }
    return std::nullopt;
}

} // namespace

std::string toneListEntry(int position, Language language)
{
    if (position == 0) {
        return std::string(pick(kToneOffText, language));
    }
    if (position >= kToneListFirstCtcss && position < kToneListFirstDcsNormal) {
        return std::string(kCtcssTones[static_cast<std::size_t>(position - kToneListFirstCtcss)]);
    }
    if (position >= kToneListFirstDcsNormal && position < kToneListFirstDcsInverted) {
        return dcsText(static_cast<std::size_t>(position - kToneListFirstDcsNormal), 'N');
    }
    if (position >= kToneListFirstDcsInverted && position < kToneListSize) {
        return dcsText(static_cast<std::size_t>(position - kToneListFirstDcsInverted), 'I');
    }
    return {};
}

std::vector<std::string> toneList(Language language)
{
    std::vector<std::string> list;
    list.reserve(kToneListSize);
    for (int position = 0; position < kToneListSize; ++position) {
        list.push_back(toneListEntry(position, language));
    }
    return list;
}

std::string toneToCode(std::string_view text, Language language)
{
    if (text.empty()) {
        return {};
    }
    if (text == pick(kToneOffText, language)) {
        return toneCodeText(kOffCode);
    }
    // A DCS text is taken only when it is in the list: an unknown one such as "D024N" names no
    // tone and must not silently become the first list code.
    if (text.back() == 'N' || text.back() == 'I') {
        const char polarity = text.back();
        const auto k = findDcs(text, polarity);
        if (!k) {
            return {};
        }
        const auto base = polarity == 'N' ? kDcsNormalBase : kDcsInvertedBase;
        return toneCodeText(static_cast<std::uint16_t>(base + *k));
    }
    const auto value = parseDecimal(text);
    if (!value) {
        return {};
    }
    const double tenths = std::round(*value * 10);
    std::uint16_t code = 0;
    if (tenths < kLowestTenths) {
        code = kCtcssBase;
    } else if (tenths > kHighestTenths) {
        code = static_cast<std::uint16_t>(kCtcssBase + kCtcssTones.size() - 1);
    } else if (const auto it = std::find(kCtcssTones.begin(), kCtcssTones.end(), text); it != kCtcssTones.end()) {
        code = static_cast<std::uint16_t>(kCtcssBase + (it - kCtcssTones.begin()));
    } else {
        code = static_cast<std::uint16_t>(kNonListCtcss + static_cast<int>(tenths));
    }
    return toneCodeText(code);
}

std::string codeToTone(std::string_view code, Language language)
{
    const auto value = parseToneCode(code);
    if (!value) {
        return {};
    }
    if (*value == kOffCode) {
        return std::string(pick(kToneOffText, language));
    }
    const int high = *value >> 8;
    const int low = *value & 0xFF;
    if (high >= 0x80) {
        const int tenths = (high - 0x80) * 256 + low;
        return formatDecimal(tenths / 10.0, 1, 1);
    }
    int position = kToneListFirstCtcss + low;
    if (high == 0x02) {
        position = kToneListFirstDcsNormal + low;
    } else if (high == 0x03) {
        position = kToneListFirstDcsInverted + low;
    }
    return toneListEntry(position, language); // empty past the end of the list
}

std::optional<std::uint16_t> parseToneCode(std::string_view code)
{
    const std::string_view text = trimBlanks(code);
    if (text.size() != 4) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return static_cast<std::uint16_t>(value);
}

std::string toneCodeText(std::uint16_t code)
{
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string text(4, '0');
    for (int i = 3; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kDigits[code & 0xF];
        code = static_cast<std::uint16_t>(code >> 4);
    }
    return text;
}

} // namespace corvane::model
