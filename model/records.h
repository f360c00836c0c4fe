#pragma once
// The configuration records: one ConfigDocument per radio configuration and the values kept
// beside it (RadioFlags, RadioInfo, CurrentModel). Field order and types are those of the data
// file (data_file.h stores them in exactly this order); Integer is 16-bit signed, Long 32-bit
// signed, Text(n) a FixedText<n>. The records validate nothing: the editors keep values in range,
// unpacking corrects radio bytes, and the data file reader checks counts and numbers.

#include "model/fixed_text.h"

#include <array>
#include <cstdint>
#include <string>

namespace corvane::model {

using Integer = std::int16_t;
using Long = std::int32_t;

inline constexpr int kMaxChannels = 16;
inline constexpr int kMaxDtmfMemories = 16;
inline constexpr int kMaxSpareEntries = 16;
inline constexpr int kMaxFleetEntries = 8;
inline constexpr int kKeyCount = 4;
inline constexpr int kScanCount = 14;

// Tone code of a channel without a tone; stored frequency text of a channel without TX.
inline constexpr std::string_view kToneOff = "FFFF";
inline constexpr std::string_view kNoFrequency = "FFFFFFFF";

// One channel entry (23 fields). `number` (1..16) decides the radio slot; list position and
// channel number differ because the list is kept in creation order.
struct ChannelRecord
{
    Integer number = 0;
    Integer inUse = 0;
    FixedText<8> rxFreq;       // MHz digits without the full stop: "43712500" is 437.12500 MHz
    FixedText<8> txFreq;       // same, or "FFFFFFFF" for a channel without transmit frequency
    Integer reserved36 = 0;
    Integer txCleared = 0;     // 1 once the user cleared TX, and on a newly created channel
    FixedText<4> rxTone;       // four upper-case hex digits, "FFFF" = off
    FixedText<4> txTone;
    Integer spUnmute = 0;      // file only
    Integer txPower = 0;       // 0 Low, 1 High
    Integer spacing = 0;       // 0 12.5K narrow, 1 25K wide
    Integer busyLockout = 0;   // 0..3
    Integer pttId = 0;         // 0..3
    Integer autodialMemory = 0; // shown number - 1; file only
    Integer reserved68 = 0;
    Integer scanAdd = 0;       // 1 Add, 0 Del
    Integer reserved72 = 0;
    Integer reverse = 0;
    Integer talkAround = 0;
    Integer optSignal = 0;     // 0 None, 1 DTMF, 2 FleetSig
    Integer signalRelation = 0; // 0 And, 1 Or
    Integer call1 = 0;         // 0 none, 1..16 DTMF memory number
    Integer call2 = 0;

    friend bool operator==(const ChannelRecord&, const ChannelRecord&) = default;
};

struct RadioTypeRecord
{
    FixedText<5> modelCode;    // "Z740E" for this program
    Integer bandIndex = 0;     // 0..2, see model_band.h

    friend bool operator==(const RadioTypeRecord&, const RadioTypeRecord&) = default;
};

// Radio-wide options (26 fields).
struct OptionalFeatures
{
    Integer totTime = 0;            // 0 Off, n x 15 s
    Integer totWarning = 0;         // seconds, 0 Off
    Integer squelchLevel = 0;       // 0..9
    Integer micSensitivity = 0;     // file only
    Integer voicePrompt = 0;        // 0 Off, 1 Chinese, 2 English, 3 Russian
    Integer batterySave = 0;        // 0 Off, 1 1:4, 2 1:8, 3 1:16
    Integer beep = 0;
    Integer scramblerActivation = 0; // file only
    Integer scramblerBackup = 0;    // file only
    Integer pttIdType = 0;          // file only
    Integer pttIdMode = 0;          // file only
    FixedText<16> pttIdBotCode;     // file only
    FixedText<16> pttIdEotCode;     // file only
    Integer voxFunction = 0;
    Integer voxLevel = 0;           // 1..9
    Integer voxDelay = 0;           // 0..27 = 0.3 s .. 3.0 s
    Integer cancelOperation = 0;
    Integer voxProceedTone = 0;
    Integer frequencyShow = 0;
    Integer cloneMode = 0;
    Integer noSignalTailElim = 0;   // 0 Off, 1 55.2 Hz, 2 259.2 Hz; a new document keeps it
    Integer tailElimType = 0;       // 0 Silence, 1 120, 2 180, 3 240 degrees
    Integer callResponse = 0;       // 0..5; a new document keeps it
    Integer compander = 0;
    Integer micNoiseReduction = 0;  // 0 Through, 1 Low, 2 High
    Integer resetAllowed = 0;       // never reaches a radio: its own byte wins on write

