#include "model/memory_image.h"

#include "model/code_page.h"
#include "model/dtmf_digits.h"
#include "model/frequency.h"
#include "model/model_band.h"
#include "model/new_document.h"
#include "model/number_text.h"
#include "model/tone.h"
#include "model/text_trim.h"

#include <algorithm>
#include <vector>

namespace corvane::model {

using namespace image;

namespace {

constexpr std::uint8_t kFill = 0xFF;
constexpr std::uint16_t kNoTone = 0xFFFF;

// ---- tables --------------------------------------------------------------------------------

// Table A: one option byte, its field (an option or a radio flag) and the rule that corrects a
// radio byte on unpacking: a byte above highestValid becomes fallback (255: taken as is).
struct OptionByte
{
    std::size_t address;
    PackField field;
    Integer OptionalFeatures::*option;
    Integer RadioFlags::*flag;
    int highestValid;
    Integer fallback;
};

constexpr std::array<OptionByte, 22> kOptionBytes = {{
    {0x130, PackField::TotTime, &OptionalFeatures::totTime, nullptr, 40, 4},
    {0x131, PackField::TotWarning, &OptionalFeatures::totWarning, nullptr, 10, 0},
    {0x132, PackField::VoicePrompt, &OptionalFeatures::voicePrompt, nullptr, 3, 0},
    {0x133, PackField::CallResponse, &OptionalFeatures::callResponse, nullptr, 4, 0},
    {0x134, PackField::SquelchLevel, &OptionalFeatures::squelchLevel, nullptr, 9, 4},
    {0x135, PackField::BatterySave, &OptionalFeatures::batterySave, nullptr, 3, 0},
    {0x136, PackField::Beep, &OptionalFeatures::beep, nullptr, 1, 1},
    {0x137, PackField::CancelOperation, &OptionalFeatures::cancelOperation, nullptr, 1, 0},
    {0x138, PackField::FrequencyShow, &OptionalFeatures::frequencyShow, nullptr, 1, 0},
    {0x139, PackField::VoxFunction, &OptionalFeatures::voxFunction, nullptr, 1, 0},
    {0x13A, PackField::VoxLevel, &OptionalFeatures::voxLevel, nullptr, 9, 4},
    {0x13B, PackField::VoxDelay, &OptionalFeatures::voxDelay, nullptr, 27, 1},
    {0x13C, PackField::VoxProceedTone, &OptionalFeatures::voxProceedTone, nullptr, 1, 0},
    {0x13D, PackField::Compander, &OptionalFeatures::compander, nullptr, 1, 0},
    {0x13E, PackField::CloneMode, &OptionalFeatures::cloneMode, nullptr, 1, 0},
    {0x13F, PackField::NoSignalTailElim, &OptionalFeatures::noSignalTailElim, nullptr, 255, 0},
    {0x147, PackField::MicNoiseReduction, &OptionalFeatures::micNoiseReduction, nullptr, 2, 1},
    {0x148, PackField::AlertEnabled, nullptr, &RadioFlags::alertEnabled, 1, 0},
    {0x149, PackField::FunctionEnabled, nullptr, &RadioFlags::functionEnabled, 1, 0},
    {0x14A, PackField::TailElimType, &OptionalFeatures::tailElimType, nullptr, 3, 0},
    {kResetAllowed, PackField::ResetAllowed, &OptionalFeatures::resetAllowed, nullptr, 1, 1},
    {0x14C, PackField::BandExtension, nullptr, &RadioFlags::bandExtension, 1, 0},
}};

// Table C: the nine DTMF setting bytes, taken back as they are.
struct DtmfByte
{
    std::size_t address;
    PackField field;
    Integer DtmfSettings::*member;
};

constexpr std::array<DtmfByte, 9> kDtmfBytesTable = {{
    {kDtmfBytes + 0, PackField::DtmfSpeed, &DtmfSettings::dtmfSpeed},
    {kDtmfBytes + 1, PackField::FirstDigitDelay, &DtmfSettings::firstDigitDelay},
    {kDtmfBytes + 2, PackField::DCodeAssignment, &DtmfSettings::dCodeAssignment},
    {kDtmfBytes + 3, PackField::AutoResetTimer, &DtmfSettings::autoResetTimer},
    {kDtmfBytes + 4, PackField::SideTone, &DtmfSettings::sideTone},
    {kDtmfBytes + 5, PackField::FirstDigitTime, &DtmfSettings::firstDigitTime},
    {kDtmfBytes + 6, PackField::StarHashTone, &DtmfSettings::starHashTone},
    {kDtmfBytes + 7, PackField::DecodingResponse, &DtmfSettings::decodingResponse},
    {kDtmfBytes + 8, PackField::GroupCode, &DtmfSettings::groupCode},
}};

// Table C: the five code texts.
struct DtmfCode
{
    std::size_t address;
    std::size_t size;
    PackField field;
};

constexpr std::array<DtmfCode, 5> kDtmfCodes = {{
    {kStunCode, kDtmfCodeSize, PackField::StunCode},
    {kKillCode, kDtmfCodeSize, PackField::KillCode},
    {kBotCode, kDtmfCodeSize, PackField::BotCode},
    {kEotCode, kDtmfCodeSize, PackField::EotCode},
    {kSelfId, kSelfIdSize, PackField::SelfId},
}};

std::string dtmfCodeText(const DtmfSettings& dtmf, PackField field)
{
    switch (field) {
    case PackField::StunCode: return dtmf.stunCode.value();
    case PackField::KillCode: return dtmf.killCode.value();
    case PackField::BotCode: return dtmf.botCode.value();
    case PackField::EotCode: return dtmf.eotCode.value();
    default: return dtmf.selfId.value();
    }
}

void setDtmfCodeText(DtmfSettings& dtmf, PackField field, std::string_view text)
{
    switch (field) {
    case PackField::StunCode: dtmf.stunCode = text; break;
    case PackField::KillCode: dtmf.killCode = text; break;
    case PackField::BotCode: dtmf.botCode = text; break;
    case PackField::EotCode: dtmf.eotCode = text; break;
    default: dtmf.selfId = text; break;
    }
}

constexpr std::array<PackField, kKeyCount> kKeyFields = {PackField::KeyPf1, PackField::KeyPf2, PackField::KeyPf1Long,
                                                         PackField::KeyPf2Long};
constexpr std::array<PackField, 5> kScanTimeFields = {PackField::LookBackTimeA, PackField::LookBackTimeB,
                                                      PackField::RevertChannel, PackField::DropoutDelayTime,
                                                      PackField::TxDwellTime};
constexpr int kScanGroups = 8;    // scan[1..8], one priority channel per group of 16
constexpr int kFirstScanTime = 9; // scan[9..13]

// ---- helpers -------------------------------------------------------------------------------

// The tone code a channel's text puts into the image; an empty text is no tone.
std::optional<std::uint16_t> imageToneCode(std::string_view text)
{
    if (trimBlanks(text).empty()) {
        return kNoTone;
    }
    return parseToneCode(text);
}

std::size_t channelSlot(int number)
{
    return kChannelSlots + static_cast<std::size_t>(number - 1) * kChannelSlotSize;
}

std::size_t dtmfMemorySlot(int number)
{
    return kDtmfMemory + static_cast<std::size_t>(number - 1) * kDtmfMemorySize;
}

std::span<std::uint8_t> area(RadioImage& img, std::size_t address, std::size_t size)
{
    return std::span<std::uint8_t>(img).subspan(address, size);
}

std::span<const std::uint8_t> area(const RadioImage& img, std::size_t address, std::size_t size)
{
    return std::span<const std::uint8_t>(img).subspan(address, size);
}

bool bitSet(const RadioImage& img, std::size_t table, int number)
{
    const auto index = static_cast<std::size_t>(number - 1);
    return ((img[table + index / 8] >> (index % 8)) & 1) != 0;
}

void setBit(RadioImage& img, std::size_t table, int number)
{
    const auto index = static_cast<std::size_t>(number - 1);
    img[table + index / 8] = static_cast<std::uint8_t>(img[table + index / 8] | (1u << (index % 8)));
}

// Bytes up to (not including) the first byte that `ends`, at most the area's size.
template <typename Ends>
std::string readText(const RadioImage& img, std::size_t address, std::size_t size, Ends ends)
{
    std::string text;
    for (std::uint8_t byte : area(img, address, size)) {
        if (ends(byte)) {
            break;
        }
        text.push_back(static_cast<char>(byte));
    }
    return text;
}

// ---- validation ----------------------------------------------------------------------------

PackProblem settingProblem(PackField field, long value, long low, long high, int group = 0)
{
    PackProblem p;
    p.kind = PackProblemKind::SettingValue;
    p.field = field;
    p.position = group;
    p.value = value;
    p.low = low;
    p.high = high;
    return p;
}

struct ChannelValue
{
    PackField field;
    Integer value;
    long low;
    long high;
};

// The ranges that keep each field inside its own bits. txPower and busyLockout may hold 3 (bits
// 2-3, bits 0-1) and optSignal 2: the radio reads those sums back in its own way, and stored
// images rely on them.
std::array<ChannelValue, 10> channelValues(const ChannelRecord& c)
{
    return {{
        {PackField::TxPower, c.txPower, 0, 3},
        {PackField::Spacing, c.spacing, 0, 1},
        {PackField::BusyLockout, c.busyLockout, 0, 3},
        {PackField::PttId, c.pttId, 0, 3},
        {PackField::Reverse, c.reverse, 0, 1},
        {PackField::TalkAround, c.talkAround, 0, 1},
        {PackField::OptSignal, c.optSignal, 0, 2},
        {PackField::SignalRelation, c.signalRelation, 0, 1},
        {PackField::Call1, c.call1, 0, kMaxDtmfMemories},
        {PackField::Call2, c.call2, 0, kMaxDtmfMemories},
    }};
}

std::optional<PackProblem> checkChannels(const ConfigDocument& doc)
{
    if (doc.channelCount < 0 || doc.channelCount > kMaxChannels) {
        PackProblem p;
        p.kind = PackProblemKind::ChannelCount;
        p.value = doc.channelCount;
        p.low = 0;
        p.high = kMaxChannels;
        return p;
    }
    std::array<bool, kMaxChannels + 1> seen{};
    for (int position = 1; position <= doc.channelCount; ++position) {
        const ChannelRecord& c = channelAt(doc, position);
        PackProblem p;
        p.position = position;
        p.channel = c.number;
        if (c.number < 1 || c.number > kMaxChannels) {
            p.kind = PackProblemKind::ChannelNumber;
            p.field = PackField::ChannelNumber;
            p.value = c.number;
            p.low = 1;
            p.high = kMaxChannels;
            return p;
        }
        if (seen[static_cast<std::size_t>(c.number)]) {
            p.kind = PackProblemKind::DuplicateChannel;
            p.field = PackField::ChannelNumber;
            return p;
        }
        seen[static_cast<std::size_t>(c.number)] = true;
        for (const auto& [field, text] : {std::pair{PackField::RxFrequency, c.rxFreq.value()},
                                          std::pair{PackField::TxFrequency, c.txFreq.value()}}) {
            if (!isPackableFrequency(text)) {
                p.kind = PackProblemKind::FrequencyText;
                p.field = field;
                p.text = text;
                return p;
            }
        }
        for (const auto& [field, text] : {std::pair{PackField::RxTone, c.rxTone.value()},
                                          std::pair{PackField::TxTone, c.txTone.value()}}) {
            if (!imageToneCode(text)) {
                p.kind = PackProblemKind::ToneCode;
                p.field = field;
                p.text = text;
                return p;
            }
        }
        for (const ChannelValue& v : channelValues(c)) {
            if (v.value < v.low || v.value > v.high) {
                p.kind = PackProblemKind::ChannelValue;
                p.field = v.field;
                p.value = v.value;
                p.low = v.low;
                p.high = v.high;
                return p;
            }
        }
    }
    return std::nullopt;
}

std::optional<PackProblem> checkDtmfMemories(const RadioSettings& settings)
{
    if (settings.dtmfMemoryCount < 0 || settings.dtmfMemoryCount > kMaxDtmfMemories) {
        PackProblem p;
        p.kind = PackProblemKind::DtmfMemoryCount;
        p.value = settings.dtmfMemoryCount;
        p.low = 0;
        p.high = kMaxDtmfMemories;
        return p;
    }
    std::array<bool, kMaxDtmfMemories + 1> seen{};
    for (int position = 1; position <= settings.dtmfMemoryCount; ++position) {
        const DtmfMemoryEntry& entry = settings.dtmfMemory[static_cast<std::size_t>(position - 1)];
        PackProblem p;
        p.field = PackField::DtmfMemory;
        p.position = position;
        p.channel = entry.number;
        if (entry.number < 1 || entry.number > kMaxDtmfMemories) {
            p.kind = PackProblemKind::DtmfMemoryNumber;
            p.value = entry.number;
            p.low = 1;
            p.high = kMaxDtmfMemories;
            return p;
        }
        if (seen[static_cast<std::size_t>(entry.number)]) {
            p.kind = PackProblemKind::DuplicateDtmfMemory;
            return p;
        }
        seen[static_cast<std::size_t>(entry.number)] = true;
        const std::string digits = entry.digits.value();
        if (!dtmfDigitsFit(trimBlanks(digits), kDtmfMemorySize)) {
            p.kind = PackProblemKind::DtmfDigits;
            p.text = digits;
            return p;
        }
    }
    return std::nullopt;
}

// One byte of the settings that packing writes as a number: table C, keys, table A, scan.
struct SettingByte
{
    std::size_t address;
    PackField field;
    int group;     // scan group of a priority channel, else 0
    long value;
    long low;
    long high;
    long stored;   // the byte written: value, or value - 1 for a priority channel
};

std::vector<SettingByte> settingBytes(const ConfigDocument& doc, const RadioFlags& flags)
{
    const RadioSettings& s = doc.settings;
    std::vector<SettingByte> bytes;
    auto add = [&](std::size_t address, PackField field, long value, int group = 0, long low = 0, long high = 255,
                   long offset = 0) { bytes.push_back({address, field, group, value, low, high, value + offset}); };

    for (const DtmfByte& d : kDtmfBytesTable) {
        add(d.address, d.field, s.dtmf.*d.member);
    }
    for (std::size_t k = 0; k < kKeyFields.size(); ++k) {
        add(kKeys + k, kKeyFields[k], s.keys[k]);
    }
    for (const OptionByte& o : kOptionBytes) {
        add(o.address, o.field, o.option ? s.options.*o.option : flags.*o.flag);
    }
    add(kScanPriorityMode, PackField::PriorityMode, s.scan[0]);
    for (std::size_t k = 0; k < kScanTimeFields.size(); ++k) {
        add(kScanTimes + k, kScanTimeFields[k], s.scan[kFirstScanTime + k]);
    }
    for (int g = 1; g <= kScanGroups; ++g) {
        add(kScanPriorityChannels + static_cast<std::size_t>(g - 1), PackField::PriorityChannel,
            s.scan[static_cast<std::size_t>(g)], g, 1, 256, -1);
    }
    return bytes;
}

std::optional<PackProblem> checkSettings(const ConfigDocument& doc, const RadioFlags& flags)
{
    for (const DtmfCode& code : kDtmfCodes) {
        const std::string text = dtmfCodeText(doc.settings.dtmf, code.field);
        if (!dtmfDigitsFit(trimBlanks(text), code.size)) {
            PackProblem p;
            p.kind = PackProblemKind::DtmfDigits;
            p.field = code.field;
            p.text = text;
            return p;
        }
    }
    for (const SettingByte& b : settingBytes(doc, flags)) {
        if (b.value < b.low || b.value > b.high) {
            return settingProblem(b.field, b.value, b.low, b.high, b.group);
        }
    }
    return std::nullopt;
}

// ---- packing -------------------------------------------------------------------------------

void packChannel(RadioImage& img, const ChannelRecord& c)
{
    const std::size_t b = channelSlot(c.number);
    const FrequencyBytes rx = *packFrequency(c.rxFreq.value());
    const FrequencyBytes tx = *packFrequency(c.txFreq.value());
    std::copy(rx.begin(), rx.end(), img.begin() + static_cast<std::ptrdiff_t>(b + kSlotRxFrequency));
    std::copy(tx.begin(), tx.end(), img.begin() + static_cast<std::ptrdiff_t>(b + kSlotTxFrequency));
    const std::uint16_t rxTone = *imageToneCode(c.rxTone.value());
    const std::uint16_t txTone = *imageToneCode(c.txTone.value());
    img[b + kSlotRxTone] = static_cast<std::uint8_t>(rxTone >> 8);
    img[b + kSlotRxTone + 1] = static_cast<std::uint8_t>(rxTone & 0xFF);
    img[b + kSlotTxTone] = static_cast<std::uint8_t>(txTone >> 8);
    img[b + kSlotTxTone + 1] = static_cast<std::uint8_t>(txTone & 0xFF);
    // Plain sums, exactly as the radio and the images stored by earlier versions expect them:
    // optSignal 2 lands in bit 3 (and carries into bit 4 together with signalRelation 1).
    img[b + kSlotFlagsA] =
        static_cast<std::uint8_t>(c.spacing * 64 + c.talkAround * 32 + c.reverse * 16 + c.txPower * 4 + c.busyLockout);
    img[b + kSlotFlagsB] = static_cast<std::uint8_t>(c.pttId + c.optSignal * 4 + c.signalRelation * 8 +
                                                     (c.call1 > 0 ? 16 : 0) + (c.call2 > 0 ? 32 : 0));
    const int call1 = c.call1 > 0 ? c.call1 - 1 : 0;
    const int call2 = c.call2 > 0 ? c.call2 - 1 : 0;
    img[b + kSlotCallCodes] = static_cast<std::uint8_t>(call1 + call2 * 16);
    setBit(img, kChannelPresentBits, c.number);
    if (c.scanAdd == 1) {
        setBit(img, kScanAddBits, c.number);
    }
}

void packMessage(RadioImage& img, std::size_t address, const FixedText<32>& message)
{
    const std::string text = message.value(); // code-page bytes, leading blanks kept
    auto field = area(img, address, kEmbeddedMessageSize);
    std::fill(field.begin(), field.end(), kFill);
    std::copy_n(text.begin(), std::min(text.size(), field.size()), field.begin());
}

void writeImage(RadioImage& img, const ConfigDocument& doc, const RadioFlags& flags)
{
    const RadioSettings& s = doc.settings;

    // Both bit tables and the zero bytes around them, 0x110..0x12F.
    std::fill(img.begin() + kChannelPresentBits, img.begin() + kOptionBytesA, std::uint8_t{0});
    for (int position = 1; position <= doc.channelCount; ++position) {
        packChannel(img, channelAt(doc, position));
    }

    const std::string modelCode = doc.radioType.modelCode.value();
    for (std::size_t i = 0; i < kModelCodeSize; ++i) {
        img[kModelCode + i] = i < modelCode.size() ? static_cast<std::uint8_t>(modelCode[i]) : 0;
    }
    img[kBandIndex] = static_cast<std::uint8_t>(doc.radioType.bandIndex);

    // Every memory slot is written: a slot the document does not list is empty, so neither the
    // zeros of a fresh start nor a memory deleted since the last read reach the radio.
    auto memories = area(img, kDtmfMemory, kMaxDtmfMemories * kDtmfMemorySize);
    std::fill(memories.begin(), memories.end(), kFill);
    for (int position = 1; position <= s.dtmfMemoryCount; ++position) {
        const DtmfMemoryEntry& entry = s.dtmfMemory[static_cast<std::size_t>(position - 1)];
        packDtmfDigits(trimBlanks(entry.digits.value()), area(img, dtmfMemorySlot(entry.number), kDtmfMemorySize));
    }

    packMessage(img, kEmbeddedMessage1, s.embeddedMessage1);
    packMessage(img, kEmbeddedMessage2, s.embeddedMessage2);

    for (const SettingByte& b : settingBytes(doc, flags)) {
        img[b.address] = static_cast<std::uint8_t>(b.stored);
    }
    for (const DtmfCode& code : kDtmfCodes) {
        packDtmfDigits(trimBlanks(dtmfCodeText(s.dtmf, code.field)), area(img, code.address, code.size));
    }
}

// ---- unpacking -----------------------------------------------------------------------------

void unpackChannels(ConfigDocument& doc, const RadioImage& img)
{
    doc.channelCount = 0;
    for (int n = 1; n <= kMaxChannels; ++n) {
        if (!bitSet(img, kChannelPresentBits, n)) {
            continue;
        }
        const std::size_t b = channelSlot(n);
        const auto rx = area(img, b + kSlotRxFrequency, 4).first<4>();
        if (std::all_of(rx.begin(), rx.end(), [](std::uint8_t v) { return v == kFill; })) {
            continue; // present but without RX frequency: no channel
        }
        // The next list position; fields without an image place keep what that entry held.
        ChannelRecord& c = doc.channels[static_cast<std::size_t>(doc.channelCount)];
        c.scanAdd = bitSet(img, kScanAddBits, n) ? 1 : 0;
        c.inUse = 1;
        c.number = static_cast<Integer>(n);
        c.rxFreq = unpackFrequency(rx);
        c.txFreq = unpackFrequency(area(img, b + kSlotTxFrequency, 4).first<4>());
        c.rxTone = toneCodeText(static_cast<std::uint16_t>(img[b + kSlotRxTone] << 8 | img[b + kSlotRxTone + 1]));
        c.txTone = toneCodeText(static_cast<std::uint16_t>(img[b + kSlotTxTone] << 8 | img[b + kSlotTxTone + 1]));

        const int a = img[b + kSlotFlagsA];
        c.spacing = static_cast<Integer>((a >> 6) & 1);
        c.talkAround = static_cast<Integer>((a >> 5) & 1);
        c.reverse = static_cast<Integer>((a >> 4) & 1);
        const int power = (a >> 2) & 3;
        c.txPower = static_cast<Integer>(power > 1 ? 1 : power);
        const int busy = a & 3;
        c.busyLockout = static_cast<Integer>(busy == 3 ? 2 : busy);

        const int f = img[b + kSlotFlagsB];
        const int calls = img[b + kSlotCallCodes];
        c.pttId = static_cast<Integer>(f & 3);
        c.optSignal = static_cast<Integer>((f >> 2) & 1);
        c.signalRelation = static_cast<Integer>((f >> 3) & 1);
        c.call1 = static_cast<Integer>((f & 16) != 0 ? (calls & 0x0F) + 1 : 0);
        c.call2 = static_cast<Integer>((f & 32) != 0 ? (calls >> 4) + 1 : 0);
        ++doc.channelCount;
    }
}

void unpackDtmf(RadioSettings& s, const RadioImage& img)
{
    s.dtmfMemoryCount = 0;
    for (int n = 1; n <= kMaxDtmfMemories; ++n) {
        const std::string digits = unpackDtmfDigits(area(img, dtmfMemorySlot(n), kDtmfMemorySize));
        if (!digits.empty()) {
            DtmfMemoryEntry& entry = s.dtmfMemory[static_cast<std::size_t>(s.dtmfMemoryCount)];
            entry.number = static_cast<Integer>(n); // the slot number, not the list position
            entry.digits = digits;
            ++s.dtmfMemoryCount;
        }
    }
    for (const DtmfByte& d : kDtmfBytesTable) {
        s.dtmf.*d.member = img[d.address];
    }
    for (const DtmfCode& code : kDtmfCodes) {
        setDtmfCodeText(s.dtmf, code.field, unpackDtmfDigits(area(img, code.address, code.size)));
    }
}

void unpackSettings(RadioSettings& s, RadioFlags& flags, const RadioImage& img)
{
    for (std::size_t k = 0; k < kKeyFields.size(); ++k) {
        const int key = img[kKeys + k];
        s.keys[k] = static_cast<Integer>(key >= 16 && key <= 254 ? 255 : key);
    }
    for (const OptionByte& o : kOptionBytes) {
        const int byte = img[o.address];
        const Integer value = byte > o.highestValid ? o.fallback : static_cast<Integer>(byte);
        if (o.option) {
            s.options.*o.option = value;
        } else {
            flags.*o.flag = value;
        }
    }
    s.scan[0] = static_cast<Integer>(img[kScanPriorityMode] > 2 ? 0 : img[kScanPriorityMode]);
    for (std::size_t k = 0; k < kScanTimeFields.size(); ++k) {
        s.scan[kFirstScanTime + k] = img[kScanTimes + k];
    }
    // An unset priority channel goes out as 254 and comes back as 256: both mean "none".
    for (int g = 1; g <= kScanGroups; ++g) {
        const int byte = img[kScanPriorityChannels + static_cast<std::size_t>(g - 1)];
        s.scan[static_cast<std::size_t>(g)] = static_cast<Integer>((byte > 16 ? 255 : byte) + 1);
    }
}

void unpackInfoFlags(RadioInfo& info, const RadioImage& img)
{
    for (std::size_t k = 0; k < info.infoFlags.size(); ++k) {
        if (info.infoFlags[k] == 0) {
            info.infoFlags[k] = static_cast<Integer>((img[kInfoOptionBits] >> k) & 1);
        }
    }
}

// ---- messages ------------------------------------------------------------------------------

struct FieldName
{
    PackField field;
    TextPair name;
};

constexpr std::array kFieldNames = {
    FieldName{PackField::None, {"", ""}},
    FieldName{PackField::ChannelNumber, {"Channel", "信道"}},
    FieldName{PackField::RxFrequency, {"RX Frequency", "接收频率"}},
    FieldName{PackField::TxFrequency, {"TX Frequency", "发射频率"}},
    FieldName{PackField::RxTone, {"CTCSS/DCS Decode", "CTCSS/DCS 解码"}},
    FieldName{PackField::TxTone, {"CTCSS/DCS Encode", "CTCSS/DCS 编码"}},
    FieldName{PackField::TxPower, {"TX Power", "发射功率"}},
    FieldName{PackField::Spacing, {"Channel Spacing", "宽/窄带"}},
    FieldName{PackField::BusyLockout, {"Busy Channel Lock-out", "遇忙锁定"}},
    FieldName{PackField::PttId, {"PTT ID", "PTT ID"}},
    FieldName{PackField::Reverse, {"Reverse", "倒频"}},
    FieldName{PackField::TalkAround, {"Talk Around", "脱网"}},
    FieldName{PackField::OptSignal, {"Option Signaling", "可选信令"}},
    FieldName{PackField::SignalRelation, {"Signal Relation", "信令关系"}},
    FieldName{PackField::Call1, {"Call 1", "呼叫1"}},
    FieldName{PackField::Call2, {"Call 2", "呼叫2"}},
    FieldName{PackField::TotTime, {"Time Out Timer(TOT)", "超时定时器(TOT)"}},
    FieldName{PackField::TotWarning, {"TOT Warnig Time", "超时定时器预警"}},
    FieldName{PackField::VoicePrompt, {"Voice Prompt", "提示音"}},
    FieldName{PackField::CallResponse, {"Call Response", "呼叫响应"}},
    FieldName{PackField::SquelchLevel, {"Squelch Level", "静噪等级"}},
    FieldName{PackField::BatterySave, {"Battery Save", "省电"}},
    FieldName{PackField::Beep, {"Beep", "哗音"}},
    FieldName{PackField::CancelOperation, {"Cancel Operation", "取消操作"}},
    FieldName{PackField::FrequencyShow, {"Frequency Show", "频率显示"}},
    FieldName{PackField::VoxFunction, {"VOX Function", "声控功能"}},
    FieldName{PackField::VoxLevel, {"VOX Level", "声控等级"}},
    FieldName{PackField::VoxDelay, {"VOX Delay Time", "声控延时"}},
    FieldName{PackField::VoxProceedTone, {"VOX Proceed Tone", "声控可进行音调"}},
    FieldName{PackField::Compander, {"Compander", "压扩"}},
    FieldName{PackField::CloneMode, {"Clone Mode", "复制模式"}},
    FieldName{PackField::NoSignalTailElim,
              {"Eliminate Squelch Tail When No CTCSS/DCS Signaling", "无信令时尾音消除"}},
    FieldName{PackField::MicNoiseReduction, {"Mic Noise Reduction", "麦克风降噪"}},
    FieldName{PackField::AlertEnabled, {"Alert Locked", "报警锁定"}},
    FieldName{PackField::FunctionEnabled, {"Function Locked", "功能锁定"}},
    FieldName{PackField::TailElimType, {"Tail Elimination Type", "CTCSS尾音消除方式"}},
    FieldName{PackField::ResetAllowed, {"Reset Allowed", "复位允许"}},
    FieldName{PackField::BandExtension, {"Freqency Band Extension", "频段扩展"}},
    FieldName{PackField::KeyPf1, {"Key PF1", "按键 PF1"}},
    FieldName{PackField::KeyPf2, {"Key PF2", "按键 PF2"}},
    FieldName{PackField::KeyPf1Long, {"Key PF1_1s", "按键 PF1_1s"}},
    FieldName{PackField::KeyPf2Long, {"Key PF2_1s", "按键 PF2_1s"}},
    FieldName{PackField::PriorityMode, {"Priority", "优先"}},
    FieldName{PackField::PriorityChannel, {"Priority Channel", "优先信道"}},
    FieldName{PackField::LookBackTimeA, {"Look Back Time A", "回扫时间A"}},
    FieldName{PackField::LookBackTimeB, {"Look Back Time B", "回扫时间B"}},
    FieldName{PackField::RevertChannel, {"Revert Channel", "返回信道"}},
    FieldName{PackField::DropoutDelayTime, {"Dropout Delay Time", "扫描接收恢复延迟时间"}},
    FieldName{PackField::TxDwellTime, {"TX Dwell Time", "扫描发射恢复延迟时间"}},
    FieldName{PackField::DtmfSpeed, {"DTMF Speed", "DTMF 速率"}},
    FieldName{PackField::FirstDigitTime, {"First Digit Time", "首位数码时间"}},
    FieldName{PackField::FirstDigitDelay, {"First Digit Delay", "首位数码延迟"}},
    FieldName{PackField::StarHashTone, {"* and # Tone", "*和#音"}},
    FieldName{PackField::DCodeAssignment, {"D Code Assignment", "D键设定"}},
    FieldName{PackField::SideTone, {"DTMF Side Tone", "DTMF 侧音"}},
    FieldName{PackField::SelfId, {"Self ID", "自身ID码"}},
    FieldName{PackField::GroupCode, {"Group Code", "组呼码"}},
    FieldName{PackField::AutoResetTimer, {"Auto Reset Timer", "自动复位时间"}},
    FieldName{PackField::DecodingResponse, {"Decoding Response", "解码响应"}},
    FieldName{PackField::BotCode, {"Begin of TX code", "传送ID信号的开始(BOT)"}},
    FieldName{PackField::EotCode, {"End of TX code", "传送ID信号的结束(EOT)"}},
    FieldName{PackField::StunCode, {"Stun", "遥晕"}},
    FieldName{PackField::KillCode, {"Kill", "遥毙"}},
    FieldName{PackField::DtmfMemory, {"Autodial Memory", "自动拨号存储器"}},
};

// The message texts; {c} channel or memory number, {p} list position, {f} the field or setting,
// {v} the value, {l}..{h} the allowed range, {t} the refused text.
struct ProblemText
{
    PackProblemKind kind;
    TextPair text;
};

constexpr std::array kProblemTexts = {
    ProblemText{PackProblemKind::ChannelCount,
                {"The document lists {v} channels; the radio holds at most {h}.",
                 "文档中有 {v} 个信道，对讲机最多只能存储 {h} 个。"}},
    ProblemText{PackProblemKind::ChannelNumber,
                {"Channel entry {p} has the channel number {v}; channel numbers are {l} to {h}.",
                 "第 {p} 个信道条目的信道号为 {v}，信道号应为 {l} 至 {h}。"}},
    ProblemText{PackProblemKind::DuplicateChannel,
                {"Channel {c} is listed more than once.", "信道 {c} 重复出现。"}},
    ProblemText{PackProblemKind::FrequencyText,
                {"Channel {c}: {f} \"{t}\" is not a frequency.", "信道 {c}：{f}“{t}”不是有效的频率。"}},
    ProblemText{PackProblemKind::ToneCode,
                {"Channel {c}: {f} \"{t}\" is not a tone code.", "信道 {c}：{f}“{t}”不是有效的亚音代码。"}},
    ProblemText{PackProblemKind::ChannelValue,
                {"Channel {c}: {f} holds {v}; the radio accepts {l} to {h}.",
                 "信道 {c}：{f}的值为 {v}，对讲机只接受 {l} 至 {h}。"}},
    ProblemText{PackProblemKind::DtmfMemoryCount,
                {"The document lists {v} autodial memories; the radio holds at most {h}.",
                 "文档中有 {v} 个自动拨号存储器，对讲机最多只能存储 {h} 个。"}},
    ProblemText{PackProblemKind::DtmfMemoryNumber,
                {"Autodial memory entry {p} has the number {v}; memory numbers are {l} to {h}.",
                 "第 {p} 个自动拨号存储器条目的编号为 {v}，编号应为 {l} 至 {h}。"}},
    ProblemText{PackProblemKind::DuplicateDtmfMemory,
                {"Autodial memory {c} is listed more than once.", "自动拨号存储器 {c} 重复出现。"}},
    ProblemText{PackProblemKind::DtmfDigits,
                {"{f} \"{t}\" holds a character that is not a DTMF digit.", "{f}“{t}”含有不是 DTMF 数码的字符。"}},
    ProblemText{PackProblemKind::SettingValue,
                {"{f} holds {v}; the radio accepts {l} to {h}.", "{f}的值为 {v}，对讲机只接受 {l} 至 {h}。"}},
};

constexpr TextPair kNotWritten{"The data cannot be written to the radio.", "数据无法写入对讲机。"};

void replaceAll(std::string& text, std::string_view key, std::string_view value)
{
    for (auto at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size())) {
        text.replace(at, key.size(), value);
    }
}

} // namespace

