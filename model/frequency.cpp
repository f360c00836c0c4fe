#include "model/frequency.h"

#include "model/model_band.h"
#include "model/number_text.h"
#include "model/shared_texts.h"
#include "model/text_trim.h"

#include <algorithm>

namespace corvane::model {

namespace {

constexpr int kStoredDigits = 8;
constexpr std::string_view kExtendedBandText = "400 - 480 MHz";
constexpr double kExtendedHighMHz = 520;

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A number as the user would write it: "400", "437.125"; never a trailing ".0".
std::string plainNumberText(double value)
{
    std::string text = formatDecimal(value, 1, 5);
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

} // namespace

std::string frequencyToDisplay(std::string_view stored, const CurrentModel& model, Prompts& prompts)
{
    const std::string_view text = trimWhitespace(stored);
    if (text.empty() || text == kNoFrequency) {
        return {};
    }
    // A stored frequency is digits only; a sign or a full stop of its own would make the text
    // with the inserted full stop mean something else, so those count as not numeric too.
    if (!allDigits(text)) {
        prompts.showMessage(std::string(texts::kNotNumeric), MessageButtons::Ok, MessageIcon::None);
        return plainNumberText(model.bandLowMHz);
    }
    std::string withStop(text.substr(0, 3));
    withStop.push_back('.');
    if (text.size() > 3) {
        withStop += text.substr(3);
    }
    return formatDecimal(parseDecimal(withStop).value_or(0), 3, 5);
}

std::string displayToFrequency(std::string_view display, const CurrentModel& model)
{
    std::string_view text = trimWhitespace(display);
    if (text.empty()) {
        return {};
    }
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    // A negative number is no frequency either; like any other non-number it becomes the band's
    // lower limit (the channel rules would clamp it there anyway).
    if (!isNumeric(text) || text.front() == '-') {
        return plainNumberText(model.bandLowMHz);
    }
    const auto stop = text.find('.');
    if (stop == std::string_view::npos) {
        return std::string(text);
    }
    // Three whole-MHz digits, then the decimals. A shorter whole part ("45.5") is padded on the
    // left so the stored text stays digits only.
    std::string whole(text.substr(0, stop));
    if (whole.size() < 3) {
        whole.insert(0, 3 - whole.size(), '0');
    }
    return whole.substr(0, 3) + std::string(text.substr(stop + 1));
}

bool isPackableFrequency(std::string_view stored)
{
    const std::string_view text = trimWhitespace(stored);
    if (text.empty() || text == kNoFrequency) {
        return true;
    }
    return allDigits(text) && text.size() <= kStoredDigits;
}

std::optional<FrequencyBytes> packFrequency(std::string_view stored)
{
    if (!isPackableFrequency(stored)) {
        return std::nullopt;
    }
    const std::string_view text = trimWhitespace(stored);
    if (text.empty() || text == kNoFrequency) {
        return FrequencyBytes{0xFF, 0xFF, 0xFF, 0xFF};
    }
    std::uint32_t units = 0; // 10 Hz units; eight digits stay below 10^8, far inside 32 bits
    for (int i = 0; i < kStoredDigits; ++i) {
        const char c = i < static_cast<int>(text.size()) ? text[static_cast<std::size_t>(i)] : '0';
        units = units * 10 + static_cast<std::uint32_t>(c - '0');
    }
    const std::uint32_t hertz = units * 10;
    return FrequencyBytes{static_cast<std::uint8_t>(hertz >> 24), static_cast<std::uint8_t>(hertz >> 16),
                          static_cast<std::uint8_t>(hertz >> 8), static_cast<std::uint8_t>(hertz)};
}

std::string unpackFrequency(std::span<const std::uint8_t, 4> bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0xFF; })) {
        return std::string(kNoFrequency);
    }
    const std::uint32_t hertz = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
                                (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
    std::string text = formatInteger(hertz / 10);
    // The first three digits are whole MHz: a frequency below 100 MHz needs its leading zeros
    // or it would read back ten times too high.
    if (text.size() < kStoredDigits) {
        text.insert(0, kStoredDigits - text.size(), '0');
    }
    return text.substr(0, kStoredDigits);
}

BandLimits bandLimits(std::string_view bandText, bool bandExtension)
{
    std::string_view band = bandText;
    if (std::find(kBandTexts.begin(), kBandTexts.end(), band) == kBandTexts.end()) {
        band = kBandTexts[static_cast<std::size_t>(bandCodeForText(bandText))];
    }
    BandLimits limits;
    limits.lowMHz = parseDecimal(band.substr(0, 3)).value_or(0);
    limits.rxHighMHz = parseDecimal(band.substr(6, 3)).value_or(0);
    limits.txHighMHz = limits.rxHighMHz;
    if (band == kExtendedBandText) {
        limits.rxHighMHz = kExtendedHighMHz;
        if (bandExtension) {
            limits.txHighMHz = kExtendedHighMHz;
        }
    }
    return limits;
}

} // namespace corvane::model
