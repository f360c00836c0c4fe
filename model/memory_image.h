#pragma once
// The radio's 1024-byte configuration memory as the programming link moves it (radioImage in
// ModelState) and the conversions between it and the document:
//   fillImageForTransfer  before every read, information read and write: 0x000-0x1FF := 0xFF
//   packImage             before a write: document -> image, all or nothing
//   unpackImage           after a read: image -> document (fields without an image place stay)
//   unpackRadioInfo       after an information read: block 0x1B0 -> RadioInfo
//   takeResetAllowedFromRadio  during a write: the radio's own "Reset Allowed" byte wins
//
// Numbers in the image are big-endian. Texts are copied as code-page bytes (FixedText and the
// RadioInfo strings hold code-page bytes already). Unpacking accepts any bytes and corrects the
// out-of-range option, key and scan bytes; it never reads or writes outside the image. Packing
// checks every value first: a value that does not fit its place refuses the whole packing with a
// PackProblem, and then neither the image nor the document has been touched.

#include "model/model_state.h"
#include "model/text_pair.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace corvane::model {

namespace image {

// The memory map. Addresses are radio addresses = indexes into radioImage.
inline constexpr std::size_t kUnusedSlot0 = 0x000;           // slot of a channel number 0
inline constexpr std::size_t kChannelSlots = 0x010;          // slot n at n * 16, n = 1..16
inline constexpr std::size_t kChannelSlotSize = 16;
inline constexpr std::size_t kChannelPresentBits = 0x110;    // bit (n-1)%8 of byte (n-1)/8
inline constexpr std::size_t kZeroAfterPresentBits = 0x112;
inline constexpr std::size_t kScanAddBits = 0x120;           // same layout, scanAdd = 1
inline constexpr std::size_t kZeroAfterScanAddBits = 0x122;
inline constexpr std::size_t kOptionBytesA = 0x130;          // table A, 16 bytes
inline constexpr std::size_t kScanPriorityMode = 0x140;      // scan[0]
inline constexpr std::size_t kUnused141 = 0x141;
inline constexpr std::size_t kScanTimes = 0x142;             // scan[9..13]
inline constexpr std::size_t kOptionBytesB = 0x147;          // table A, 6 bytes
inline constexpr std::size_t kResetAllowed = 0x14B;          // the radio's own byte wins
inline constexpr std::size_t kUnused14D = 0x14D;
inline constexpr std::size_t kKeys = 0x150;                  // keys[0..3]
inline constexpr std::size_t kUnused154 = 0x154;
inline constexpr std::size_t kScanPriorityChannels = 0x158;  // scan[g] - 1 at 0x157 + g
inline constexpr std::size_t kEmbeddedMessage1 = 0x160;
inline constexpr std::size_t kEmbeddedMessage2 = 0x180;
inline constexpr std::size_t kEmbeddedMessageSize = 32;
inline constexpr std::size_t kIdentityByte0 = 0x1A0;
inline constexpr std::size_t kModelCode = 0x1A1;             // 5 characters, 0 after the text
inline constexpr std::size_t kModelCodeSize = 5;
inline constexpr std::size_t kBandIndex = 0x1A6;
inline constexpr std::size_t kIdentityBytes7To11 = 0x1A7;
inline constexpr std::size_t kUnused1AC = 0x1AC;
inline constexpr std::size_t kRadioInfoBlock = 0x1B0;        // table B, 64 bytes
inline constexpr std::size_t kInfoOptionBits = 0x1B0;        // bits 0..2 -> infoFlags
inline constexpr std::size_t kInfoModelCode = 0x1B1;         // 5
inline constexpr std::size_t kInfoBandIndex = 0x1B6;
inline constexpr std::size_t kUnused1B7 = 0x1B7;
inline constexpr std::size_t kInfoSalesArea = 0x1B8;         // 4
inline constexpr std::size_t kUnused1BC = 0x1BC;
inline constexpr std::size_t kInfoSerialNumber = 0x1C0;      // 16
inline constexpr std::size_t kInfoProductionDate = 0x1D0;    // 16
inline constexpr std::size_t kInfoBatchCode = 0x1E0;         // 8
inline constexpr std::size_t kInfoCustomerCode = 0x1E8;      // 4
inline constexpr std::size_t kInfoPassword = 0x1EC;          // 4, the link's password check
inline constexpr std::size_t kTestDataBlock = 0x1F0;         // travels only in its own frames
inline constexpr std::size_t kFillEnd = 0x200;               // the fill covers 0x000..0x1FF
inline constexpr std::size_t kDtmfMemory = 0x200;            // entry n at 0x200 + (n-1) * 16
inline constexpr std::size_t kDtmfMemorySize = 16;
inline constexpr std::size_t kStunCode = 0x300;              // table C: code texts of 16 ...
inline constexpr std::size_t kKillCode = 0x310;
inline constexpr std::size_t kUnused320 = 0x320;
inline constexpr std::size_t kBotCode = 0x360;
inline constexpr std::size_t kEotCode = 0x370;
inline constexpr std::size_t kDtmfCodeSize = 16;
inline constexpr std::size_t kDtmfBytes = 0x380;             // ... nine setting bytes ...
inline constexpr std::size_t kUnused389 = 0x389;
inline constexpr std::size_t kSelfId = 0x390;                // ... and the self ID of 10
inline constexpr std::size_t kSelfIdSize = 10;
inline constexpr std::size_t kUnused39A = 0x39A;
inline constexpr std::size_t kNeverTransferred = 0x3A0;      // 0x3A0..0x3FF

// Channel slot offsets from b = n * 16.
inline constexpr std::size_t kSlotRxFrequency = 0;  // 4 bytes, hertz
inline constexpr std::size_t kSlotTxFrequency = 4;  // 4 bytes, FF FF FF FF = no TX
inline constexpr std::size_t kSlotRxTone = 8;       // 2 bytes, tone code
inline constexpr std::size_t kSlotTxTone = 10;
inline constexpr std::size_t kSlotFlagsA = 12;      // spacing*64 + talkAround*32 + reverse*16 + txPower*4 + busyLockout
inline constexpr std::size_t kSlotFlagsB = 13;      // pttId + optSignal*4 + signalRelation*8 + (call1>0)*16 + (call2>0)*32
inline constexpr std::size_t kSlotCallCodes = 14;   // call1 - 1 in bits 0-3, call2 - 1 in bits 4-7
                                                    // offset 15 is left as filled

struct ImageArea
{
    std::size_t address;
    std::size_t size;
    std::string_view content;
};

// The whole map in address order; every byte of the image belongs to exactly one area.
inline constexpr std::array kImageMap = {
    ImageArea{kUnusedSlot0, 16, "not used (slot of channel number 0)"},
    ImageArea{kChannelSlots, 16 * kChannelSlotSize, "channel slots 1..16"},
    ImageArea{kChannelPresentBits, 2, "channel-present bits"},
    ImageArea{kZeroAfterPresentBits, 14, "zero"},
    ImageArea{kScanAddBits, 2, "scan-add bits"},
    ImageArea{kZeroAfterScanAddBits, 14, "zero"},
    ImageArea{kOptionBytesA, 16, "option bytes, table A"},
    ImageArea{kScanPriorityMode, 1, "scan[0] priority mode"},
    ImageArea{kUnused141, 1, "not used"},
    ImageArea{kScanTimes, 5, "scan[9..13]"},
    ImageArea{kOptionBytesB, 6, "option bytes and radio flags, table A"},
    ImageArea{kUnused14D, 3, "not used"},
    ImageArea{kKeys, 4, "keys[0..3]"},
    ImageArea{kUnused154, 4, "not used"},
    ImageArea{kScanPriorityChannels, 8, "scan[1..8] minus one"},
    ImageArea{kEmbeddedMessage1, kEmbeddedMessageSize, "embedded message line 1"},
    ImageArea{kEmbeddedMessage2, kEmbeddedMessageSize, "embedded message line 2"},
    ImageArea{kIdentityByte0, 1, "identity byte 0"},
    ImageArea{kModelCode, kModelCodeSize, "model code"},
    ImageArea{kBandIndex, 1, "band index"},
    ImageArea{kIdentityBytes7To11, 5, "identity bytes 7..11"},
    ImageArea{kUnused1AC, 4, "not used"},
    ImageArea{kInfoOptionBits, 1, "info: option bits"},
    ImageArea{kInfoModelCode, 5, "info: model code"},
    ImageArea{kInfoBandIndex, 1, "info: band index"},
    ImageArea{kUnused1B7, 1, "not used"},
    ImageArea{kInfoSalesArea, 4, "info: sales area"},
    ImageArea{kUnused1BC, 4, "not used"},
    ImageArea{kInfoSerialNumber, 16, "info: serial number"},
    ImageArea{kInfoProductionDate, 16, "info: production date"},
    ImageArea{kInfoBatchCode, 8, "info: batch code"},
    ImageArea{kInfoCustomerCode, 4, "info: customer code"},
    ImageArea{kInfoPassword, 4, "programming password"},
    ImageArea{kTestDataBlock, 16, "test-data block"},
    ImageArea{kDtmfMemory, 16 * kDtmfMemorySize, "DTMF memories 1..16"},
    ImageArea{kStunCode, kDtmfCodeSize, "stun code"},
    ImageArea{kKillCode, kDtmfCodeSize, "kill code"},
    ImageArea{kUnused320, 64, "not used"},
    ImageArea{kBotCode, kDtmfCodeSize, "BOT code"},
    ImageArea{kEotCode, kDtmfCodeSize, "EOT code"},
    ImageArea{kDtmfBytes, 9, "DTMF setting bytes, table C"},
    ImageArea{kUnused389, 7, "not used"},
    ImageArea{kSelfId, kSelfIdSize, "self ID"},
    ImageArea{kUnused39A, 6, "not used"},
    ImageArea{kNeverTransferred, 96, "never transferred"},
};

} // namespace image

