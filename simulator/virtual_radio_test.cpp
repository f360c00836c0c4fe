#include "simulator/virtual_radio.h"

#include "model/safe_file.h"

#include <gtest/gtest.h>

#include <string_view>

namespace corvane::sim {
namespace {

using namespace std::chrono_literals;

Bytes bytes(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Everything the radio answers to `input`, fed one byte at a time.
Bytes answerByteByByte(VirtualRadio& radio, const Bytes& input, Milliseconds now = 0ms)
{
    Bytes out;
    for (std::uint8_t b : input) {
        for (const auto& o : radio.receive(std::span<const std::uint8_t>(&b, 1), now)) {
            out.insert(out.end(), o.bytes.begin(), o.bytes.end());
        }
    }
    return out;
}

Bytes answer(VirtualRadio& radio, const Bytes& input, Milliseconds now = 0ms)
{
    Bytes out;
    for (const auto& o : radio.receive(input, now)) {
        out.insert(out.end(), o.bytes.begin(), o.bytes.end());
    }
    return out;
}

const Bytes kAck{0x06};

TEST(VirtualRadio, SpeaksTheProgrammingDialectWhateverTheChunks)
{
    VirtualRadio radio;
    radio.memory()[0x390] = 0x12;
    radio.memory()[0x39F] = 0x34;
    Bytes block{'W', 0x03, 0x90, 0x10};
    for (int i = 0; i < 16; ++i) {
        block.push_back(radio.memory()[static_cast<std::size_t>(0x390 + i)]);
    }
    Bytes write{'W', 0x00, 0x20, 0x10};
    for (int i = 0; i < 16; ++i) {
        write.push_back(static_cast<std::uint8_t>(0xC0 + i));
    }

    const struct
    {
        const char* name;
        Bytes request;
        Bytes reply;
    } exchange[] = {
        {"identity before the greeting is not heard", {0x02}, {}},
        {"greeting", bytes("PROGRAM"), kAck},
        {"identity", {0x02}, {'P', 'Z', '7', '4', '0', 'E', 0x02, 0x00, 'Z', '3', '0', '0', 0x00, 0x00}},
        {"pc ack", {0x06}, kAck},
        {"read 0x390", {'R', 0x03, 0x90, 0x10}, block},
        {"write 0x020", write, kAck},
        {"section 1", {0x85, 0x01, 0x06}, kAck},
        {"broken section frame", {0x85, 0x03, 0x06}, {}},
        {"end", {'E'}, kAck},
        {"read after the end is not heard", {'R', 0x03, 0x90, 0x10}, {}},
    };
    for (const auto& e : exchange) {
        EXPECT_EQ(answerByteByByte(radio, e.request), e.reply) << e.name;
    }
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(radio.memory()[static_cast<std::size_t>(0x20 + i)], 0xC0 + i);
    }
    EXPECT_EQ(radio.writtenAddresses(), (std::vector<int>{0x020}));
    EXPECT_TRUE(radio.memoryChanged());
    EXPECT_EQ(radio.mode(), RadioMode::Idle);
}

TEST(VirtualRadio, FindsFramesInAStreamWithNoiseAndSeveralFramesPerChunk)
{
    VirtualRadio radio;
    // Noise, a broken greeting, a whole greeting and an ack in one chunk: two answers.
    EXPECT_EQ(answer(radio, bytes("\x13xPRO") + bytes("PROGRAM") + kAck), kAck + kAck);
    // Half a read request, then silence past the inter-byte timeout: the half is forgotten.
    EXPECT_TRUE(answer(radio, {'R', 0x00}, 1000ms).empty());
    EXPECT_TRUE(answer(radio, {0x00, 0x10}, 1000ms + radio.timing().interByteTimeout + 1ms).empty());
    // The same halves close together make a request.
    EXPECT_TRUE(answer(radio, {'R', 0x00}, 2000ms).empty());
    EXPECT_EQ(answer(radio, {0x00, 0x10}, 2010ms).size(), 20U);
}

TEST(VirtualRadio, SpeaksTheSetUpDialectWithChecksumsAndNak)
{
    VirtualRadio radio;
    EXPECT_EQ(answerByteByByte(radio, bytes("FACTORY")), bytes("ZT\x06"));

    // Read: 'W', address, length, data, checksum, 0x06.
    const Bytes reply = answer(radio, {'R', 0x01, 0xB0, 0x10});
    ASSERT_EQ(reply.size(), 22U);
    EXPECT_EQ(reply[0], 'W');
    EXPECT_EQ(reply[1], 0x01);
    EXPECT_EQ(reply[2], 0xB0);
    EXPECT_EQ(reply[3], 0x10);
    EXPECT_EQ(reply[20], setupChecksum(std::span<const std::uint8_t>(reply).first(20)));
    EXPECT_EQ(reply[21], 0x06);

    // The write frame for 0x1B0 with sixteen 0x00: checksum 0x01 + 0xB0 + 0x10 = 0xC1.
    Bytes write{'W', 0x01, 0xB0, 0x10};
    write.resize(20, 0x00);
    EXPECT_EQ(setupChecksum(write), 0xC1);
    Bytes broken = write;
    broken.push_back(0xC2);
    broken.push_back(0x06);
    EXPECT_EQ(answer(radio, broken), Bytes{kNakByte});
    EXPECT_NE(radio.memory()[0x1B1], 0x00); // nothing stored
    write.push_back(0xC1);
    write.push_back(0x06);
    EXPECT_EQ(answerByteByByte(radio, write), kAck);
    EXPECT_EQ(radio.memory()[0x1B1], 0x00);

    EXPECT_EQ(answer(radio, bytes("END")), kAck);
    EXPECT_EQ(radio.mode(), RadioMode::Idle);
}

TEST(VirtualRadio, IdentityCarriesModelBandFirmwareAndStatus)
{
    RadioIdentity identity;
    identity.modelCode = "Z740F";
    identity.bandCode = 0;
    identity.keptByte = 0x5A;
    identity.firmwareVersion = "V200";
    identity.killed = true;
    identity.stunned = true;
    VirtualRadio radio(identity);
    const Bytes expected{'P', 'Z', '7', '4', '0', 'F', 0x00, 0x5A, 'V', '2', '0', '0', 0xC0, 0x00};
    EXPECT_EQ(radio.identityReply(), expected);
    EXPECT_EQ(radio.memory()[kInfoBandAddress], 0x00);
    EXPECT_EQ(radio.memory()[kInfoModelAddress + 4], 'F');

    radio.setPassword("12");
    EXPECT_EQ(radio.memory()[0x1EC], '1');
    EXPECT_EQ(radio.memory()[0x1ED], '2');
    EXPECT_EQ(radio.memory()[0x1EE], 0x00);
    EXPECT_EQ(radio.memory()[0x1EF], 0x00);
    radio.setPassword("");
    EXPECT_EQ(radio.memory()[0x1EC], 0xFF);
}

TEST(VirtualRadio, FaultsApplyToTheFramesTheyName)
{
    const Bytes greeting = bytes("PROGRAM");
    struct Case
    {
        const char* name;
        std::function<void(RadioFaults&)> set;
        std::vector<Bytes> replies; // to greeting, greeting, ack, ack (frames 1-4)
    };
    const Case cases[] = {
        {"no faults", [](RadioFaults&) {}, {kAck, kAck, kAck, kAck}},
        {"silent", [](RadioFaults& f) { f.silent = true; }, {{}, {}, {}, {}}},
        {"first greeting unanswered", [](RadioFaults& f) { f.unansweredGreetings = 1; }, {{}, kAck, kAck, kAck}},
        {"two greetings unanswered, acks unheard",
         [](RadioFaults& f) { f.unansweredGreetings = 2; },
         {{}, {}, {}, {}}},
        {"lost reply to frame 3", [](RadioFaults& f) { f.lostReplies = {3}; }, {kAck, kAck, {}, kAck}},
        {"garbage before frame 2", [](RadioFaults& f) { f.garbageBefore = {2}; },
         {kAck, Bytes{0xAA, 0x55, 0x13, 0x06}, kAck, kAck}},
        {"truncated reply to frame 1", [](RadioFaults& f) { f.truncatedReplies = {1}; }, {{}, kAck, kAck, kAck}},
        {"NAK to frame 4", [](RadioFaults& f) { f.nakReplies = {4}; }, {kAck, kAck, kAck, Bytes{kNakByte}}},
    };
    for (const Case& c : cases) {
        RadioFaults faults;
        c.set(faults);
        VirtualRadio radio({}, faults);
        const Bytes frames[] = {greeting, greeting, kAck, kAck};
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(answer(radio, frames[i]), c.replies[i]) << c.name << ", frame " << i + 1;
        }
    }
}

TEST(VirtualRadio, LateRepliesAndThePulledCableComeAsTimedOutputs)
{
    RadioFaults faults;
    faults.lateReplies = {2};
    faults.lateBy = 3000ms;
    faults.cablePulledAtFrame = 3;
    VirtualRadio radio({}, faults);
    const auto first = radio.receive(bytes("PROGRAM"), 0ms);
    ASSERT_EQ(first.size(), 1U);
    EXPECT_LT(first[0].delay, 100ms);
    const auto second = radio.receive(Bytes{0x02}, 0ms);
    ASSERT_EQ(second.size(), 1U);
    EXPECT_GE(second[0].delay, 3000ms);
    const auto third = radio.receive(Bytes{0x06}, 0ms);
    ASSERT_EQ(third.size(), 1U);
    EXPECT_TRUE(third[0].cablePulled);
    EXPECT_TRUE(third[0].bytes.empty());
}

TEST(VirtualRadio, MemoryPersistsInAFile)
{
    const auto file = std::filesystem::temp_directory_path() / "corvane-virtual-radio-test" / "memory.bin";
    std::filesystem::remove_all(file.parent_path());
    VirtualRadio radio;
    radio.memory()[0x123] = 0x77;
    ASSERT_TRUE(radio.saveMemory(file));
    VirtualRadio other;
    ASSERT_TRUE(other.loadMemory(file));
    EXPECT_EQ(other.memory(), radio.memory());
    EXPECT_FALSE(other.memoryChanged());

    model::writeFileAtomically(file, "too short");
    VirtualRadio untouched;
    EXPECT_FALSE(untouched.loadMemory(file));
    EXPECT_EQ(untouched.memory(), VirtualRadio::factoryMemory({}));
    std::filesystem::remove_all(file.parent_path());
}

} // namespace
} // namespace corvane::sim
