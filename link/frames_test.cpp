#include "link/frames.h"

#include <gtest/gtest.h>

namespace corvane::link {
namespace {

Frame dataReply(int address, int length, std::uint8_t fill = 0x11)
{
    Frame frame{0x57, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF),
                static_cast<std::uint8_t>(length)};
    frame.resize(frame.size() + static_cast<std::size_t>(length), fill);
    return frame;
}

TEST(Frames, PcFramesAreByteExact)
{
    model::RadioImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7);
    }
    std::array<std::uint8_t, 16> testBlock{};
    for (std::size_t i = 0; i < testBlock.size(); ++i) {
        testBlock[i] = static_cast<std::uint8_t>(0xA0 + i);
    }
    Frame write390{0x57, 0x03, 0x90, 0x10};
    for (int i = 0; i < 16; ++i) {
        write390.push_back(image[static_cast<std::size_t>(0x390 + i)]);
    }
    Frame testFrame{0x57, 0x01, 0xF0, 0x10};
    testFrame.insert(testFrame.end(), testBlock.begin(), testBlock.end());

    const struct
    {
        const char* name;
        Frame built;
        Frame expected;
    } cases[] = {
        {"greeting", greetingFrame(), {0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D}},
        {"identity request", identityRequest(), {0x02}},
        {"ack", ackFrame(), {0x06}},
        {"read 0x000", readRequest(0x000, 16), {0x52, 0x00, 0x00, 0x10}},
        {"read 0x390", readRequest(0x390, 16), {0x52, 0x03, 0x90, 0x10}},
        {"read 0x1E0", readRequest(0x1E0, 16), {0x52, 0x01, 0xE0, 0x10}},
        {"write 0x390", writeFrame(0x390, 16, image), write390},
        {"section 1", sectionEndFrame(1), {0x85, 0x01, 0x06}},
        {"section 2", sectionEndFrame(2), {0x85, 0x02, 0x06}},
        {"end", endFrame(), {0x45}},
        {"test-data request", testDataRequest(), {0x52, 0x01, 0xF0, 0x10}},
        {"test-data frame", testDataFrame(testBlock), testFrame},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.built, c.expected) << c.name;
    }
}

TEST(Frames, AddressSplitsIntoHighAndLowByte)
{
    const struct
    {
        int address;
        std::uint8_t high;
        std::uint8_t low;
    } cases[] = {{0x000, 0, 0}, {0x0FF, 0, 0xFF}, {0x100, 1, 0}, {0x1F0, 1, 0xF0}, {0x390, 3, 0x90}, {0x3FF, 3, 0xFF}};
    for (const auto& c : cases) {
        const AddressBytes split = splitAddress(c.address);
        EXPECT_EQ(split.high, c.high) << c.address;
        EXPECT_EQ(split.low, c.low) << c.address;
    }
}

TEST(Frames, WriteFrameNeverReadsPastTheImage)
{
    model::RadioImage image{};
    image.fill(0x00);
    const Frame frame = writeFrame(0x3F8, 16, image);
    ASSERT_EQ(frame.size(), 20U);
    EXPECT_EQ(frame[4 + 7], 0x00);
    EXPECT_EQ(frame[4 + 8], 0xFF); // 0x400 is not in the image
}

struct ClassifyCase
{
    const char* name;
    Frame frame;
    ClassificationFacts facts;
    std::optional<FrameKind> expected;
};