// What a refused packing names: the field or setting whose value does not fit.
enum class PackField {
    None,
    // channel entries
    ChannelNumber, RxFrequency, TxFrequency, RxTone, TxTone, TxPower, Spacing, BusyLockout, PttId,
    Reverse, TalkAround, OptSignal, SignalRelation, Call1, Call2,
    // options and radio flags (table A)
    TotTime, TotWarning, VoicePrompt, CallResponse, SquelchLevel, BatterySave, Beep, CancelOperation,
    FrequencyShow, VoxFunction, VoxLevel, VoxDelay, VoxProceedTone, Compander, CloneMode,
    NoSignalTailElim, MicNoiseReduction, AlertEnabled, FunctionEnabled, TailElimType, ResetAllowed,
    BandExtension,
    // keys and scan
    KeyPf1, KeyPf2, KeyPf1Long, KeyPf2Long,
    PriorityMode, PriorityChannel, LookBackTimeA, LookBackTimeB, RevertChannel, DropoutDelayTime,
    TxDwellTime,
    // DTMF (table C and the memories)
    DtmfSpeed, FirstDigitTime, FirstDigitDelay, StarHashTone, DCodeAssignment, SideTone, SelfId,
    GroupCode, AutoResetTimer, DecodingResponse, BotCode, EotCode, StunCode, KillCode, DtmfMemory,
};

