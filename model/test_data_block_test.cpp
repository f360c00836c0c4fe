#include "model/test_data_block.h"

#include <gtest/gtest.h>

namespace corvane::model {
namespace {

TEST(TestDataBlock, EntriesFillTheSixteenBytesInOrder)
{
    TestDataTable table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<Integer>(0x10 + i);
    }
    table[kTestDataVdv] = 0x123;
    table[kTestDataDtx] = 0x40;
    table[14] = 0x77; // never sent
    table[15] = 0x78;
    const TestDataBlock expected = {0x10, 0x11, 0x12, 0x01, 0x23, 0x14, 0x15, 0x16,
                                    0x17, 0x00, 0x40, 0x19, 0x1A, 0x1B, 0x1C, 0x1D};
    EXPECT_EQ(encodeTestDataBlock(table), expected);
}

TEST(TestDataBlock, ValuesOutsideTheDialogLimitsAreClampedBeforeSending)
{
    TestDataTable table{};
    table[0] = -1;                   // negative -> 0
    table[1] = 0x1FF;                // one-byte entry -> 0xFF
    table[kTestDataVdv] = 0x7FFF;    // -> 0x400
    table[kTestDataDtx] = -0x8000;   // -> 0
    table[13] = 0x100;
    const TestDataBlock block = encodeTestDataBlock(table);
    EXPECT_EQ(block[0], 0x00);
    EXPECT_EQ(block[1], 0xFF);
    EXPECT_EQ(block[3], 0x04);
    EXPECT_EQ(block[4], 0x00);
    EXPECT_EQ(block[9], 0x00);
    EXPECT_EQ(block[10], 0x00);
    EXPECT_EQ(block[15], 0xFF);
    // What the radio reads back is then exactly the clamped table.
    const TestDataTable back = decodeTestDataBlock(block);
    EXPECT_EQ(back[0], 0);
    EXPECT_EQ(back[1], 0xFF);
    EXPECT_EQ(back[kTestDataVdv], 0x400);
    EXPECT_EQ(back[kTestDataDtx], 0);
}

TEST(TestDataBlock, Decoding)
{
    TestDataBlock block{};
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<std::uint8_t>(0xA0 + i);
    }
    block[3] = 0xFF; // a high byte of 0x80 or more counts as 0
    block[4] = 0x20;
    block[9] = 0x7F;
    block[10] = 0x01;
    const TestDataTable table = decodeTestDataBlock(block);
    EXPECT_EQ(table[0], 0xA0);
    EXPECT_EQ(table[2], 0xA2);
    EXPECT_EQ(table[kTestDataVdv], 0x20);
    EXPECT_EQ(table[4], 0xA5);
    EXPECT_EQ(table[kTestDataDtx], 0x7F01);
    EXPECT_EQ(table[13], 0xAF);
    EXPECT_EQ(table[14], 0);
    EXPECT_EQ(table[15], 0);
}

TEST(TestDataBlock, EveryValueInsideTheLimitsComesBack)
{
    for (int v = 0; v <= kTestDataWordLimit; ++v) {
        TestDataTable table{};
        for (std::size_t i = 0; i < kTestDataBlockEntries; ++i) {
            table[i] = static_cast<Integer>(isTestDataWordEntry(i) ? v : v & 0xFF);
        }
        ASSERT_EQ(decodeTestDataBlock(encodeTestDataBlock(table)), table) << v;
    }
}

TEST(TestDataBlock, AShortReplyReadsMissingBytesAsZero)
{
    const std::uint8_t data[] = {0x01, 0x02};
    const TestDataTable table = decodeTestDataBlock(data);
    EXPECT_EQ(table[0], 1);
    EXPECT_EQ(table[1], 2);
    EXPECT_EQ(table[kTestDataVdv], 0);
}

} // namespace
} // namespace corvane::model
