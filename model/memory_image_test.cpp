#include "model/memory_image.h"

#include "model/dtmf_digits.h"
#include "model/new_document.h"
#include "model/tone.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <numeric>
#include <random>

namespace corvane::model {
namespace {

using Bytes = std::vector<std::uint8_t>;

const FixedDateSource kNewDocumentDate({2026, 1, 1});

// A document as File New makes it (without a template), written for "Z740E", 400 - 480 MHz.
ModelState freshState()
{
    ModelState state;
    newDocument(state, {kNewDocumentDate, Language::English, {}});
    refreshRadioType(state.document.radioType, state.currentModel);
    return state;
}

ChannelRecord& addChannel(ModelState& state, int number, std::string_view rx, std::string_view tx)
{
    const int position = appendChannelEntry(state.document, static_cast<Integer>(number), rx, tx);
    EXPECT_GT(position, 0);
    return channelAt(state.document, position);
}

void addMemory(RadioSettings& s, int number, std::string_view digits)
{
    DtmfMemoryEntry& entry = s.dtmfMemory[static_cast<std::size_t>(s.dtmfMemoryCount++)];
    entry.number = static_cast<Integer>(number);
    entry.digits = digits;
}

Bytes bytesAt(const ModelState& state, std::size_t address, std::size_t size)
{
    return Bytes(state.radioImage.begin() + static_cast<std::ptrdiff_t>(address),
                 state.radioImage.begin() + static_cast<std::ptrdiff_t>(address + size));
}

Bytes slot(const ModelState& state, int number)
{
    return bytesAt(state, static_cast<std::size_t>(number) * 16, 16);
}

void writeForRadio(ModelState& state)
{
    fillImageForTransfer(state);
    const PackResult result = packImage(state);
    ASSERT_TRUE(result.ok()) << packProblemText(*result.problem, Language::English);
}

// ---- the map and the fill ------------------------------------------------------------------

TEST(MemoryImage, MapCoversEveryByteExactlyOnce)
{
    std::size_t next = 0;
    for (const image::ImageArea& a : image::kImageMap) {
        EXPECT_EQ(a.address, next) << a.content;
        next = a.address + a.size;
    }
    EXPECT_EQ(next, kImageSize);
}

TEST(MemoryImage, FillCoversTheFirstHalfOnly)
{
    ModelState state;
    state.radioImage.fill(0x11);
    fillImageForTransfer(state);
    EXPECT_TRUE(std::all_of(state.radioImage.begin(), state.radioImage.begin() + 0x200, [](auto b) { return b == 0xFF; }));
    EXPECT_TRUE(std::all_of(state.radioImage.begin() + 0x200, state.radioImage.end(), [](auto b) { return b == 0x11; }));
}

// ---- channels ------------------------------------------------------------------------------

TEST(MemoryImage, ChannelsGoToTheSlotsOfTheirNumbers)
{
    ModelState state = freshState();
    ChannelRecord& twelve = addChannel(state, 12, "14600000", "14660000");
    twelve.scanAdd = 0;
    ChannelRecord& three = addChannel(state, 3, "43712500", "FFFFFFFF"); // listed after 12
    three.rxTone = "0100";
    writeForRadio(state);

    EXPECT_EQ(state.radioImage[272], 0x04);
    EXPECT_EQ(state.radioImage[273], 0x08);
    EXPECT_EQ(state.radioImage[288], 0x04); // scan add: channel 3 only
    EXPECT_EQ(state.radioImage[289], 0x00);
    EXPECT_EQ(bytesAt(state, 274, 14), Bytes(14, 0x00));
    EXPECT_EQ(bytesAt(state, 290, 14), Bytes(14, 0x00));
    // spacing 1 (25K) and txPower 1 (High) of a new channel: 64 + 4.
    EXPECT_EQ(slot(state, 3), (Bytes{0x1A, 0x0D, 0xFF, 0x88, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0xFF, 0xFF, 0x44,
                                     0x00, 0x00, 0xFF}));
    for (int n = 0; n <= 16; ++n) {
        if (n != 3 && n != 12) {
            EXPECT_EQ(slot(state, n), Bytes(16, 0xFF)) << "slot " << n;
        }
    }

    unpackImage(state, "Z740E", 2);
    ASSERT_EQ(state.document.channelCount, 2);
    const ChannelRecord& first = channelAt(state.document, 1);
    EXPECT_EQ(first.number, 3); // increasing channel number after a read
    EXPECT_EQ(first.rxFreq.value(), "43712500");
    EXPECT_EQ(first.txFreq.value(), "FFFFFFFF");
    EXPECT_EQ(first.rxTone.value(), "0100");
    EXPECT_EQ(first.txTone.value(), "FFFF");
    EXPECT_EQ(first.scanAdd, 1);
    EXPECT_EQ(channelAt(state.document, 2).number, 12);
    EXPECT_EQ(channelAt(state.document, 2).scanAdd, 0);

    writeForRadio(state);
    EXPECT_EQ(bytesAt(state, 3 * 16 + 4, 4), Bytes(4, 0xFF)); // no TX stays no TX
}

TEST(MemoryImage, ChannelFlagSums)
{
    struct Case
    {
        const char* name;
        std::function<void(ChannelRecord&)> set;
        std::uint8_t flagsA, flagsB, calls;
        std::function<void(const ChannelRecord&)> check;
    };
    // A new channel: spacing 1, txPower 1 (flags A 0x44), everything else 0.
    const Case cases[] = {
        {"busy lock-out 3 reads back as 2", [](ChannelRecord& c) { c.busyLockout = 3; }, 0x47, 0x00, 0x00,
         [](const ChannelRecord& c) { EXPECT_EQ(c.busyLockout, 2); }},
        {"tx power 3 reads back as 1", [](ChannelRecord& c) { c.txPower = 3; }, 0x4C, 0x00, 0x00,
         [](const ChannelRecord& c) { EXPECT_EQ(c.txPower, 1); }},
        {"every flag A bit", [](ChannelRecord& c) { c.talkAround = 1; c.reverse = 1; c.busyLockout = 2; c.spacing = 0; },
         0x36, 0x00, 0x00,
         [](const ChannelRecord& c) {
             EXPECT_EQ(c.spacing, 0);
             EXPECT_EQ(c.talkAround, 1);
             EXPECT_EQ(c.reverse, 1);
             EXPECT_EQ(c.txPower, 1);
             EXPECT_EQ(c.busyLockout, 2);
         }},
        {"FleetSig lands in the relation bit", [](ChannelRecord& c) { c.optSignal = 2; }, 0x44, 0x08, 0x00,
         [](const ChannelRecord& c) {
             EXPECT_EQ(c.optSignal, 0);
             EXPECT_EQ(c.signalRelation, 1);
         }},
        {"FleetSig with Or carries into the call-1 bit",
         [](ChannelRecord& c) { c.optSignal = 2; c.signalRelation = 1; }, 0x44, 0x10, 0x00,
         [](const ChannelRecord& c) {
             EXPECT_EQ(c.optSignal, 0);
             EXPECT_EQ(c.signalRelation, 0);
             EXPECT_EQ(c.call1, 1);
         }},
        {"call 1 = 16", [](ChannelRecord& c) { c.call1 = 16; }, 0x44, 0x10, 0x0F,
         [](const ChannelRecord& c) {
             EXPECT_EQ(c.call1, 16);
             EXPECT_EQ(c.call2, 0);
         }},
        {"call 2 = 16", [](ChannelRecord& c) { c.call2 = 16; }, 0x44, 0x20, 0xF0,
         [](const ChannelRecord& c) {
             EXPECT_EQ(c.call1, 0);
             EXPECT_EQ(c.call2, 16);
         }},
        {"both calls, DTMF, Or, PTT ID Both",
         [](ChannelRecord& c) { c.call1 = 5; c.call2 = 9; c.optSignal = 1; c.signalRelation = 1; c.pttId = 3; }, 0x44,
         0x3F, 0x84,
         [](const ChannelRecord& c) {
             EXPECT_EQ(c.call1, 5);
             EXPECT_EQ(c.call2, 9);
             EXPECT_EQ(c.optSignal, 1);
             EXPECT_EQ(c.signalRelation, 1);
             EXPECT_EQ(c.pttId, 3);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModelState state = freshState();
        c.set(addChannel(state, 7, "43700000", "43700000"));
        writeForRadio(state);
        EXPECT_EQ(state.radioImage[7 * 16 + 12], c.flagsA);
        EXPECT_EQ(state.radioImage[7 * 16 + 13], c.flagsB);
        EXPECT_EQ(state.radioImage[7 * 16 + 14], c.calls);
        unpackImage(state, "Z740E", 2);
        ASSERT_EQ(state.document.channelCount, 1);
        c.check(channelAt(state.document, 1));
    }
}

TEST(MemoryImage, APresentChannelWithoutRxFrequencyIsNoChannel)
{
    ModelState state = freshState();
    fillImageForTransfer(state);
    state.radioImage[272] = 0x30; // channels 5 and 6 present
    const std::uint8_t six[] = {0x1A, 0x0D, 0xFF, 0x88};
    std::copy(std::begin(six), std::end(six), state.radioImage.begin() + 6 * 16);
    unpackImage(state, "Z740E", 2);
    ASSERT_EQ(state.document.channelCount, 1);
    EXPECT_EQ(channelAt(state.document, 1).number, 6);
    EXPECT_EQ(channelAt(state.document, 1).txFreq.value(), "FFFFFFFF");
}

// ---- radio type ----------------------------------------------------------------------------

TEST(MemoryImage, RadioTypeFollowsTheCurrentModelOnPackingAndTheIdentityOnUnpacking)
{
    ModelState state = freshState();
    addChannel(state, 1, "14600000", "14600000");
    state.currentModel.currentModelCode = "Z74";
    state.currentModel.currentBand = "200 - 260 MHz";
    writeForRadio(state);
    EXPECT_EQ(state.document.radioType.modelCode.value(), "Z74");
    EXPECT_EQ(state.document.radioType.bandIndex, 1);
    EXPECT_EQ(bytesAt(state, 417, 6), (Bytes{'Z', '7', '4', 0, 0, 1}));

    unpackImage(state, "Z740E", 0);
    EXPECT_EQ(state.document.radioType.modelCode.value(), "Z740E");
    EXPECT_EQ(state.document.radioType.bandIndex, 0);
    EXPECT_EQ(state.currentModel.currentModelCode, "Z740E");
    EXPECT_EQ(state.currentModel.currentBand, "136 - 174 MHz");
    EXPECT_EQ(state.currentModel.bandLowMHz, 136);
    EXPECT_EQ(state.currentModel.bandHighMHz, 174);
}

// ---- keys, scan, options -------------------------------------------------------------------

TEST(MemoryImage, KeyBytesOutsideTheFunctionsReadAsNone)
{
    const std::pair<std::uint8_t, Integer> cases[] = {{0x00, 0},   {0x0F, 15},  {0x10, 255},
                                                      {0x80, 255}, {0xFE, 255}, {0xFF, 255}};
    for (const auto& [byte, key] : cases) {
        ModelState state = freshState();
        fillImageForTransfer(state);
        state.radioImage[0x150 + 2] = byte;
        unpackImage(state, "Z740E", 2);
        EXPECT_EQ(state.document.settings.keys[2], key) << int(byte);
    }
}

TEST(MemoryImage, UnsetPriorityChannelsGoOutAs254AndComeBackAs256)
{
    ModelState state = freshState();
    addChannel(state, 1, "43700000", "43700000");
    state.document.settings.scan[1] = 5;
    writeForRadio(state);
    EXPECT_EQ(bytesAt(state, 344, 8), (Bytes{4, 254, 254, 254, 254, 254, 254, 254}));
    unpackImage(state, "Z740E", 2);
    const auto& scan = state.document.settings.scan;
    EXPECT_EQ(scan[1], 5);
    for (int g = 2; g <= 8; ++g) {
        EXPECT_EQ(scan[static_cast<std::size_t>(g)], 256) << g;
    }
    // 256 is packable again (as 255) and still means none.
    writeForRadio(state);
    EXPECT_EQ(state.radioImage[345], 255);

    const std::pair<std::uint8_t, Integer> bytes[] = {{0, 1}, {16, 17}, {17, 256}, {254, 256}};
    for (const auto& [byte, value] : bytes) {
        state.radioImage[344] = byte;
        unpackImage(state, "Z740E", 2);
        EXPECT_EQ(state.document.settings.scan[1], value) << int(byte);
    }
}

TEST(MemoryImage, ScanBytes)
{
    ModelState state = freshState();
    addChannel(state, 1, "43700000", "43700000");
    state.document.settings.scan = {2, 255, 255, 255, 255, 255, 255, 255, 255, 9, 8, 7, 6, 200};
    writeForRadio(state);
    EXPECT_EQ(state.radioImage[320], 2);
    EXPECT_EQ(state.radioImage[321], 0xFF); // not used
    EXPECT_EQ(bytesAt(state, 322, 5), (Bytes{9, 8, 7, 6, 200}));
    state.radioImage[320] = 3; // priority mode above 2 reads as 0
    unpackImage(state, "Z740E", 2);
    EXPECT_EQ(state.document.settings.scan[0], 0);
    EXPECT_EQ(state.document.settings.scan[13], 200); // taken as is
}

// Table A, with the value each address gets from the document and the rule that corrects it.
struct OptionCase
{
    std::size_t address;
    std::function<Integer&(ModelState&)> field;
    int highestValid;
    Integer fallback;
};

std::vector<OptionCase> optionCases()
{
    auto option = [](Integer OptionalFeatures::*m) {
        return [m](ModelState& s) -> Integer& { return s.document.settings.options.*m; };
    };
    auto flag = [](Integer RadioFlags::*m) { return [m](ModelState& s) -> Integer& { return s.flags.*m; }; };
    return {
        {304, option(&OptionalFeatures::totTime), 40, 4},
        {305, option(&OptionalFeatures::totWarning), 10, 0},
        {306, option(&OptionalFeatures::voicePrompt), 3, 0},
        {307, option(&OptionalFeatures::callResponse), 4, 0},
        {308, option(&OptionalFeatures::squelchLevel), 9, 4},
        {309, option(&OptionalFeatures::batterySave), 3, 0},
        {310, option(&OptionalFeatures::beep), 1, 1},
        {311, option(&OptionalFeatures::cancelOperation), 1, 0},
        {312, option(&OptionalFeatures::frequencyShow), 1, 0},
        {313, option(&OptionalFeatures::voxFunction), 1, 0},
        {314, option(&OptionalFeatures::voxLevel), 9, 4},
        {315, option(&OptionalFeatures::voxDelay), 27, 1},
        {316, option(&OptionalFeatures::voxProceedTone), 1, 0},
        {317, option(&OptionalFeatures::compander), 1, 0},
        {318, option(&OptionalFeatures::cloneMode), 1, 0},
        {319, option(&OptionalFeatures::noSignalTailElim), 255, 0},
        {327, option(&OptionalFeatures::micNoiseReduction), 2, 1},
        {328, flag(&RadioFlags::alertEnabled), 1, 0},
        {329, flag(&RadioFlags::functionEnabled), 1, 0},
        {330, option(&OptionalFeatures::tailElimType), 3, 0},
        {331, option(&OptionalFeatures::resetAllowed), 1, 1},
        {332, flag(&RadioFlags::bandExtension), 1, 0},
    };
}

TEST(MemoryImage, OptionBytesAtTheirAddresses)
{
    const auto cases = optionCases();
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.address);
        ModelState state = freshState();
        addChannel(state, 1, "43700000", "43700000");
        for (const OptionCase& other : cases) {
            other.field(state) = 0;
        }
        const Integer value = static_cast<Integer>(c.highestValid == 255 ? 200 : c.highestValid);
        c.field(state) = value;
        writeForRadio(state);
        for (const OptionCase& other : cases) {
            EXPECT_EQ(state.radioImage[other.address], other.address == c.address ? value : 0) << other.address;
        }
        EXPECT_EQ(bytesAt(state, 333, 3), Bytes(3, 0xFF)); // not used
    }
}

TEST(MemoryImage, OptionBytesOutOfRangeAreCorrectedOnUnpacking)
{
    for (const OptionCase& c : optionCases()) {
        SCOPED_TRACE(c.address);
        ModelState state = freshState();
        fillImageForTransfer(state);
        state.radioImage[c.address] = static_cast<std::uint8_t>(c.highestValid);
        unpackImage(state, "Z740E", 2);
        EXPECT_EQ(c.field(state), c.highestValid);
        if (c.highestValid < 255) {
            state.radioImage[c.address] = static_cast<std::uint8_t>(c.highestValid + 1);
            unpackImage(state, "Z740E", 2);
            EXPECT_EQ(c.field(state), c.fallback);
            state.radioImage[c.address] = 0xFF;
            unpackImage(state, "Z740E", 2);
            EXPECT_EQ(c.field(state), c.fallback);
        }
    }
}

TEST(MemoryImage, TheRadiosResetAllowedByteWins)
{
    ModelState state = freshState();
    addChannel(state, 1, "43700000", "43700000");
    state.document.settings.options.resetAllowed = 1;
    writeForRadio(state);
    EXPECT_EQ(state.radioImage[0x14B], 1);

    // The reply to the 0x140 request: 'W', address, length, sixteen data bytes.
    Bytes reply = {0x57, 0x01, 0x40, 0x10};
    for (int i = 0; i < 16; ++i) {
        reply.push_back(static_cast<std::uint8_t>(0xA0 + i));
    }
    reply[15] = 0x00;
    EXPECT_TRUE(takeResetAllowedFromRadio(state, reply));
    EXPECT_EQ(state.radioImage[0x14B], 0x00);
    EXPECT_EQ(state.radioImage[0x14A], state.document.settings.options.tailElimType); // only 0x14B

    const Bytes shortReply(reply.begin(), reply.begin() + 15);
    state.radioImage[0x14B] = 0x77;
    EXPECT_FALSE(takeResetAllowedFromRadio(state, shortReply));
    EXPECT_EQ(state.radioImage[0x14B], 0x77);
}

// ---- DTMF ----------------------------------------------------------------------------------

TEST(MemoryImage, DtmfBlockGolden)
{
    ModelState state = freshState();
    addChannel(state, 1, "43700000", "43700000");
    DtmfSettings& d = state.document.settings.dtmf;
    d.dtmfSpeed = 9;
    d.firstDigitDelay = 25;
    d.dCodeAssignment = 16;
    d.autoResetTimer = 15;
    d.sideTone = 0;
    d.firstDigitTime = 3;
    d.starHashTone = 2;
    d.decodingResponse = 1;
    d.groupCode = 14;
    d.stunCode = dtmfShownToStored("#1*");
    d.killCode = "0123456789ABCDEF";
    d.botCode = "12345";
    d.eotCode = "";
    d.selfId = "1234567890";
    writeForRadio(state);

    EXPECT_EQ(bytesAt(state, 896, 9), (Bytes{9, 25, 16, 15, 0, 3, 2, 1, 14}));
    Bytes stun(16, 0xFF);
    stun[0] = 0x0F, stun[1] = 0x01, stun[2] = 0x0E;
    EXPECT_EQ(bytesAt(state, 768, 16), stun);
    EXPECT_EQ(bytesAt(state, 784, 16), (Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(bytesAt(state, 864, 6), (Bytes{1, 2, 3, 4, 5, 0xFF}));
    EXPECT_EQ(bytesAt(state, 880, 16), Bytes(16, 0xFF));
    EXPECT_EQ(bytesAt(state, 912, 10), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));

    unpackImage(state, "Z740E", 2);
    EXPECT_EQ(d.stunCode.value(), "F1E");
    EXPECT_EQ(d.killCode.value(), "0123456789ABCDEF");
    EXPECT_EQ(d.selfId.value(), "1234567890");
    EXPECT_EQ(d.groupCode, 14);
}

TEST(MemoryImage, DtmfCodeTextsAreTrimmedBeforePacking)
{
    ModelState state = freshState();
    addChannel(state, 1, "43700000", "43700000");
    state.document.settings.dtmf.selfId = " 123      "; // as the editor pads it, with a stray blank
    writeForRadio(state);
    EXPECT_EQ(bytesAt(state, 912, 4), (Bytes{1, 2, 3, 0xFF}));
}

TEST(MemoryImage, DtmfMemoriesKeepTheirSlotNumbers)
{
    ModelState state = freshState();
    fillImageForTransfer(state);
    std::fill(state.radioImage.begin() + 0x200, state.radioImage.begin() + 0x300, std::uint8_t{0xFF});
    state.radioImage[0x200 + 1 * 16] = 0x01;     // memory 2: "1"
    state.radioImage[0x200 + 4 * 16] = 0x0F;     // memory 5: "F0E" (#0*)
    state.radioImage[0x200 + 4 * 16 + 1] = 0x00;
    state.radioImage[0x200 + 4 * 16 + 2] = 0x0E;
    state.radioImage[0x200 + 7 * 16 + 1] = 0x05; // memory 8 starts with 0xFF: skipped
    unpackImage(state, "Z740E", 2);
    const RadioSettings& s = state.document.settings;
    ASSERT_EQ(s.dtmfMemoryCount, 2);
    EXPECT_EQ(s.dtmfMemory[0].number, 2);
    EXPECT_EQ(s.dtmfMemory[0].digits.value(), "1");
    EXPECT_EQ(s.dtmfMemory[1].number, 5);
    EXPECT_EQ(s.dtmfMemory[1].digits.value(), "F0E");
}

TEST(MemoryImage, UnlistedDtmfMemoriesArePackedEmpty)
{
    // A document opened from a file and written without a read: the image is all 0 at start,
    // which would be sixteen memories "0000000000000000".
    ModelState state = freshState();
    addChannel(state, 1, "43700000", "43700000");
    addMemory(state.document.settings, 3, "F1E");
    writeForRadio(state);
    for (int n = 1; n <= 16; ++n) {
        Bytes expected(16, 0xFF);
        if (n == 3) {
            expected[0] = 0x0F, expected[1] = 0x01, expected[2] = 0x0E;
        }
        EXPECT_EQ(bytesAt(state, 0x200 + static_cast<std::size_t>(n - 1) * 16, 16), expected) << "memory " << n;
    }

    // A memory deleted in the editor after a read must not come back from the radio.
    addMemory(state.document.settings, 9, "123");
    writeForRadio(state);
    unpackImage(state, "Z740E", 2);
    ASSERT_EQ(state.document.settings.dtmfMemoryCount, 2);
    state.document.settings.dtmfMemoryCount = 1; // memory 9 deleted
    writeForRadio(state);
    EXPECT_EQ(bytesAt(state, 0x200 + 8 * 16, 16), Bytes(16, 0xFF));
    unpackImage(state, "Z740E", 2);
    EXPECT_EQ(state.document.settings.dtmfMemoryCount, 1);
    EXPECT_EQ(state.document.settings.dtmfMemory[0].number, 3);
}

// ---- embedded messages and the radio information --------------------------------------------

TEST(MemoryImage, EmbeddedMessages)
{
    ModelState state = freshState();
    addChannel(state, 1, "43700000", "43700000");
    state.document.settings.embeddedMessage1 = "  HELLO \xE9"; // leading blanks count, 0xE9 is é
    state.document.settings.embeddedMessage2 = std::string(32, 'x');
    writeForRadio(state);
    Bytes line1 = {' ', ' ', 'H', 'E', 'L', 'L', 'O', ' ', 0xE9};
    line1.resize(32, 0xFF);
    EXPECT_EQ(bytesAt(state, 352, 32), line1);
    EXPECT_EQ(bytesAt(state, 384, 32), Bytes(32, 'x'));
    EXPECT_EQ(state.radioImage[416], 0xFF); // the identity byte after the line is not touched

    // Only 0xFF ends a line: 0x00 is a character.
    const Bytes withNul = {'A', 'B', 0x00, 'C', 'D', 0xFF, 'E'};
    std::copy(withNul.begin(), withNul.end(), state.radioImage.begin() + 352);
    unpackImage(state, "Z740E", 2);
    const auto& stored = state.document.settings.embeddedMessage1.bytes();
    EXPECT_EQ(std::string(stored.data(), 5), std::string("AB\0CD", 5));
    EXPECT_EQ(stored[5], '\0'); // then the fixed-text padding
    EXPECT_EQ(state.document.settings.embeddedMessage2.value(), std::string(32, 'x'));
}

TEST(MemoryImage, RadioInformationBlock)
{
    ModelState state;
    state.radioInfo.infoFlags = {0, 1, 0};
    fillImageForTransfer(state);
    auto put = [&](std::size_t address, std::string_view text) {
        std::copy(text.begin(), text.end(), state.radioImage.begin() + static_cast<std::ptrdiff_t>(address));
    };
    state.radioImage[432] = 0x05 | 0xF0; // radio and factory mode; the high bits are the set-up tool's
    put(433, "Z740E");
    state.radioImage[438] = 2;
    put(440, "AB");
    state.radioImage[442] = 0x00;
    put(448, "2024010200000001");
    put(464, "2024/01/02");
    put(480, "01-1-E-1");
    put(488, "001A");
    put(492, "PASS");
    unpackRadioInfo(state);
    const RadioInfo& info = state.radioInfo;
    EXPECT_EQ(info.infoFlags, (std::array<Integer, 3>{1, 1, 1}));
    EXPECT_EQ(info.infoModelCode, "Z740E");
    EXPECT_EQ(info.infoBandIndex, 2);
    EXPECT_EQ(info.infoSalesArea, "AB");
    EXPECT_EQ(info.infoSerialNumber.value(), "2024010200000001");
    EXPECT_EQ(info.infoProductionDate.value(), "2024/01/02");
    EXPECT_EQ(info.infoBatchCode.value(), "01-1-E-1");
    EXPECT_EQ(info.infoCustomerCode.value(), "001A");

    // Flags are only ever set: a radio without the bits leaves them as they were.
    state.radioImage[432] = 0x00;
    state.radioImage[433] = 0x00;
    unpackRadioInfo(state);
    EXPECT_EQ(state.radioInfo.infoFlags, (std::array<Integer, 3>{1, 1, 1}));
    EXPECT_EQ(state.radioInfo.infoModelCode, "");
}

// ---- refusals ------------------------------------------------------------------------------

TEST(MemoryImage, AValueThatDoesNotFitRefusesThePackingAndChangesNothing)
{
    struct Case
    {
        const char* name;
        std::function<void(ModelState&)> spoil;
        PackProblemKind kind;
        PackField field;
        const char* english; // part of the English message
    };
    auto channel = [](int position) {
        return [position](ModelState& s) -> ChannelRecord& { return channelAt(s.document, position); };
    };
    const auto second = channel(2);
    const Case cases[] = {
        {"channel count", [](ModelState& s) { s.document.channelCount = 17; }, PackProblemKind::ChannelCount,
         PackField::None, "lists 17 channels"},
        {"channel number 0", [&](ModelState& s) { second(s).number = 0; }, PackProblemKind::ChannelNumber,
         PackField::ChannelNumber, "Channel entry 2 has the channel number 0"},
        {"channel number 17", [&](ModelState& s) { second(s).number = 17; }, PackProblemKind::ChannelNumber,
         PackField::ChannelNumber, "number 17"},
        {"channel listed twice", [&](ModelState& s) { second(s).number = 3; }, PackProblemKind::DuplicateChannel,
         PackField::ChannelNumber, "Channel 3 is listed more than once"},
        {"RX text", [&](ModelState& s) { second(s).rxFreq = "4371250A"; }, PackProblemKind::FrequencyText,
         PackField::RxFrequency, "Channel 12: RX Frequency \"4371250A\" is not a frequency"},
        {"TX text", [&](ModelState& s) { second(s).txFreq = "437.125"; }, PackProblemKind::FrequencyText,
         PackField::TxFrequency, "TX Frequency"},
        {"tone text", [&](ModelState& s) { second(s).txTone = "67.5"; }, PackProblemKind::ToneCode,
         PackField::TxTone, "Channel 12: CTCSS/DCS Encode \"67.5\" is not a tone code"},
        {"tx power 4", [&](ModelState& s) { second(s).txPower = 4; }, PackProblemKind::ChannelValue,
         PackField::TxPower, "Channel 12: TX Power holds 4; the radio accepts 0 to 3"},
        {"spacing 2", [&](ModelState& s) { second(s).spacing = 2; }, PackProblemKind::ChannelValue,
         PackField::Spacing, "Channel Spacing holds 2"},
        {"negative lock-out", [&](ModelState& s) { second(s).busyLockout = -1; }, PackProblemKind::ChannelValue,
         PackField::BusyLockout, "holds -1"},
        {"opt signal 3", [&](ModelState& s) { second(s).optSignal = 3; }, PackProblemKind::ChannelValue,
         PackField::OptSignal, "Option Signaling"},
        {"call 1 = 17", [&](ModelState& s) { second(s).call1 = 17; }, PackProblemKind::ChannelValue,
         PackField::Call1, "Call 1 holds 17; the radio accepts 0 to 16"},
        {"call 2 = -1", [&](ModelState& s) { second(s).call2 = -1; }, PackProblemKind::ChannelValue,
         PackField::Call2, "Call 2"},
        {"memory count", [](ModelState& s) { s.document.settings.dtmfMemoryCount = 17; },
         PackProblemKind::DtmfMemoryCount, PackField::None, "17 autodial memories"},
        {"memory number", [](ModelState& s) { s.document.settings.dtmfMemory[0].number = 0; },
         PackProblemKind::DtmfMemoryNumber, PackField::DtmfMemory, "Autodial memory entry 1 has the number 0"},
        {"memory listed twice", [](ModelState& s) { addMemory(s.document.settings, 4, "1"); },
         PackProblemKind::DuplicateDtmfMemory, PackField::DtmfMemory, "Autodial memory 4 is listed more than once"},
        {"memory digits", [](ModelState& s) { s.document.settings.dtmfMemory[0].digits = "12G"; },
         PackProblemKind::DtmfDigits, PackField::DtmfMemory, "Autodial Memory 4 \"12G\""},
        {"code digits", [](ModelState& s) { s.document.settings.dtmf.botCode = "1-2"; }, PackProblemKind::DtmfDigits,
         PackField::BotCode, "Begin of TX code \"1-2\" holds a character that is not a DTMF digit"},
        {"self ID digits", [](ModelState& s) { s.document.settings.dtmf.selfId = "12 3"; },
         PackProblemKind::DtmfDigits, PackField::SelfId, "Self ID"},
        {"DTMF byte", [](ModelState& s) { s.document.settings.dtmf.groupCode = 256; },
         PackProblemKind::SettingValue, PackField::GroupCode, "Group Code holds 256; the radio accepts 0 to 255"},
        {"key", [](ModelState& s) { s.document.settings.keys[3] = -1; }, PackProblemKind::SettingValue,
         PackField::KeyPf2Long, "Key PF2_1s holds -1"},
        {"option", [](ModelState& s) { s.document.settings.options.totTime = 300; }, PackProblemKind::SettingValue,
         PackField::TotTime, "Time Out Timer(TOT) holds 300"},
        {"reset allowed", [](ModelState& s) { s.document.settings.options.resetAllowed = 256; },
         PackProblemKind::SettingValue, PackField::ResetAllowed, "Reset Allowed"},
        {"radio flag", [](ModelState& s) { s.flags.bandExtension = -1; }, PackProblemKind::SettingValue,
         PackField::BandExtension, "Freqency Band Extension holds -1"},
        {"scan time", [](ModelState& s) { s.document.settings.scan[13] = 256; }, PackProblemKind::SettingValue,
         PackField::TxDwellTime, "TX Dwell Time"},
        {"priority channel 0", [](ModelState& s) { s.document.settings.scan[3] = 0; }, PackProblemKind::SettingValue,
         PackField::PriorityChannel, "Priority Channel 3 holds 0; the radio accepts 1 to 256"},
        {"priority channel 257", [](ModelState& s) { s.document.settings.scan[8] = 257; },
         PackProblemKind::SettingValue, PackField::PriorityChannel, "Priority Channel 8 holds 257"},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModelState state = freshState();
        addChannel(state, 3, "43712500", "43712500");
        addChannel(state, 12, "43800000", "FFFFFFFF");
        addMemory(state.document.settings, 4, "F1E");
        // Whatever the image held before (here a pattern) must survive byte for byte, and the
        // document's radio type must not follow the current model either.
        std::iota(state.radioImage.begin(), state.radioImage.end(), std::uint8_t{7});
        state.currentModel.currentBand = "136 - 174 MHz";
        state.currentModel.currentModelCode = "OTHER";
        ASSERT_TRUE(checkPackable(state) == std::nullopt);
        c.spoil(state);
        const RadioImage imageBefore = state.radioImage;
        const ConfigDocument documentBefore = state.document;

        const PackResult result = packImage(state);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.problem->kind, c.kind);
        EXPECT_EQ(result.problem->field, c.field);
        EXPECT_TRUE(state.radioImage == imageBefore);
        EXPECT_TRUE(state.document == documentBefore);
        EXPECT_EQ(checkPackable(state), result.problem);

        const std::string english = packProblemText(*result.problem, Language::English);
        const std::string chinese = packProblemText(*result.problem, Language::Chinese);
        EXPECT_NE(english.find(c.english), std::string::npos) << english;
        EXPECT_EQ(english.rfind("The data cannot be written to the radio. ", 0), 0u) << english;
        EXPECT_EQ(chinese.rfind("数据无法写入对讲机。", 0), 0u) << chinese;
        EXPECT_EQ(english.find('{'), std::string::npos) << english;
        EXPECT_EQ(chinese.find('{'), std::string::npos) << chinese;
    }
}

TEST(MemoryImage, ProblemTextsShowTheRefusedTextAsUtf8)
{
    PackProblem problem;
    problem.kind = PackProblemKind::FrequencyText;
    problem.field = PackField::RxFrequency;
    problem.channel = 5;
    problem.text = "43\xE9";
    EXPECT_EQ(packProblemText(problem, Language::Chinese), "数据无法写入对讲机。信道 5：接收频率“43é”不是有效的频率。");
}

// ---- round trips ---------------------------------------------------------------------------

std::string randomText(std::mt19937& rng, std::string_view alphabet, std::size_t minLength, std::size_t maxLength)
{
    std::uniform_int_distribution<std::size_t> length(minLength, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string text(length(rng), ' ');
    for (char& c : text) {
        c = alphabet[pick(rng)];
    }
    return text;
}

int randomInt(std::mt19937& rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

// A document the editors could have made: every value inside the range the radio gives back.
void randomDocument(std::mt19937& rng, ModelState& state)
{
    ConfigDocument& doc = state.document;
    std::array<int, 16> numbers{};
    std::iota(numbers.begin(), numbers.end(), 1);
    std::shuffle(numbers.begin(), numbers.end(), rng);
    doc.channelCount = 0;
    const int channels = randomInt(rng, 1, 16);
    for (int i = 0; i < channels; ++i) {
        const std::string rx = randomText(rng, "0123456789", 8, 8);
        const std::string tx = randomInt(rng, 0, 3) == 0 ? "FFFFFFFF" : randomText(rng, "0123456789", 8, 8);
        ChannelRecord& c = addChannel(state, numbers[static_cast<std::size_t>(i)], rx, tx);
        c.rxTone = toneCodeText(static_cast<std::uint16_t>(randomInt(rng, 0, 0xFFFF)));
        c.txTone = toneCodeText(static_cast<std::uint16_t>(randomInt(rng, 0, 0xFFFF)));
        c.txPower = static_cast<Integer>(randomInt(rng, 0, 1));
        c.spacing = static_cast<Integer>(randomInt(rng, 0, 1));
        c.busyLockout = static_cast<Integer>(randomInt(rng, 0, 2));
        c.pttId = static_cast<Integer>(randomInt(rng, 0, 3));
        c.scanAdd = static_cast<Integer>(randomInt(rng, 0, 1));
        c.reverse = static_cast<Integer>(randomInt(rng, 0, 1));
        c.talkAround = static_cast<Integer>(randomInt(rng, 0, 1));
        c.optSignal = static_cast<Integer>(randomInt(rng, 0, 1));
        c.signalRelation = static_cast<Integer>(randomInt(rng, 0, 1));
        c.call1 = static_cast<Integer>(randomInt(rng, 0, 16));
        c.call2 = static_cast<Integer>(randomInt(rng, 0, 16));
    }
    for (const OptionCase& o : optionCases()) {
        o.field(state) = static_cast<Integer>(randomInt(rng, 0, o.highestValid));
    }
    RadioSettings& s = doc.settings;
    for (Integer& key : s.keys) {
        key = static_cast<Integer>(randomInt(rng, 0, 16) == 16 ? 255 : randomInt(rng, 0, 15));
    }
    s.scan[0] = static_cast<Integer>(randomInt(rng, 0, 2));
    for (std::size_t g = 1; g <= 8; ++g) {
        s.scan[g] = static_cast<Integer>(randomInt(rng, 0, 1) == 0 ? 256 : randomInt(rng, 1, 17));
    }
    for (std::size_t k = 9; k <= 13; ++k) {
        s.scan[k] = static_cast<Integer>(randomInt(rng, 0, 255));
    }
    DtmfSettings& d = s.dtmf;
    for (Integer* byte : {&d.dtmfSpeed, &d.firstDigitDelay, &d.dCodeAssignment, &d.autoResetTimer, &d.sideTone,
                          &d.firstDigitTime, &d.starHashTone, &d.decodingResponse, &d.groupCode}) {
        *byte = static_cast<Integer>(randomInt(rng, 0, 255));
    }
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    d.stunCode = randomText(rng, kDigits, 0, 16);
    d.killCode = randomText(rng, kDigits, 0, 16);
    d.botCode = randomText(rng, kDigits, 0, 16);
    d.eotCode = randomText(rng, kDigits, 0, 16);
    d.selfId = randomText(rng, "0123456789", 0, 10);
    std::shuffle(numbers.begin(), numbers.end(), rng);
    s.dtmfMemoryCount = 0;
    const int memories = randomInt(rng, 0, 16);
    for (int i = 0; i < memories; ++i) {
        addMemory(s, numbers[static_cast<std::size_t>(i)], randomText(rng, kDigits, 1, 16));
    }
    // Any code-page byte but 0xFF (the end) and NUL; no trailing blank (the trimmed value drops it).
    std::string alphabet;
    for (int b = 1; b < 0xFF; ++b) {
        alphabet.push_back(static_cast<char>(b));
    }
    for (FixedText<32>* line : {&s.embeddedMessage1, &s.embeddedMessage2}) {
        std::string text = randomText(rng, alphabet, 0, 32);
        while (!text.empty() && text.back() == ' ') {
            text.pop_back();
        }
        *line = text;
    }
}

// Fields without an image place, set to marks that unpacking must leave alone.
void markImagelessFields(ModelState& state)
{
    for (ChannelRecord& c : state.document.channels) {
        c.spUnmute = 2;
        c.autodialMemory = 6;
        c.txCleared = 1;
        c.reserved36 = 36;
        c.reserved68 = 68;
        c.reserved72 = 72;
    }
    RadioSettings& s = state.document.settings;
    s.options.micSensitivity = 1;
    s.options.scramblerActivation = 1;
    s.options.scramblerBackup = 1;
    s.options.pttIdType = 1;
    s.options.pttIdMode = 2;
    s.options.pttIdBotCode = "999";
    s.options.pttIdEotCode = "888";
    s.dtmf.callAlert = 2;
    s.dtmf.clearToTranspond = 1;
    s.dtmf.inhibitCode = "55";
    s.dtmf.inhibitType = 1;
    s.dtmf.dtmfPttId = 3;
    s.fleetSig.ownFleet = 77;
    s.fleetSig.dataTxDelay = 6000;
    s.fleetListCount = 2;
    s.fleetList[1].row = 2;
    s.spareListCount = 1;
    s.spareList[0].text1 = "SPARE";
}

TEST(MemoryImage, RandomDocumentsComeBackFieldForField)
{
    std::mt19937 rng(20240611);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        ModelState state = freshState();
        randomDocument(rng, state);
        const ConfigDocument original = state.document;
        const RadioFlags originalFlags = state.flags;
        writeForRadio(state);
        const RadioImage packed = state.radioImage;

        ModelState read = freshState();
        markImagelessFields(read);
        const ConfigDocument marked = read.document;
        read.radioImage = packed;
        unpackImage(read, "Z740E", 2);
        const ConfigDocument& doc = read.document;

        // Channels: the same ones, now in increasing number, every image field as it was.
        ASSERT_EQ(doc.channelCount, original.channelCount);
        for (int position = 1; position <= doc.channelCount; ++position) {
            const ChannelRecord& got = channelAt(doc, position);
            if (position > 1) {
                EXPECT_LT(channelAt(doc, position - 1).number, got.number);
            }
            const int at = findChannel(original, got.number);
            ASSERT_GT(at, 0);
            ChannelRecord expected = channelAt(original, at);
            const ChannelRecord& mark = channelAt(marked, position);
            expected.inUse = 1;
            expected.spUnmute = mark.spUnmute;
            expected.autodialMemory = mark.autodialMemory;
            expected.txCleared = mark.txCleared;
            expected.reserved36 = mark.reserved36;
            expected.reserved68 = mark.reserved68;
            expected.reserved72 = mark.reserved72;
            EXPECT_EQ(got, expected) << "channel " << got.number;
        }

        const RadioSettings& s = doc.settings;
        const RadioSettings& o = original.settings;
        OptionalFeatures options = o.options;
        options.micSensitivity = marked.settings.options.micSensitivity;
        options.scramblerActivation = marked.settings.options.scramblerActivation;
        options.scramblerBackup = marked.settings.options.scramblerBackup;
        options.pttIdType = marked.settings.options.pttIdType;
        options.pttIdMode = marked.settings.options.pttIdMode;
        options.pttIdBotCode = marked.settings.options.pttIdBotCode;
        options.pttIdEotCode = marked.settings.options.pttIdEotCode;
        EXPECT_EQ(s.options, options);
        EXPECT_EQ(read.flags, originalFlags);
        EXPECT_EQ(s.keys, o.keys);
        EXPECT_EQ(s.scan, o.scan);

        DtmfSettings dtmf = o.dtmf;
        dtmf.callAlert = marked.settings.dtmf.callAlert;
        dtmf.clearToTranspond = marked.settings.dtmf.clearToTranspond;
        dtmf.inhibitCode = marked.settings.dtmf.inhibitCode;
        dtmf.inhibitType = marked.settings.dtmf.inhibitType;
        dtmf.dtmfPttId = marked.settings.dtmf.dtmfPttId;
        EXPECT_EQ(s.dtmf, dtmf);

        ASSERT_EQ(s.dtmfMemoryCount, o.dtmfMemoryCount);
        for (int position = 1; position <= s.dtmfMemoryCount; ++position) {
            const DtmfMemoryEntry& got = s.dtmfMemory[static_cast<std::size_t>(position - 1)];
            const int at = findDtmfMemory(o, got.number);
            ASSERT_GT(at, 0);
            EXPECT_EQ(got, o.dtmfMemory[static_cast<std::size_t>(at - 1)]);
        }
        EXPECT_EQ(s.embeddedMessage1, o.embeddedMessage1);
        EXPECT_EQ(s.embeddedMessage2, o.embeddedMessage2);
        EXPECT_EQ(doc.radioType, original.radioType);

        EXPECT_EQ(s.fleetSig, marked.settings.fleetSig);
        EXPECT_EQ(s.fleetListCount, marked.settings.fleetListCount);
        EXPECT_EQ(s.fleetList, marked.settings.fleetList);
        EXPECT_EQ(s.spareListCount, marked.settings.spareListCount);
        EXPECT_EQ(s.spareList, marked.settings.spareList);

        // And the read document packs into the very same bytes.
        read.radioImage = RadioImage{};
        writeForRadio(read);
        EXPECT_TRUE(read.radioImage == packed);
    }
}

TEST(MemoryImage, AnyImageUnpacksIntoADocumentThatPacks)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        ModelState state = freshState();
        for (std::uint8_t& b : state.radioImage) {
            b = static_cast<std::uint8_t>(byte(rng));
        }
        if (round % 2 == 0) { // half of them with every channel present
            state.radioImage[272] = state.radioImage[273] = 0xFF;
        }
        unpackImage(state, std::string(5, static_cast<char>(byte(rng))), byte(rng));
        unpackRadioInfo(state);
        EXPECT_LE(state.document.channelCount, 16);
        EXPECT_LE(state.document.settings.dtmfMemoryCount, 16);
        const auto problem = checkPackable(state);
        EXPECT_FALSE(problem.has_value()) << packProblemText(*problem, Language::English);
    }
}

} // namespace
} // namespace corvane::model