enum class PackProblemKind {
    ChannelCount,        // value: channelCount outside 0..16
    ChannelNumber,       // position: list position; value: number outside 1..16
    DuplicateChannel,    // channel: the number listed twice
    FrequencyText,       // channel, field, text: not digits
    ToneCode,            // channel, field, text: not four hex digits
    ChannelValue,        // channel, field, value outside low..high
    DtmfMemoryCount,     // value: dtmfMemoryCount outside 0..16
    DtmfMemoryNumber,    // position, value: number outside 1..16
    DuplicateDtmfMemory, // channel: the memory number listed twice
    DtmfDigits,          // field, text (channel: memory number for DtmfMemory)
    SettingValue,        // field, value outside low..high (position: group of PriorityChannel)
};

struct PackProblem
{
    PackProblemKind kind = PackProblemKind::SettingValue;
    PackField field = PackField::None;
    int channel = 0;        // channel number, or DTMF memory number
    int position = 0;       // 1-based list position, or the scan group of a priority channel
    long value = 0;
    long low = 0;
    long high = 0;
    std::string text;       // the refused text, code-page bytes as stored

    friend bool operator==(const PackProblem&, const PackProblem&) = default;
};

struct PackResult
{
    std::optional<PackProblem> problem;
    bool ok() const { return !problem.has_value(); }
};

// Image bytes 0x000-0x1FF := 0xFF; 0x200-0x3FF stay as they are.
void fillImageForTransfer(ModelState& state);

// The first value of the document that packing would refuse, or none.
std::optional<PackProblem> checkPackable(const ModelState& state);

// Writes the document into the image (after fillImageForTransfer) and refreshes the document's
// radio type from the current model. DTMF memory slots the document does not list become empty
// (0xFF). On a problem nothing is written and the radio type is left as it was.
PackResult packImage(ModelState& state);

// Rebuilds the document from the image after a read. The identity reply's model code and band
// code become the document's radio type and, through it, the current model.
void unpackImage(ModelState& state, std::string_view identityModelCode, int identityBandCode);

// Fills RadioInfo from the radio-information block (flags are only ever set).
void unpackRadioInfo(ModelState& state);

// Stores the radio's "Reset Allowed" byte from the reply to the 0x140 request (frame byte 15 =
// data byte 11) into the image. False, image untouched, when the reply is too short.
bool takeResetAllowedFromRadio(ModelState& state, std::span<const std::uint8_t> reply);

// The message shown for a refused packing, in the given language (UTF-8).
std::string packProblemText(const PackProblem& problem, Language language);
// The name of a field or setting as its editor labels it.
std::string_view packFieldName(PackField field, Language language);

} // namespace corvane::model