TEST(Frames, ClassificationFollowsTheSixRulesInOrder)
{
    using Op = LinkOperation;
    Frame identity{0x50, 'Z', '7', '4', '0', 'E', 2, 0, 'Z', '3', '0', '0', 0, 0};
    Frame notIdentity = identity;
    notIdentity[0] = 0x51;
    Frame shortBlock = dataReply(0x1F0, 16);
    shortBlock.pop_back(); // 19 bytes, length field still 16
    Frame longLength = dataReply(0x1F0, 16);
    longLength[3] = 17; // total length no longer length field + 4

    const ClassifyCase cases[] = {
        {"lone ack", {0x06}, {}, FrameKind::Ack},
        {"other single byte", {0x0A}, {}, std::nullopt},
        {"ack with a stray byte is no ack", {0x06, 0x06}, {}, std::nullopt},
        {"identity", identity, {Op::Read, step::Identify, -16, 16}, FrameKind::Identity},
        {"14 bytes not starting with P", notIdentity, {Op::Read, step::Identify, -16, 16}, std::nullopt},
        {"13 bytes starting with P", Frame(identity.begin(), identity.end() - 1), {Op::Read, step::Identify, -16, 16},
         std::nullopt},
        // Rule 3: the block 0x1F0.
        {"test block in a read transfer", dataReply(0x1F0, 16), {Op::Read, step::Transfer, 0x1F0, 16},
         FrameKind::TestDataBlock},
        {"test block in a write transfer", dataReply(0x1F0, 16), {Op::Write, step::Transfer, 0x1F0, 16},
         FrameKind::TestDataBlock},
        {"test block outside read and write", dataReply(0x1F0, 16), {Op::RadioInfoRead, step::Transfer, 0x1E0, 16},
         FrameKind::TestDataBlock},
        {"test block with no operation", dataReply(0x1F0, 16), {Op::None, 0, 0, 16}, FrameKind::TestDataBlock},
        {"0x1F0 in a read outside the transfer step falls to rule 6", dataReply(0x1F0, 16),
         {Op::Read, step::TransferAck, 0x1F0, 16}, FrameKind::Data},
        {"0x1F0 in a read, wrong step and cursor", dataReply(0x1F0, 16), {Op::Read, step::PasswordRead, 0x000, 16},
         std::nullopt},
        {"test block of 19 bytes", shortBlock, {Op::Read, step::Transfer, 0x1F0, 16}, std::nullopt},
        {"test block with a wrong length field", longLength, {Op::Read, step::Transfer, 0x1F0, 16}, std::nullopt},
        // Rule 4: the password block.
        {"password block in a read", dataReply(0x1E0, 16), {Op::Read, step::PasswordRead, -16, 16},
         FrameKind::PasswordBlock},
        {"password block in a write", dataReply(0x1E0, 16), {Op::Write, step::PasswordRead, -16, 16},
         FrameKind::PasswordBlock},
        {"0x1E0 during a read transfer is data", dataReply(0x1E0, 16), {Op::Read, step::Transfer, 0x1E0, 16},
         FrameKind::Data},
        {"0x1E0 in a radio-information read is data", dataReply(0x1E0, 16),
         {Op::RadioInfoRead, step::PasswordRead, 0x1E0, 16}, FrameKind::Data},
        // Rule 5: the reset-allowed block.
        {"reset-allowed block in a write", dataReply(0x140, 16), {Op::Write, step::ResetAllowedRead, -16, 16},
         FrameKind::ResetAllowedBlock},
        {"0x140 in a read at step 36 is nothing", dataReply(0x140, 16), {Op::Read, step::ResetAllowedRead, -16, 16},
         std::nullopt},
        {"0x140 during a read transfer is data", dataReply(0x140, 16), {Op::Read, step::Transfer, 0x140, 16},
         FrameKind::Data},
        // Rule 6: the block at the cursor.
        {"data at the cursor", dataReply(0x390, 16), {Op::Read, step::Transfer, 0x390, 16}, FrameKind::Data},
        {"data at another address", dataReply(0x380, 16), {Op::Read, step::Transfer, 0x390, 16}, std::nullopt},
        {"data with another length", dataReply(0x390, 8), {Op::Read, step::Transfer, 0x390, 16}, std::nullopt},
        {"data not starting with W", [] {
             Frame f = dataReply(0x390, 16);
             f[0] = 0x52;
             return f;
         }(),
         {Op::Read, step::Transfer, 0x390, 16}, std::nullopt},
        {"empty", {}, {}, std::nullopt},
    };
    for (const ClassifyCase& c : cases) {
        EXPECT_EQ(classifyFrame(c.frame, c.facts), c.expected) << c.name;
    }
}

TEST(Frames, IdentityReplyKeepsThePcBandByte)
{
    model::RadioImage image{};
    image.fill(0xEE);
    image[0x1A6] = 0x02; // the PC's own band
    const Frame reply{0x50, 'Z', '7', '4', '0', 'F', 0x00, 0x5A, 'V', '2', '0', '0', 0xC0, 0x77};
    storeIdentityReply(reply, image);
    for (std::size_t k = 0; k < 12; ++k) {
        if (k != 6) {
            EXPECT_EQ(image[0x1A0 + k], reply[k]) << k;
        }
    }
    EXPECT_EQ(image[0x1A6], 0x02);
    EXPECT_EQ(image[0x1AC], 0xEE); // status bytes are not copied
    EXPECT_EQ(image[0x1AD], 0xEE);

    const IdentityValues values = parseIdentityReply(reply);
    EXPECT_EQ(values.modelCode, "Z740F");
    EXPECT_EQ(values.bandCode, 0);
    EXPECT_EQ(values.firmwareVersion, "V200");
    EXPECT_TRUE(values.killed);
    EXPECT_TRUE(values.stunned);
    Frame onlyStunned = reply;
    onlyStunned[12] = 0x7F; // bit 6 set, bit 7 clear, the others ignored
    EXPECT_FALSE(parseIdentityReply(onlyStunned).killed);
    EXPECT_TRUE(parseIdentityReply(onlyStunned).stunned);
}

TEST(Frames, PasswordComesFromTheLastFourDataBytes)
{
    const struct
    {
        std::array<std::uint8_t, 4> bytes;
        std::string expected;
    } cases[] = {
        {{0xFF, 0xFF, 0xFF, 0xFF}, ""}, {{'1', '2', '3', '4'}, "1234"}, {{'A', 'b', 0x00, 0x00}, "Ab"},
        {{'A', 0xFF, 'C', 'D'}, "A"},   {{'x', ' ', ' ', 0x00}, "x"},   {{0x00, '1', '2', '3'}, ""},
    };
    for (const auto& c : cases) {
        Frame block = dataReply(0x1E0, 16, 0x30);
        std::copy(c.bytes.begin(), c.bytes.end(), block.begin() + 16);
        EXPECT_EQ(radioPasswordFromBlock(block), c.expected);
    }
}

} // namespace
} // namespace corvane::link