    friend bool operator==(const OptionalFeatures&, const OptionalFeatures&) = default;
};

// DTMF settings (19 fields). Code texts hold DTMF digits with "*" stored as "E", "#" as "F".
struct DtmfSettings
{
    Integer dtmfSpeed = 0;
    Integer firstDigitTime = 0;
    Integer firstDigitDelay = 0;
    Integer starHashTone = 0;
    Integer dCodeAssignment = 0;
    Integer sideTone = 0;
    FixedText<10> selfId;
    Integer groupCode = 0;          // DTMF digit value, 255 = Off
    Integer autoResetTimer = 0;
    Integer callAlert = 0;          // file only
    Integer decodingResponse = 0;
    Integer clearToTranspond = 0;   // file only
    FixedText<10> inhibitCode;      // file only
    Integer inhibitType = 0;        // file only
    Integer dtmfPttId = 0;          // file only
    FixedText<16> botCode;
    FixedText<16> eotCode;
    FixedText<16> stunCode;
    FixedText<16> killCode;

    friend bool operator==(const DtmfSettings&, const DtmfSettings&) = default;
};

// FleetSig settings; file only, no operation of the program changes them.
struct FleetSigSettings
{
    Integer ownFleet = 0;
    Long ownId = 0;
    Integer fsBaudRate = 0;
    Long dataTxDelay = 0;
    Long messageModeTimer = 0;
    Integer pttIdSideTone = 0;

    friend bool operator==(const FleetSigSettings&, const FleetSigSettings&) = default;
};

struct DtmfMemoryEntry
{
    Integer number = 0;             // memory number and radio slot, 1..16
    FixedText<16> digits;

    friend bool operator==(const DtmfMemoryEntry&, const DtmfMemoryEntry&) = default;
};

// File only; no operation fills it.
struct SpareListEntry
{
    Integer number = 0;
    FixedText<8> text1;
    FixedText<8> text2;
    Integer value1 = 0;
    Integer value2 = 0;

    friend bool operator==(const SpareListEntry&, const SpareListEntry&) = default;
};

// File only; no operation adds or changes entries.
struct FleetListEntry
{
    Integer row = 0;                // 1..8, at most one entry per row
    Integer fleet = 0;              // 0 All, 255 blank, otherwise fleet number - 99
    Long id = 0;                    // 0 All, 255 blank, otherwise ID - 999

    friend bool operator==(const FleetListEntry&, const FleetListEntry&) = default;
};

struct RadioSettings
{
    OptionalFeatures options;
    std::array<Integer, kKeyCount> keys{};   // PF1, PF2, PF1_1s, PF2_1s: 0..15 or 255
    std::array<Integer, kScanCount> scan{};  // see model/new_document.cpp for the meaning
    DtmfSettings dtmf;
    FleetSigSettings fleetSig;
    Integer dtmfMemoryCount = 0;
    std::array<DtmfMemoryEntry, kMaxDtmfMemories> dtmfMemory{};
    Integer spareListCount = 0;              // always 0; a new document keeps it
    std::array<SpareListEntry, kMaxSpareEntries> spareList{};
    FixedText<32> embeddedMessage1;
    FixedText<32> embeddedMessage2;
    Integer fleetListCount = 0;
    std::array<FleetListEntry, kMaxFleetEntries> fleetList{};

    friend bool operator==(const RadioSettings&, const RadioSettings&) = default;
};

// The one configuration document (savedDocument has the same layout). Entries after
// channelCount are leftovers: stored in the file, never read by any operation.
struct ConfigDocument
{
    Integer channelCount = 0;
    std::array<ChannelRecord, kMaxChannels> channels{};
    RadioTypeRecord radioType;
    RadioSettings settings;

    friend bool operator==(const ConfigDocument&, const ConfigDocument&) = default;
};

// Kept beside the document in the flags companion file, not in the document record.
struct RadioFlags
{
    Integer alertEnabled = 0;    // the "Alert Locked" box shows the inverse
    Integer functionEnabled = 0; // the "Function Locked" box shows the inverse
    Integer bandExtension = 0;   // 1: the 400 - 480 MHz band transmits up to 520 MHz

    friend bool operator==(const RadioFlags&, const RadioFlags&) = default;
};

// The radio-information values (block 0x1B0-0x1EF and the fields only the window knows).
struct RadioInfo
{
    std::array<Integer, 3> infoFlags{}; // radio, upend, factory mode: only ever set
    std::string infoModelCode;          // up to 5 characters
    Integer infoBandIndex = 0;
    std::string infoSalesArea;          // up to 4 characters
    FixedText<16> infoSerialNumber;
    FixedText<16> infoProductionDate;
    FixedText<8> infoBatchCode;
    FixedText<4> infoCustomerCode;
    FixedText<16> infoMaintainedDate;
    FixedText<96> infoMaintenanceReason;
    std::string infoVersion;
    FixedText<16> infoDealerCode;
    FixedText<16> infoStockDate;
    FixedText<16> infoSellDate;
    FixedText<16> infoSeller;

    friend bool operator==(const RadioInfo&, const RadioInfo&) = default;
};

// The model and band the document is edited for.
struct CurrentModel
{
    std::string currentModelName = "ZT740-16";
    std::string currentModelCode = "Z740E";
    std::string currentBand = "400 - 480 MHz";
    double bandLowMHz = 400;
    double bandHighMHz = 480;
    std::string programVersion = "Z300"; // this program's data version; never changes

    friend bool operator==(const CurrentModel&, const CurrentModel&) = default;
};

} // namespace corvane::model
