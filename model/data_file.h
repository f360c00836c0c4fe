#pragma once
// The data file (".dat"): one ConfigDocument as a 2019-byte record, no header, no filler, no
// checksum. Integer = 2 bytes, Long = 4 bytes, little-endian two's complement; Text(n) = n bytes
// in the program's code page (code_page.h), the text, one NUL and blanks up to n. The file
// carries no version field: its generation is told by its model code ("Z740E" = data version
// "Z300", "Z740F" = "V200"; both use this layout).
//
//   Offset                Size  Field
//   0                        2  channelCount
//   2 + 62 x (i-1)          62  channels entry i, i = 1..16 (all 16, also after channelCount)
//   994                      5  radioType.modelCode
//   999                      2  radioType.bandIndex
//   1001                    80  options
//   1081                     8  keys[0..3]
//   1089                    28  scan[0..13]
//   1117                   110  dtmf
//   1227                    18  fleetSig: ownFleet 2, ownId 4, fsBaudRate 2, dataTxDelay 4,
//                                         messageModeTimer 4, pttIdSideTone 2
//   1245                     2  dtmfMemoryCount
//   1247 + 18 x (i-1)       18  dtmfMemory entry i, i = 1..16: number 2, digits 16
//   1535                     2  spareListCount
//   1537 + 22 x (i-1)       22  spareList entry i, i = 1..16: number 2, text 8, text 8, 2, 2
//   1889                    32  embeddedMessage1
//   1921                    32  embeddedMessage2
//   1953                     2  fleetListCount
//   1955 + 8 x (i-1)         8  fleetList entry i, i = 1..8: row 2, fleet 2, id 4
//   2019                        end of file
//
// Channel entry: 0 number, 2 inUse, 4 rxFreq (8), 12 txFreq (8), 20 reserved36, 22 txCleared,
// 24 rxTone (4), 28 txTone (4), 32 spUnmute, 34 txPower, 36 spacing, 38 busyLockout, 40 pttId,
// 42 autodialMemory, 44 reserved68, 46 scanAdd, 48 reserved72, 50 reverse, 52 talkAround,
// 54 optSignal, 56 signalRelation, 58 call1, 60 call2.
// Options: 0 totTime, 2 totWarning, 4 squelchLevel, 6 micSensitivity, 8 voicePrompt,
// 10 batterySave, 12 beep, 14 scramblerActivation, 16 scramblerBackup, 18 pttIdType,
// 20 pttIdMode, 22 pttIdBotCode (16), 38 pttIdEotCode (16), 54 voxFunction, 56 voxLevel,
// 58 voxDelay, 60 cancelOperation, 62 voxProceedTone, 64 frequencyShow, 66 cloneMode,
// 68 noSignalTailElim, 70 tailElimType, 72 callResponse, 74 compander, 76 micNoiseReduction,
// 78 resetAllowed.
// DTMF: 0 dtmfSpeed, 2 firstDigitTime, 4 firstDigitDelay, 6 starHashTone, 8 dCodeAssignment,
// 10 sideTone, 12 selfId (10), 22 groupCode, 24 autoResetTimer, 26 callAlert,
// 28 decodingResponse, 30 clearToTranspond, 32 inhibitCode (10), 42 inhibitType, 44 dtmfPttId,
// 46 botCode (16), 62 eotCode (16), 78 stunCode (16), 94 killCode (16).
//
// Every 2019-byte pattern decodes to some record. Whether the record is safe to use is a second
// question: later code indexes by the list counts and writes radio slots at number x 16, so a
// record whose counts exceed their lists or whose channel or DTMF memory numbers lie outside
// 1..16 or repeat is refused (findInconsistency) before it becomes the document.

#include "model/records.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::model {

inline constexpr std::size_t kDataFileSize = 2019;

inline constexpr std::size_t kChannelCountOffset = 0;
inline constexpr std::size_t kChannelsOffset = 2;
inline constexpr std::size_t kChannelEntrySize = 62;
inline constexpr std::size_t kModelCodeOffset = 994;
inline constexpr std::size_t kBandIndexOffset = 999;
inline constexpr std::size_t kOptionsOffset = 1001;
inline constexpr std::size_t kOptionsSize = 80;
inline constexpr std::size_t kKeysOffset = 1081;
inline constexpr std::size_t kScanOffset = 1089;
inline constexpr std::size_t kDtmfOffset = 1117;
inline constexpr std::size_t kDtmfSize = 110;
inline constexpr std::size_t kFleetSigOffset = 1227;
inline constexpr std::size_t kFleetSigSize = 18;
inline constexpr std::size_t kDtmfMemoryCountOffset = 1245;
inline constexpr std::size_t kDtmfMemoryOffset = 1247;
inline constexpr std::size_t kDtmfMemoryEntrySize = 18;
inline constexpr std::size_t kSpareListCountOffset = 1535;
inline constexpr std::size_t kSpareListOffset = 1537;
inline constexpr std::size_t kSpareEntrySize = 22;
inline constexpr std::size_t kEmbeddedMessage1Offset = 1889;
inline constexpr std::size_t kEmbeddedMessage2Offset = 1921;
inline constexpr std::size_t kFleetListCountOffset = 1953;
inline constexpr std::size_t kFleetListOffset = 1955;
inline constexpr std::size_t kFleetEntrySize = 8;

// The blocks follow each other without a gap.
static_assert(kChannelsOffset + kMaxChannels * kChannelEntrySize == kModelCodeOffset);
static_assert(kModelCodeOffset + 5 == kBandIndexOffset);
static_assert(kBandIndexOffset + 2 == kOptionsOffset);
static_assert(kOptionsOffset + kOptionsSize == kKeysOffset);
static_assert(kKeysOffset + 2 * kKeyCount == kScanOffset);
static_assert(kScanOffset + 2 * kScanCount == kDtmfOffset);
static_assert(kDtmfOffset + kDtmfSize == kFleetSigOffset);
static_assert(kFleetSigOffset + kFleetSigSize == kDtmfMemoryCountOffset);
static_assert(kDtmfMemoryOffset + kMaxDtmfMemories * kDtmfMemoryEntrySize == kSpareListCountOffset);
static_assert(kSpareListOffset + kMaxSpareEntries * kSpareEntrySize == kEmbeddedMessage1Offset);
static_assert(kEmbeddedMessage2Offset + 32 == kFleetListCountOffset);
static_assert(kFleetListOffset + kMaxFleetEntries * kFleetEntrySize == kDataFileSize);

// The record of exactly kDataFileSize bytes.
std::string serializeDocument(const ConfigDocument& document);

// Decodes a record as stored; nothing when `bytes` is not exactly kDataFileSize long.
// serializeDocument(*decodeDocument(b)) == b for every record b.
std::optional<ConfigDocument> decodeDocument(std::string_view bytes);

// What makes a record unsafe to become the document: a list count outside 0..its list size, a
// listed channel or DTMF memory number outside 1..16, or one listed twice. Entries after the
// counts are leftovers and are not looked at; fleet rows and spare numbers only ever serve
// look-ups and are taken as stored. Nothing when the record is sound.
std::optional<std::string> findInconsistency(const ConfigDocument& document);

enum class DataFileProblem { None, WrongLength, Inconsistent };

struct ParsedDocument
{
    DataFileProblem problem = DataFileProblem::None;
    std::string detail; // what is inconsistent, for the command-line tool and tests
    ConfigDocument document;

    bool ok() const { return problem == DataFileProblem::None; }
};

// decodeDocument and findInconsistency in one step.
ParsedDocument parseDocument(std::string_view bytes);

} // namespace corvane::model
