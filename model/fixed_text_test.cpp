#include "model/code_page.h"
#include "model/fixed_text.h"

#include <gtest/gtest.h>

namespace corvane::model {
namespace {

std::string stored(const auto& text)
{
    return std::string(text.bytes().begin(), text.bytes().end());
}

TEST(FixedText, ShorterValueIsStoredWithNulAndBlanks)
{
    FixedText<8> text("ABC");
    EXPECT_EQ(stored(text), std::string("ABC\0    ", 8));
    EXPECT_EQ(text.value(), "ABC");
}

TEST(FixedText, ExactAndLongerValuesFillTheField)
{
    EXPECT_EQ(stored(FixedText<5>("Z740E")), "Z740E");
    EXPECT_EQ(FixedText<5>("Z740E").value(), "Z740E");
    EXPECT_EQ(stored(FixedText<4>("123456")), "1234");
}

TEST(FixedText, TrimmedValueDropsTrailingBlanksThenCutsAtNul)
{
    struct Case
    {
        std::string raw;
        std::string value;
    };
    const Case cases[] = {
        {std::string("AB\0XY   ", 8), "AB"},      // text after the NUL is ignored
        {"AB      ", "AB"},                        // blanks without NUL
        {std::string("  AB\0   ", 8), "  AB"},     // leading blanks stay
        {std::string("\0       ", 8), ""},
        {"ABCDEFGH", "ABCDEFGH"},
        {std::string("AB C\0 \0 ", 8), "AB C"},
    };
    for (const Case& c : cases) {
        FixedText<8> text;
        std::array<std::uint8_t, 8> raw{};
        std::copy(c.raw.begin(), c.raw.end(), raw.begin());
        text.setBytes(raw);
        EXPECT_EQ(text.value(), c.value) << "raw \"" << c.raw << "\"";
    }
}

TEST(FixedText, EqualityComparesStoredBytes)
{
    FixedText<4> a("12");
    FixedText<4> b;
    std::array<std::uint8_t, 4> raw{'1', '2', ' ', ' '};
    b.setBytes(raw);
    EXPECT_EQ(a.value(), b.value());
    EXPECT_NE(a, b); // same trimmed value, different bytes on disk
}

TEST(CodePage, EveryByteSurvivesARoundTripThroughUtf8)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(utf8ToCodePage(codePageToUtf8(all)), all);
}

TEST(CodePage, MapsWindows1252Characters)
{
    EXPECT_EQ(codePageToUtf8("\x80\xE9"), "€é");
    EXPECT_EQ(utf8ToCodePage("€é"), "\x80\xE9");
    EXPECT_EQ(utf8ToCodePage("信道"), "??"); // no Chinese in a single-byte code page
    EXPECT_EQ(utf8ToCodePage("A\xFF" "B"), "A?B"); // malformed UTF-8
}

} // namespace
} // namespace corvane::model
