#include "model/model_band.h"

#include "model/number_text.h"
#include "model/text_trim.h"

namespace corvane::model {

namespace {

struct ModelNameRow
{
    std::string_view code;
    std::string_view name;
};

// Codes with a name of their own. Other radio models of the family carry no row here: they are
// shown by their trimmed code, which is what a dealer reads on the radio's label anyway.
constexpr std::array<ModelNameRow, 1> kModelNames = {{
    {kOwnModelCode, kOwnModelName},
}};

} // namespace

std::string normaliseModelCode(std::string_view code)
{
    std::size_t end = code.size();
    while (end > 0 && code[end - 1] == ' ') {
        --end;
    }
    std::string_view text = code.substr(0, end);
    const auto nul = text.find('\0');
    if (nul != std::string_view::npos) {
        text = text.substr(0, nul);
    }
    return std::string(text);
}

std::string modelNameForCode(std::string_view code)
{
    const std::string trimmed = normaliseModelCode(code);
    for (const auto& row : kModelNames) {
        if (row.code == trimmed) {
            return std::string(row.name);
        }
    }
    return trimmed;
}

std::string bandTextForCode(int bandCode)
{
    if (bandCode == 0 || bandCode == 1) {
        return std::string(kBandTexts[static_cast<std::size_t>(bandCode)]);
    }
    return std::string(kBandTexts[2]);
}

Integer bandCodeForText(std::string_view bandText)
{
    for (std::size_t i = 0; i < kBandTexts.size(); ++i) {
        if (kBandTexts[i] == bandText) {
            return static_cast<Integer>(i);
        }
    }
    return 0;
}

std::optional<std::string> dataVersionForModelCode(std::string_view code)
{
    const std::string trimmed = normaliseModelCode(code);
    if (trimmed == kOwnModelCode) {
        return "Z300";
    }
    if (trimmed == kEarlierModelCode) {
        return "V200";
    }
    return std::nullopt;
}

void updateBandLimits(CurrentModel& model)
{
    const std::string_view band = model.currentBand;
    if (band.size() < 9) {
        return; // callers only ever set one of the three band texts
    }
    if (const auto low = parseDecimal(band.substr(0, 3))) {
        model.bandLowMHz = *low;
    }
    if (const auto high = parseDecimal(band.substr(6, 3))) {
        model.bandHighMHz = *high;
    }
}

void setCurrentModelFromRadioType(RadioTypeRecord& radioType, CurrentModel& model)
{
    const std::string code(trimBlanks(radioType.modelCode.value()));
    radioType.modelCode = code;
    model.currentModelCode = code;
    model.currentBand = bandTextForCode(radioType.bandIndex);
    updateBandLimits(model);
}

} // namespace corvane::model