void fillImageForTransfer(ModelState& state)
{
    std::fill(state.radioImage.begin(), state.radioImage.begin() + kFillEnd, kFill);
}

std::optional<PackProblem> checkPackable(const ModelState& state)
{
    const ConfigDocument& doc = state.document;
    if (auto problem = checkChannels(doc)) {
        return problem;
    }
    if (auto problem = checkDtmfMemories(doc.settings)) {
        return problem;
    }
    return checkSettings(doc, state.flags);
}

PackResult packImage(ModelState& state)
{
    if (auto problem = checkPackable(state)) {
        return {std::move(problem)};
    }
    refreshRadioType(state.document.radioType, state.currentModel);
    writeImage(state.radioImage, state.document, state.flags);
    return {};
}

void unpackImage(ModelState& state, std::string_view identityModelCode, int identityBandCode)
{
    ConfigDocument& doc = state.document;
    const RadioImage& img = state.radioImage;
    unpackChannels(doc, img);

    doc.radioType.modelCode = identityModelCode;
    doc.radioType.bandIndex = static_cast<Integer>(identityBandCode);
    setCurrentModelFromRadioType(doc.radioType, state.currentModel);

    unpackDtmf(doc.settings, img);
    // Only 0xFF ends a message line: 0x00 is a character of the radio's.
    const auto endsMessage = [](std::uint8_t b) { return b == kFill; };
    doc.settings.embeddedMessage1 = readText(img, kEmbeddedMessage1, kEmbeddedMessageSize, endsMessage);
    doc.settings.embeddedMessage2 = readText(img, kEmbeddedMessage2, kEmbeddedMessageSize, endsMessage);
    unpackSettings(doc.settings, state.flags, img);
    unpackInfoFlags(state.radioInfo, img);
}

