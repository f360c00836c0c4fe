#include "channels/channel_value_texts.h"

#include "model/number_text.h"
#include "model/tone.h"

namespace corvane::channels {

namespace {

template <std::size_t N>
std::string tableText(const ValueTable<N>& table, int value, model::Language language)
{
    return std::string(model::pick(table, value, language)); // empty for a value not in the table
}

} // namespace

bool hasReceiveTone(const model::ChannelRecord& entry)
{
    return entry.rxTone.value() != model::kToneOff;
}

const ValueTable<3>& spUnmuteTexts(bool withReceiveTone)
{
    return withReceiveTone ? kSpUnmuteWithToneTexts : kSpUnmuteTonelessTexts;
}

std::vector<std::string> spUnmuteItems(bool withReceiveTone, bool signallingActive, model::Language language)
{
    std::vector<std::string> items = listItems(spUnmuteTexts(withReceiveTone), language);
    if (!signallingActive) {
        items.resize(1);
    }
    return items;
}

std::vector<std::string> busyLockoutItems(bool withReceiveTone, model::Language language)
{
    std::vector<std::string> items = listItems(kBusyLockoutTexts, language);
    items.resize(withReceiveTone ? 3 : 2);
    return items;
}

std::vector<std::string> callItems(model::Language language)
{
    std::vector<std::string> items;
    items.reserve(kCallCount + 1);
    for (int position = 0; position <= kCallCount; ++position) {
        items.push_back(callText(position, language));
    }
    return items;
}

std::string callText(int position, model::Language language)
{
    if (position == 0) {
        return std::string(model::pick(kCallOffText, language));
    }
    if (position > 0 && position <= kCallCount) {
        return model::formatInteger(position);
    }
    return {};
}

std::vector<std::string> autodialMemoryItems()
{
    std::vector<std::string> items;
    for (int number = 1; number <= kAutodialMemoryCount; ++number) {
        items.push_back(model::formatInteger(number));
    }
    return items;
}

std::string ChannelValueText(const model::ChannelRecord& entry, ValueKind kind, int value,
                             model::Language language)
{
    switch (kind) {
    case ValueKind::Tone:
        return {};
    case ValueKind::TxPower:
        return tableText(kTxPowerTexts, value, language);
    case ValueKind::ScanAdd:
        return tableText(kScanAddTexts, value, language);
    case ValueKind::OptSignal:
        return tableText(kOptSignalTexts, value, language);
    case ValueKind::PttId:
        return tableText(kPttIdTexts, value, language);
    case ValueKind::Spacing:
        return tableText(kSpacingTexts, value, language);
    case ValueKind::SpUnmute:
        return tableText(spUnmuteTexts(hasReceiveTone(entry)), value, language);
    case ValueKind::BusyLockout:
        return tableText(kBusyLockoutTexts, value, language);
    case ValueKind::AutodialMemory:
        return model::formatInteger(value + 1);
    case ValueKind::SignalRelation:
        return tableText(kSignalRelationTexts, value, language);
    case ValueKind::Call:
        return callText(value, language);
    }
    return {};
}

std::string ChannelValueText(const model::ChannelRecord& /*entry*/, ValueKind kind, std::string_view toneCode,
                             model::Language language)
{
    if (kind != ValueKind::Tone) {
        return {};
    }
    return model::codeToTone(toneCode, language);
}

} // namespace corvane::channels
