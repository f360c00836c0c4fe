#include "channels/channel_rules.h"

#include "channels/channel_value_texts.h"
#include "model/frequency.h"
#include "model/new_document.h"
#include "model/number_text.h"
#include "model/shared_texts.h"
#include "model/tone.h"
#include "model/text_trim.h"

#include <algorithm>
#include <limits>

namespace corvane::channels {

namespace {

using model::ChannelRecord;
using model::Integer;

constexpr Integer kNoScanChannel = 255;
constexpr int kFirstScanGroupIndex = 1; // scan[1..8]: one priority-channel reference per group
constexpr int kScanGroups = 8;

bool isFrequencyField(FieldId field)
{
    return field == FieldId::RxFreq || field == FieldId::TxFreq;
}

bool isToneOff(const model::FixedText<4>& tone)
{
    return tone.value() == model::kToneOff;
}

// No receive tone leaves nothing for "Repeater" to compare with: it falls back to "Carrier".
void dropRepeaterWithoutReceiveTone(ChannelRecord& entry)
{
    if (isToneOff(entry.rxTone) && entry.busyLockout == 2) {
        entry.busyLockout = 1;
    }
}

void setReceiveTone(ChannelRecord& entry, std::string_view text, model::Language language)
{
    const bool hadNoReceiveTone = isToneOff(entry.rxTone);
    const std::string code = model::toneToCode(text, language);
    if (!code.empty()) {
        entry.rxTone = code;
    }
    dropRepeaterWithoutReceiveTone(entry);
    if (isToneOff(entry.txTone) && hadNoReceiveTone) {
        entry.txTone = entry.rxTone.value();
    }
}

void setTransmitTone(ChannelRecord& entry, std::string_view text, model::Language language)
{
    const bool hadNoTransmitTone = isToneOff(entry.txTone);
    const std::string code = model::toneToCode(text, language);
    if (!code.empty()) {
        entry.txTone = code;
    }
    if (isToneOff(entry.rxTone) && hadNoTransmitTone) {
        entry.rxTone = entry.txTone.value();
        dropRepeaterWithoutReceiveTone(entry);
    }
}

void setOptionalSignalling(ChannelRecord& entry, std::string_view text, model::Language language)
{
    if (const auto value = valueForText(kOptSignalTexts, text, language)) {
        entry.optSignal = static_cast<Integer>(*value);
        if (*value == 0) {
            // Without signalling the conditions that need it fall back to the plain ones.
            if (entry.busyLockout == 3) {
                entry.busyLockout = 0;
            }
            if (entry.spUnmute == 1 || entry.spUnmute == 2) {
                entry.spUnmute = 0;
            }
        }
    }
    dropRepeaterWithoutReceiveTone(entry);
}

// The numeric fields (ids 12..20) take a value only inside their range, so a stray number can
// never reach the file or the radio as a choice the editors do not know.
void setNumberField(ChannelRecord& entry, FieldId field, std::int64_t value)
{
    const auto within = [value](std::int64_t low, std::int64_t high) {
        return value >= low && value <= high;
    };
    const auto stored = static_cast<Integer>(value);
    switch (field) {
    case FieldId::AutodialMemory:
        if (within(1, kAutodialMemoryCount)) {
            entry.autodialMemory = static_cast<Integer>(value - 1);
        }
        break;
    case FieldId::Reserved68:
    case FieldId::Reserved72:
        if (within(std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max())) {
            (field == FieldId::Reserved68 ? entry.reserved68 : entry.reserved72) = stored;
        }
        break;
    case FieldId::ScanAddCheck:
        if (within(0, 1)) {
            entry.scanAdd = stored;
        }
        break;
    case FieldId::Reverse:
        if (within(0, 1)) {
            entry.reverse = stored;
        }
        break;
    case FieldId::TalkAround:
        if (within(0, 1)) {
            entry.talkAround = stored;
        }
        break;
    case FieldId::SignalRelation:
        if (within(0, 1)) {
            entry.signalRelation = stored;
        }
        break;
    case FieldId::Call1:
        if (within(0, kCallCount)) {
            entry.call1 = stored;
        }
        break;
    case FieldId::Call2:
        if (within(0, kCallCount)) {
            entry.call2 = stored;
        }
        break;
    default:
        break;
    }
}

bool isNumberField(FieldId field)
{
    const int id = static_cast<int>(field);
    return id >= static_cast<int>(FieldId::AutodialMemory) && id <= static_cast<int>(FieldId::Call2);
}

void showOutOfRange(ChannelContext& context, bool warn)
{
    if (warn && !context.model.suppressRangeWarnings) {
        context.prompts.showMessage(
            std::string(model::pick(model::texts::kFrequencyOutOfRange, context.language)),
            model::MessageButtons::Ok, model::MessageIcon::Exclamation);
    }
}

double lowerLimit(const model::ModelState& state)
{
    return model::bandLimits(state.currentModel.currentBand, state.flags.bandExtension == 1).lowMHz;
}

std::string frequencyText(double mhz)
{
    return model::formatDecimal(mhz, 3, 5);
}

// Stored frequency texts are digits only; anything else (empty, "FFFFFFFF", damage) is no
// frequency the rules can recompute.
bool isStoredFrequencyNumber(std::string_view stored)
{
    return !stored.empty() &&
           std::all_of(stored.begin(), stored.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int listedCount(const model::ConfigDocument& document)
{
    return std::clamp<int>(document.channelCount, 0, model::kMaxChannels);
}

bool isChannelNumber(int number)
{
    return number >= 1 && number <= model::kMaxChannels;
}

} // namespace

std::optional<int> FindChannel(const model::ConfigDocument& document, int number)
{
    const int position = model::findChannel(document, number);
    if (position == 0) {
        return std::nullopt;
    }
    return position;
}

void CommitChannelValue(ChannelContext& context, int group, int row, FieldId field, std::string_view text,
                        bool refreshGrid)
{
    const int number = channelNumberAt(group, row);
    if (isChannelNumber(number)) {
        std::string value(text);
        if (isFrequencyField(field)) {
            value = std::string(model::trimWhitespace(value)); // a blank frequency field is a cleared one
            if (!value.empty()) {
                value = ValidateFrequencyText(context, value, field, true);
            }
        }
        model::ConfigDocument& document = context.model.document;
        if (const auto position = FindChannel(document, number)) {
            if (field == FieldId::RxFreq && value.empty()) {
                RemoveChannelEntry(context, *position); // clearing RX deletes the channel
            } else {
                SetChannelField(context, model::channelAt(document, *position), field, value);
            }
        } else if (field == FieldId::RxFreq && !value.empty()) {
            CreateChannel(context, number, value);
        }
    }
    if (refreshGrid && context.observer.channelGridOpen()) {
        context.observer.reShowGrid(row);
    }
    if (context.observer.channelDialogOpen()) {
        context.observer.reloadChannelDialog();
    }
}

void CommitChannelValue(ChannelContext& context, int group, int row, FieldId field, int value,
                        bool refreshGrid)
{
    CommitChannelValue(context, group, row, field, model::formatInteger(value), refreshGrid);
}

void SetChannelField(ChannelContext& context, ChannelRecord& entry, FieldId field, std::string_view text)
{
    const model::Language language = context.language;
    const model::CurrentModel& currentModel = context.model.currentModel;
    switch (field) {
    case FieldId::RxFreq:
        entry.rxFreq = model::displayToFrequency(text, currentModel);
        break;
    case FieldId::TxFreq:
        if (model::trimWhitespace(text).empty()) {
            entry.txFreq = model::kNoFrequency;
            entry.txCleared = 1;
            entry.txTone = model::kToneOff; // no transmit frequency, nothing to encode
            entry.reverse = 0;              // and nothing to swap with
        } else {
            entry.txFreq = model::displayToFrequency(text, currentModel);
            entry.txCleared = 0;
        }
        break;
    case FieldId::RxTone:
        setReceiveTone(entry, text, language);
        break;
    case FieldId::TxTone:
        setTransmitTone(entry, text, language);
        break;
    case FieldId::TxPower:
        entry.txPower = static_cast<Integer>(valueForText(kTxPowerTexts, text, language).value_or(1));
        break;
    case FieldId::ScanAdd:
        entry.scanAdd = valueForText(kScanAddTexts, text, language) == 1 ? 1 : 0;
        break;
    case FieldId::OptSignal:
        setOptionalSignalling(entry, text, language);
        break;
    case FieldId::PttId:
        entry.pttId = static_cast<Integer>(valueForText(kPttIdTexts, text, language).value_or(0));
        break;
    case FieldId::Spacing:
        entry.spacing = valueForText(kSpacingTexts, text, language) == 0 ? 0 : 1;
        break;
    case FieldId::SpUnmute:
        if (const auto value = valueForText(spUnmuteTexts(hasReceiveTone(entry)), text, language)) {
            entry.spUnmute = static_cast<Integer>(*value);
        }
        break;
    case FieldId::BusyLockout:
        // "Option Signalling" (3) is shown for a stored value but cannot be chosen.
        if (const auto value = valueForText(kBusyLockoutTexts, text, language); value && *value <= 2) {
            entry.busyLockout = static_cast<Integer>(*value);
        }
        break;
    default:
        if (isNumberField(field)) {
            if (const auto value = model::parseInteger(text)) {
                setNumberField(entry, field, *value);
            }
        }
        break;
    }
}

void SetChannelField(ChannelContext& context, ChannelRecord& entry, FieldId field, int value)
{
    if (isNumberField(field)) {
        setNumberField(entry, field, value);
    } else {
        SetChannelField(context, entry, field, model::formatInteger(value));
    }
}

std::optional<int> CreateChannel(ChannelContext& context, int number, std::string_view rxText)
{
    model::ConfigDocument& document = context.model.document;
    if (!isChannelNumber(number) || FindChannel(document, number) ||
        listedCount(document) >= model::kMaxChannels) {
        return std::nullopt;
    }
    // The commit has validated the text already; validating again (silently) is a no-op for it
    // and keeps a direct caller from storing a frequency outside the band.
    const std::string rx = ValidateFrequencyText(context, rxText, FieldId::RxFreq, false);
    const double rxMHz = model::parseDecimal(rx).value_or(lowerLimit(context.model));
    const std::string tx = frequencyText(ClampFrequency(context.model, rxMHz, FieldId::TxFreq));
    const int position = model::appendChannelEntry(document, static_cast<Integer>(number),
                                                   model::displayToFrequency(rx, context.model.currentModel),
                                                   model::displayToFrequency(tx, context.model.currentModel));
    if (position == 0) {
        return std::nullopt;
    }
    RevalidateScanChannels(context);
    return position;
}

void RemoveChannelEntry(ChannelContext& context, int position)
{
    model::ConfigDocument& document = context.model.document;
    const int count = listedCount(document);
    if (position < 1 || position > count) {
        return;
    }
    // The slot after the new last entry keeps a leftover copy; entries past channelCount are
    // never read.
    for (int p = position; p < count; ++p) {
        model::channelAt(document, p) = model::channelAt(document, p + 1);
    }
    document.channelCount = static_cast<Integer>(count - 1);
    RevalidateScanChannels(context);
}

void DeleteChannel(ChannelContext& context, int number)
{
    if (const auto position = FindChannel(context.model.document, number)) {
        RemoveChannelEntry(context, *position);
    }
}

void CopyChannel(ChannelContext& context, int number)
{
    ChannelClipboard& clipboard = context.clipboard;
    clipboard.clipboardFilled = true;
    const model::ConfigDocument& document = context.model.document;
    const auto position = FindChannel(document, number);
    if (position && model::channelAt(document, *position).inUse == 1) {
        clipboard.channelClipboard = model::channelAt(document, *position);
    } else {
        clipboard.channelClipboard.inUse = 0; // stands for an empty channel from now on
    }
}

void CutChannel(ChannelContext& context, int number)
{
    CopyChannel(context, number);
    if (context.clipboard.channelClipboard.inUse == 1) {
        DeleteChannel(context, number);
    } else {
        RevalidateScanChannels(context);
    }
}

void PasteChannel(ChannelContext& context, int number)
{
    const ChannelClipboard& clipboard = context.clipboard;
    if (!clipboard.clipboardFilled) {
        return;
    }
    if (clipboard.channelClipboard.inUse != 1) {
        DeleteChannel(context, number); // pasting an empty channel empties the target
        return;
    }
    if (!isChannelNumber(number)) {
        return;
    }
    model::ConfigDocument& document = context.model.document;
    if (const auto position = FindChannel(document, number)) {
        ChannelRecord& entry = model::channelAt(document, *position);
        entry = clipboard.channelClipboard;
        entry.number = static_cast<Integer>(number);
        return;
    }
    const int count = listedCount(document);
    if (count >= model::kMaxChannels) {
        return;
    }
    document.channelCount = static_cast<Integer>(count + 1);
    ChannelRecord& entry = model::channelAt(document, count + 1);
    entry = clipboard.channelClipboard;
    entry.number = static_cast<Integer>(number);
    // Paste leaves the scan references alone: they are checked again at the next creation or
    // deletion of a channel.
}

std::string ValidateFrequencyText(ChannelContext& context, std::string_view text, FieldId field, bool warn)
{
    if (const auto mhz = model::parseDecimal(text)) {
        return frequencyText(CheckFrequency(context, *mhz, field, warn));
    }
    showOutOfRange(context, warn);
    return frequencyText(lowerLimit(context.model));
}

double CheckFrequency(ChannelContext& context, double mhz, FieldId field, bool warn)
{
    const double clamped = ClampFrequency(context.model, mhz, field);
    if (clamped != mhz) {
        showOutOfRange(context, warn);
    }
    return clamped;
}

double ClampFrequency(const model::ModelState& state, double mhz, FieldId field)
{
    const model::BandLimits limits =
        model::bandLimits(state.currentModel.currentBand, state.flags.bandExtension == 1);
    const double upper = field == FieldId::RxFreq ? limits.rxHighMHz : limits.txHighMHz;
    if (mhz < limits.lowMHz) {
        return limits.lowMHz;
    }
    if (mhz > upper) {
        return upper;
    }
    return mhz;
}

void RevalidateScanChannels(ChannelContext& context)
{
    if (context.observer.scanWindowOpen()) {
        context.observer.ReshowByCh(); // the window shows the references and leaves them alone
        return;
    }
    model::ConfigDocument& document = context.model.document;
    const int count = listedCount(document);
    for (int group = 1; group <= kScanGroups; ++group) {
        Integer& reference =
            document.settings.scan[static_cast<std::size_t>(kFirstScanGroupIndex + group - 1)];
        // Only 1..16 names a channel of the group; 0 or a negative value would otherwise point
        // into the group before.
        if (reference >= 1 && reference <= kChannelsPerGroup &&
            FindChannel(document, channelNumberAt(group, reference))) {
            continue;
        }
        Integer replacement = kNoScanChannel;
        for (int position = 1; position <= count; ++position) {
            const int number = model::channelAt(document, position).number;
            if (number > channelNumberAt(group, 0) && number <= channelNumberAt(group, kChannelsPerGroup)) {
                replacement = static_cast<Integer>((number - 1) % kChannelsPerGroup + 1);
            }
        }
        reference = replacement;
    }
}

void ReclampTxFrequencies(ChannelContext& context)
{
    model::ConfigDocument& document = context.model.document;
    const model::CurrentModel& currentModel = context.model.currentModel;
    const int count = listedCount(document);
    for (int position = 1; position <= count; ++position) {
        ChannelRecord& entry = model::channelAt(document, position);
        const std::string stored = entry.txFreq.value();
        if (!isStoredFrequencyNumber(stored)) {
            continue;
        }
        const std::string shown = model::frequencyToDisplay(stored, currentModel, context.prompts);
        const auto mhz = model::parseDecimal(shown);
        if (!mhz) {
            continue;
        }
        entry.txFreq = model::displayToFrequency(
            frequencyText(ClampFrequency(context.model, *mhz, FieldId::TxFreq)), currentModel);
    }
    if (context.observer.channelGridOpen()) {
        context.observer.showAllGridRows();
    }
    if (context.observer.channelDialogOpen()) {
        context.observer.reloadChannelDialog();
    }
}

} // namespace corvane::channels