void unpackRadioInfo(ModelState& state)
{
    const RadioImage& img = state.radioImage;
    RadioInfo& info = state.radioInfo;
    unpackInfoFlags(info, img);
    const auto endsInfo = [](std::uint8_t b) { return b == kFill || b == 0x00; };
    info.infoModelCode = readText(img, kInfoModelCode, 5, endsInfo);
    info.infoSalesArea = readText(img, kInfoSalesArea, 4, endsInfo);
    info.infoSerialNumber = readText(img, kInfoSerialNumber, 16, endsInfo);
    info.infoProductionDate = readText(img, kInfoProductionDate, 16, endsInfo);
    info.infoBatchCode = readText(img, kInfoBatchCode, 8, endsInfo);
    info.infoCustomerCode = readText(img, kInfoCustomerCode, 4, endsInfo);
    info.infoBandIndex = img[kInfoBandIndex];
}

bool takeResetAllowedFromRadio(ModelState& state, std::span<const std::uint8_t> reply)
{
    constexpr std::size_t kFrameHeader = 4; // 'W', address high, address low, length
    constexpr std::size_t kReplyByte = kFrameHeader + (kResetAllowed - kScanPriorityMode);
    if (reply.size() <= kReplyByte) {
        return false;
    }
    state.radioImage[kResetAllowed] = reply[kReplyByte];
    return true;
}

