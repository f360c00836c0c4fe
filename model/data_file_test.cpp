#include "model/code_page.h"
#include "model/data_file.h"
#include "model/document_files.h"
#include "model/model_band.h"
#include "model/new_document.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <random>

namespace corvane::model {
namespace {

// A document with a different value in every field, all 16 channel entries and every list
// entry included (also those after the counts), negative and wide values among them.
ConfigDocument distinctiveDocument()
{
    ConfigDocument d;
    d.channelCount = 3;
    for (int i = 0; i < kMaxChannels; ++i) {
        ChannelRecord& c = d.channels[static_cast<std::size_t>(i)];
        const auto base = static_cast<Integer>(100 * (i + 1));
        c.number = static_cast<Integer>(16 - i); // listed entries 16, 15, 14
        c.inUse = 1;
        c.rxFreq = "4371250" + std::string(1, static_cast<char>('0' + i % 10));
        c.txFreq = i == 1 ? "FFFFFFFF" : "1460";
        c.reserved36 = static_cast<Integer>(base + 1);
        c.txCleared = static_cast<Integer>(base + 2);
        c.rxTone = "0885";
        c.txTone = "8" + std::string(1, static_cast<char>('A' + i % 6)) + "1";
        c.spUnmute = static_cast<Integer>(base + 3);
        c.txPower = static_cast<Integer>(base + 4);
        c.spacing = static_cast<Integer>(base + 5);
        c.busyLockout = static_cast<Integer>(base + 6);
        c.pttId = static_cast<Integer>(base + 7);
        c.autodialMemory = static_cast<Integer>(base + 8);
        c.reserved68 = static_cast<Integer>(base + 9);
        c.scanAdd = static_cast<Integer>(base + 10);
        c.reserved72 = static_cast<Integer>(base + 11);
        c.reverse = static_cast<Integer>(base + 12);
        c.talkAround = static_cast<Integer>(base + 13);
        c.optSignal = static_cast<Integer>(base + 14);
        c.signalRelation = static_cast<Integer>(base + 15);
        c.call1 = static_cast<Integer>(base + 16);
        c.call2 = static_cast<Integer>(-base - 17);
    }
    d.radioType.modelCode = "Z740E";
    d.radioType.bandIndex = 1;

    OptionalFeatures& o = d.settings.options;
    Integer v = 2001;
    for (Integer* field : {&o.totTime,
                           &o.totWarning,
                           &o.squelchLevel,
                           &o.micSensitivity,
                           &o.voicePrompt,
                           &o.batterySave,
                           &o.beep,
                           &o.scramblerActivation,
                           &o.scramblerBackup,
                           &o.pttIdType,
                           &o.pttIdMode,
                           &o.voxFunction,
                           &o.voxLevel,
                           &o.voxDelay,
                           &o.cancelOperation,
                           &o.voxProceedTone,
                           &o.frequencyShow,
                           &o.cloneMode,
                           &o.noSignalTailElim,
                           &o.tailElimType,
                           &o.callResponse,
                           &o.compander,
                           &o.micNoiseReduction,
                           &o.resetAllowed}) {
        *field = v++;
    }
    o.pttIdBotCode = "12345";
    o.pttIdEotCode = "*#0ABCD987654321";
    d.settings.keys = {255, 1, -2, 0x7FFF};
    for (int i = 0; i < kScanCount; ++i) {
        d.settings.scan[static_cast<std::size_t>(i)] = static_cast<Integer>(3000 + i);
    }
    DtmfSettings& t = d.settings.dtmf;
    v = 4001;
    for (Integer* field : {&t.dtmfSpeed, &t.firstDigitTime, &t.firstDigitDelay, &t.starHashTone,
                           &t.dCodeAssignment, &t.sideTone, &t.groupCode, &t.autoResetTimer, &t.callAlert,
                           &t.decodingResponse, &t.clearToTranspond, &t.inhibitType, &t.dtmfPttId}) {
        *field = v++;
    }
    t.selfId = "0123456789";
    t.inhibitCode = "77";
    t.botCode = "B1";
    t.eotCode = "E22";
    t.stunCode = "S333";
    t.killCode = "K4444";
    d.settings.fleetSig = {-255, -123456789, 5002, 6000, 300000, 5003};
    d.settings.dtmfMemoryCount = 2;
    for (int i = 0; i < kMaxDtmfMemories; ++i) {
        auto& e = d.settings.dtmfMemory[static_cast<std::size_t>(i)];
        e.number = static_cast<Integer>(i + 1);
        e.digits = "9" + std::string(static_cast<std::size_t>(i), '1');
    }
    d.settings.spareListCount = 1;
    for (int i = 0; i < kMaxSpareEntries; ++i) {
        auto& e = d.settings.spareList[static_cast<std::size_t>(i)];
        e.number = static_cast<Integer>(7000 + i);
        e.text1 = "sp" + std::string(1, static_cast<char>('a' + i));
        e.text2 = "SPARE-" + std::string(1, static_cast<char>('A' + i)) + "!";
        e.value1 = static_cast<Integer>(-7000 - i);
        e.value2 = static_cast<Integer>(7100 + i);
    }
    d.settings.embeddedMessage1 = utf8ToCodePage("Caf\xC3\xA9 ZT740"); // é is one byte, 0xE9
    d.settings.embeddedMessage2 = "exactly thirty-two characters..";
    d.settings.fleetListCount = 8;
    for (int i = 0; i < kMaxFleetEntries; ++i) {
        auto& e = d.settings.fleetList[static_cast<std::size_t>(i)];
        e.row = static_cast<Integer>(i + 1);
        e.fleet = static_cast<Integer>(8000 + i);
        e.id = 0x01020304 + i;
    }
    return d;
}

// The record built byte by byte from the file table, independently of the code under test.
class Bytes
{
public:
    explicit Bytes(char filler) : m_bytes(2019, filler) {}
    void integer(std::size_t at, Integer value)
    {
        const auto bits = static_cast<std::uint16_t>(value);
        byte(at, bits & 0xFF);
        byte(at + 1, bits >> 8);
    }
    void longValue(std::size_t at, Long value)
    {
        const auto bits = static_cast<std::uint32_t>(value);
        for (std::size_t i = 0; i < 4; ++i) {
            byte(at + i, (bits >> (8 * i)) & 0xFF);
        }
    }
    template <std::size_t N> void text(std::size_t at, const FixedText<N>& value)
    {
        for (std::size_t i = 0; i < N; ++i) {
            m_bytes.at(at + i) = value.bytes()[i];
        }
    }
    void byte(std::size_t at, unsigned value) { m_bytes.at(at) = static_cast<char>(value); }
    const std::string& str() const { return m_bytes; }

private:
    std::string m_bytes;
};

std::string buildRecordByHand(const ConfigDocument& d, char filler)
{
    Bytes b(filler);
    b.integer(0, d.channelCount);
    for (std::size_t i = 1; i <= 16; ++i) {
        const std::size_t at = 2 + 62 * (i - 1);
        const ChannelRecord& c = d.channels[i - 1];
        b.integer(at + 0, c.number);
        b.integer(at + 2, c.inUse);
        b.text(at + 4, c.rxFreq);
        b.text(at + 12, c.txFreq);
        b.integer(at + 20, c.reserved36);
        b.integer(at + 22, c.txCleared);
        b.text(at + 24, c.rxTone);
        b.text(at + 28, c.txTone);
        b.integer(at + 32, c.spUnmute);
        b.integer(at + 34, c.txPower);
        b.integer(at + 36, c.spacing);
        b.integer(at + 38, c.busyLockout);
        b.integer(at + 40, c.pttId);
        b.integer(at + 42, c.autodialMemory);
        b.integer(at + 44, c.reserved68);
        b.integer(at + 46, c.scanAdd);
        b.integer(at + 48, c.reserved72);
        b.integer(at + 50, c.reverse);
        b.integer(at + 52, c.talkAround);
        b.integer(at + 54, c.optSignal);
        b.integer(at + 56, c.signalRelation);
        b.integer(at + 58, c.call1);
        b.integer(at + 60, c.call2);
    }
    b.text(994, d.radioType.modelCode);
    b.integer(999, d.radioType.bandIndex);

    const OptionalFeatures& o = d.settings.options;
    const std::size_t op = 1001;
    b.integer(op + 0, o.totTime);
    b.integer(op + 2, o.totWarning);
    b.integer(op + 4, o.squelchLevel);
    b.integer(op + 6, o.micSensitivity);
    b.integer(op + 8, o.voicePrompt);
    b.integer(op + 10, o.batterySave);
    b.integer(op + 12, o.beep);
    b.integer(op + 14, o.scramblerActivation);
    b.integer(op + 16, o.scramblerBackup);
    b.integer(op + 18, o.pttIdType);
    b.integer(op + 20, o.pttIdMode);
    b.text(op + 22, o.pttIdBotCode);
    b.text(op + 38, o.pttIdEotCode);
    b.integer(op + 54, o.voxFunction);
    b.integer(op + 56, o.voxLevel);
    b.integer(op + 58, o.voxDelay);
    b.integer(op + 60, o.cancelOperation);
    b.integer(op + 62, o.voxProceedTone);
    b.integer(op + 64, o.frequencyShow);
    b.integer(op + 66, o.cloneMode);
    b.integer(op + 68, o.noSignalTailElim);
    b.integer(op + 70, o.tailElimType);
    b.integer(op + 72, o.callResponse);
    b.integer(op + 74, o.compander);
    b.integer(op + 76, o.micNoiseReduction);
    b.integer(op + 78, o.resetAllowed);

    for (std::size_t i = 0; i < 4; ++i) {
        b.integer(1081 + 2 * i, d.settings.keys[i]);
    }
    for (std::size_t i = 0; i < 14; ++i) {
        b.integer(1089 + 2 * i, d.settings.scan[i]);
    }

    const DtmfSettings& t = d.settings.dtmf;
    const std::size_t dt = 1117;
    b.integer(dt + 0, t.dtmfSpeed);
    b.integer(dt + 2, t.firstDigitTime);
    b.integer(dt + 4, t.firstDigitDelay);
    b.integer(dt + 6, t.starHashTone);
    b.integer(dt + 8, t.dCodeAssignment);
    b.integer(dt + 10, t.sideTone);
    b.text(dt + 12, t.selfId);
    b.integer(dt + 22, t.groupCode);
    b.integer(dt + 24, t.autoResetTimer);
    b.integer(dt + 26, t.callAlert);
    b.integer(dt + 28, t.decodingResponse);
    b.integer(dt + 30, t.clearToTranspond);
    b.text(dt + 32, t.inhibitCode);
    b.integer(dt + 42, t.inhibitType);
    b.integer(dt + 44, t.dtmfPttId);
    b.text(dt + 46, t.botCode);
    b.text(dt + 62, t.eotCode);
    b.text(dt + 78, t.stunCode);
    b.text(dt + 94, t.killCode);

    const FleetSigSettings& f = d.settings.fleetSig;
    b.integer(1227, f.ownFleet);
    b.longValue(1229, f.ownId);
    b.integer(1233, f.fsBaudRate);
    b.longValue(1235, f.dataTxDelay);
    b.longValue(1239, f.messageModeTimer);
    b.integer(1243, f.pttIdSideTone);

    b.integer(1245, d.settings.dtmfMemoryCount);
    for (std::size_t i = 1; i <= 16; ++i) {
        b.integer(1247 + 18 * (i - 1), d.settings.dtmfMemory[i - 1].number);
        b.text(1247 + 18 * (i - 1) + 2, d.settings.dtmfMemory[i - 1].digits);
    }
    b.integer(1535, d.settings.spareListCount);
    for (std::size_t i = 1; i <= 16; ++i) {
        const std::size_t at = 1537 + 22 * (i - 1);
        const SpareListEntry& e = d.settings.spareList[i - 1];
        b.integer(at, e.number);
        b.text(at + 2, e.text1);
        b.text(at + 10, e.text2);
        b.integer(at + 18, e.value1);
        b.integer(at + 20, e.value2);
    }
    b.text(1889, d.settings.embeddedMessage1);
    b.text(1921, d.settings.embeddedMessage2);
    b.integer(1953, d.settings.fleetListCount);
    for (std::size_t i = 1; i <= 8; ++i) {
        const std::size_t at = 1955 + 8 * (i - 1);
        b.integer(at, d.settings.fleetList[i - 1].row);
        b.integer(at + 2, d.settings.fleetList[i - 1].fleet);
        b.longValue(at + 4, d.settings.fleetList[i - 1].id);
    }
    return b.str();
}

std::uint8_t at(const std::string& bytes, std::size_t offset)
{
    return static_cast<std::uint8_t>(bytes.at(offset));
}

TEST(DataFile, RecordMatchesTheTableByteForByte)
{
    const ConfigDocument document = distinctiveDocument();
    const std::string expected = buildRecordByHand(document, '\x5A');
    // Built on two different fillers, the hand-built records differ where the table leaves a byte out.
    ASSERT_EQ(expected, buildRecordByHand(document, '\xA5'));
    const std::string written = serializeDocument(document);
    ASSERT_EQ(written.size(), 2019u);
    for (std::size_t i = 0; i < written.size(); ++i) {
        ASSERT_EQ(at(written, i), at(expected, i)) << "first difference at offset " << i;
    }

    const auto read = decodeDocument(expected);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, document);
}

TEST(DataFile, FieldEncodingsAtTheirOffsets)
{
    const std::string bytes = serializeDocument(distinctiveDocument());
    // Integer little-endian, two's complement: channel entry 1 call2 = -117 = 0xFF8B.
    EXPECT_EQ(at(bytes, 2 + 60), 0x8B);
    EXPECT_EQ(at(bytes, 2 + 61), 0xFF);
    // Channel entry 16 (after channelCount) is stored too: its number 1 at 2 + 62 x 15.
    EXPECT_EQ(at(bytes, 2 + 62 * 15), 1);
    // Text(n): text, one NUL, blanks. "1460" in Text(8) at channel 1 txFreq.
    EXPECT_EQ(bytes.substr(2 + 12, 8), std::string("1460\0   ", 8));
    // Text in the program's code page: "Café ZT740" with é as the single byte 0xE9.
    EXPECT_EQ(at(bytes, 1889 + 3), 0xE9);
    EXPECT_EQ(at(bytes, 1889 + 10), 0x00);
    // A Text(32) filled to its length has no NUL.
    EXPECT_EQ(bytes.substr(1921, 31), "exactly thirty-two characters..");
    // Long little-endian: fleetSig.ownId -123456789 = 0xF8A432EB at 1229.
    EXPECT_EQ(at(bytes, 1229), 0xEB);
    EXPECT_EQ(at(bytes, 1230), 0x32);
    EXPECT_EQ(at(bytes, 1231), 0xA4);
    EXPECT_EQ(at(bytes, 1232), 0xF8);
    // Model code at 994, band at 999, keys[3] at 1087.
    EXPECT_EQ(bytes.substr(994, 5), "Z740E");
    EXPECT_EQ(at(bytes, 999), 1);
    EXPECT_EQ(at(bytes, 1087), 0xFF);
    EXPECT_EQ(at(bytes, 1088), 0x7F);
    // The last fleet entry's ID ends the file.
    EXPECT_EQ(at(bytes, 2018), 0x01);
}

TEST(DataFile, OnlyTheExactLengthDecodes)
{
    const std::string bytes = serializeDocument(distinctiveDocument());
    EXPECT_FALSE(decodeDocument(bytes.substr(0, 2018)));
    EXPECT_FALSE(decodeDocument(bytes + '\0'));
    EXPECT_FALSE(decodeDocument({}));
    EXPECT_EQ(parseDocument(bytes + "x").problem, DataFileProblem::WrongLength);
    EXPECT_TRUE(parseDocument(bytes).ok());
}

struct CorruptCase
{
    const char* name;
    void (*corrupt)(ConfigDocument&);
};

class CorruptRecord : public ::testing::TestWithParam<CorruptCase>
{
};

TEST_P(CorruptRecord, IsRefusedAsInconsistent)
{
    ConfigDocument document = distinctiveDocument();
    GetParam().corrupt(document);
    const ParsedDocument parsed = parseDocument(serializeDocument(document));
    EXPECT_EQ(parsed.problem, DataFileProblem::Inconsistent);
    EXPECT_FALSE(parsed.detail.empty());
}

INSTANTIATE_TEST_SUITE_P(
    DataFile, CorruptRecord,
    ::testing::Values(
        CorruptCase{"channelCount17", [](ConfigDocument& d) { d.channelCount = 17; }},
        CorruptCase{"channelCountNegative", [](ConfigDocument& d) { d.channelCount = -1; }},
        CorruptCase{"dtmfMemoryCount17", [](ConfigDocument& d) { d.settings.dtmfMemoryCount = 17; }},
        CorruptCase{"dtmfMemoryCountNegative",
                    [](ConfigDocument& d) { d.settings.dtmfMemoryCount = -32768; }},
        CorruptCase{"spareListCount17", [](ConfigDocument& d) { d.settings.spareListCount = 17; }},
        CorruptCase{"spareListCountNegative", [](ConfigDocument& d) { d.settings.spareListCount = -1; }},
        CorruptCase{"fleetListCount9", [](ConfigDocument& d) { d.settings.fleetListCount = 9; }},
        CorruptCase{"fleetListCountNegative", [](ConfigDocument& d) { d.settings.fleetListCount = -1; }},
        CorruptCase{"channelNumber0", [](ConfigDocument& d) { d.channels[2].number = 0; }},
        CorruptCase{"channelNumber17", [](ConfigDocument& d) { d.channels[0].number = 17; }},
        CorruptCase{"channelNumberNegative", [](ConfigDocument& d) { d.channels[1].number = -16; }},
        CorruptCase{"channelNumberTwice",
                    [](ConfigDocument& d) { d.channels[2].number = d.channels[0].number; }},
        CorruptCase{"dtmfMemoryNumber0", [](ConfigDocument& d) { d.settings.dtmfMemory[0].number = 0; }},
        CorruptCase{"dtmfMemoryNumber17", [](ConfigDocument& d) { d.settings.dtmfMemory[1].number = 17; }},
        CorruptCase{"dtmfMemoryNumberTwice", [](ConfigDocument& d) { d.settings.dtmfMemory[1].number = 1; }}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DataFile, LeftoversAfterTheCountsAreNotChecked)
{
    ConfigDocument document = distinctiveDocument();
    document.channels[5].number = 0; // after channelCount 3
    document.channels[6].number = document.channels[0].number;
    document.settings.dtmfMemory[9].number = 99; // after dtmfMemoryCount 2
    document.settings.fleetList[0].row = 42;     // rows are not slots
    document.settings.spareList[0].number = -5;
    document.channelCount = 16;
    document.channelCount = 3;
    EXPECT_TRUE(parseDocument(serializeDocument(document)).ok());
    // Counts up to the full lists are fine.
    document = distinctiveDocument();
    document.channelCount = 16;
    document.settings.dtmfMemoryCount = 16;
    document.settings.spareListCount = 16;
    EXPECT_TRUE(parseDocument(serializeDocument(document)).ok());
}

// Seeded random mutation of whole records: no 2019-byte input may crash the reader, every record
// survives a decode/encode round trip byte for byte, an accepted one has its counts and numbers
// within the lists, and once opened it counts as unchanged. Raw engine output only, so the sequence is the
// same everywhere.
TEST(DataFile, RandomMutationsNeverBreakTheReader)
{
    std::mt19937 random(20190613u);
    const std::string base = serializeDocument(distinctiveDocument());
    // Count fields are where the danger lies; hit them far more often than chance would.
    const std::array<std::size_t, 4> countOffsets = {0, 1245, 1535, 1953};
    int accepted = 0;
    int refused = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string bytes = base;
        const unsigned mutations = 1 + random() % 16;
        for (unsigned m = 0; m < mutations; ++m) {
            const unsigned kind = random() % 4;
            if (kind == 0) {
                // A count near its limits: -2..18.
                const std::size_t offset = countOffsets[random() % countOffsets.size()];
                const auto count = static_cast<std::uint16_t>(static_cast<int>(random() % 21) - 2);
                bytes[offset] = static_cast<char>(count & 0xFF);
                bytes[offset + 1] = static_cast<char>(count >> 8);
                continue;
            }
            const std::size_t offset = random() % bytes.size();
            bytes[offset] = kind == 3 ? static_cast<char>(bytes[offset] ^ (1u << (random() % 8)))
                                      : static_cast<char>(random() & 0xFF);
        }
        const auto decoded = decodeDocument(bytes);
        ASSERT_TRUE(decoded.has_value());
        ASSERT_EQ(serializeDocument(*decoded), bytes) << "round " << round;
        const ParsedDocument parsed = parseDocument(bytes);
        if (!parsed.ok()) {
            ++refused;
            continue;
        }
        ++accepted;
        const ConfigDocument& d = parsed.document;
        ASSERT_GE(d.channelCount, 0);
        ASSERT_LE(d.channelCount, 16);
        std::array<int, 17> uses{};
        for (int i = 0; i < d.channelCount; ++i) {
            const int number = d.channels[static_cast<std::size_t>(i)].number;
            ASSERT_GE(number, 1);
            ASSERT_LE(number, 16);
            ASSERT_EQ(++uses[static_cast<std::size_t>(number)], 1);
        }
        ASSERT_GE(d.settings.dtmfMemoryCount, 0);
        ASSERT_LE(d.settings.dtmfMemoryCount, 16);
        ASSERT_GE(d.settings.fleetListCount, 0);
        ASSERT_LE(d.settings.fleetListCount, 8);
        ASSERT_GE(d.settings.spareListCount, 0);
        ASSERT_LE(d.settings.spareListCount, 16);
        if (dataVersionForModelCode(d.radioType.modelCode.value())) {
            // As opened: the record is document and saved copy, and nothing counts as changed.
            ModelState state;
            state.savedDocument = d;
            restoreFromSnapshot(state);
            ASSERT_FALSE(documentChanged(state)) << "round " << round;
        }
    }
    // Both outcomes must really occur, or the mutations miss the point.
    EXPECT_GT(accepted, 100);
    EXPECT_GT(refused, 100);
}

} // namespace
} // namespace corvane::model
