#include "model/dtmf_digits.h"

#include <array>
#include <gtest/gtest.h>

namespace corvane::model {
namespace {

TEST(DtmfDigits, ShownStoredAndImageForms)
{
    EXPECT_EQ(dtmfShownToStored("#1*"), "F1E");
    EXPECT_EQ(dtmfStoredToShown("F1E"), "#1*");
    EXPECT_EQ(dtmfShownToStored("0123456789ABCD*#"), "0123456789ABCDEF");
    EXPECT_EQ(dtmfStoredToShown("0123456789ABCDEF"), "0123456789ABCD*#");

    std::array<std::uint8_t, 16> field{};
    ASSERT_TRUE(packDtmfDigits("F1E", field));
    const std::array<std::uint8_t, 16> expected = {0x0F, 0x01, 0x0E, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                   0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(field, expected);
    EXPECT_EQ(unpackDtmfDigits(field), "F1E");
}

TEST(DtmfDigits, PackingRefusesWhatIsNotADigitAndLeavesTheField)
{
    std::array<std::uint8_t, 10> field{};
    field.fill(0x55);
    const auto before = field;
    for (const char* text : {"12G", "1 2", "12345678901", "1-2"}) {
        EXPECT_FALSE(dtmfDigitsFit(text, field.size())) << text;
        EXPECT_FALSE(packDtmfDigits(text, field)) << text;
        EXPECT_EQ(field, before) << text;
    }
    // The shown characters and lower-case digits mean the same digits.
    ASSERT_TRUE(packDtmfDigits("*#ab", field));
    EXPECT_EQ(unpackDtmfDigits(field), "EFAB");
    ASSERT_TRUE(packDtmfDigits("", field));
    EXPECT_EQ(field[0], 0xFF);
}

TEST(DtmfDigits, ReadingStopsAtTheFirstByteAboveF)
{
    const std::array<std::uint8_t, 6> field = {0x01, 0x00, 0x0F, 0x10, 0x02, 0x03};
    EXPECT_EQ(unpackDtmfDigits(field), "10F");
    const std::array<std::uint8_t, 3> full = {0x0A, 0x0B, 0x0C};
    EXPECT_EQ(unpackDtmfDigits(full), "ABC");
}

} // namespace
} // namespace corvane::model