std::string_view packFieldName(PackField field, Language language)
{
    for (const FieldName& row : kFieldNames) {
        if (row.field == field) {
            return pick(row.name, language);
        }
    }
    return {};
}

std::string packProblemText(const PackProblem& problem, Language language)
{
    std::string detail;
    for (const ProblemText& row : kProblemTexts) {
        if (row.kind == problem.kind) {
            detail = std::string(pick(row.text, language));
        }
    }
    std::string field(packFieldName(problem.field, language));
    if (problem.field == PackField::PriorityChannel && problem.position > 0) {
        field += " " + formatInteger(problem.position);
    }
    if (problem.field == PackField::DtmfMemory && problem.kind == PackProblemKind::DtmfDigits) {
        field += " " + formatInteger(problem.channel);
    }
    replaceAll(detail, "{c}", formatInteger(problem.channel));
    replaceAll(detail, "{p}", formatInteger(problem.position));
    replaceAll(detail, "{v}", formatInteger(problem.value));
    replaceAll(detail, "{l}", formatInteger(problem.low));
    replaceAll(detail, "{h}", formatInteger(problem.high));
    replaceAll(detail, "{f}", field);
    replaceAll(detail, "{t}", codePageToUtf8(problem.text)); // last: the text may hold braces
    const std::string_view separator = language == Language::Chinese ? "" : " ";
    return std::string(pick(kNotWritten, language)) + std::string(separator) + detail;
}

} // namespace corvane::model
