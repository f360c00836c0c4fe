#include "model/number_text.h"

#include <clocale>
#include <gtest/gtest.h>

namespace corvane::model {
namespace {

TEST(NumberText, WhatCountsAsANumber)
{
    struct Case
    {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"437.125", 437.125}, {"400", 400.0},     {" 145 ", 145.0},  {"-1.5", -1.5}, {"+2", 2.0},
        {".5", 0.5},          {"5.", 5.0},         {"", std::nullopt}, {"abc", std::nullopt},
        {"1,5", std::nullopt}, // a decimal comma is not a number
        {"1,000", std::nullopt}, {"1e3", std::nullopt}, {"1.2.3", std::nullopt}, {".", std::nullopt},
        {"0x10", std::nullopt},  {"12a", std::nullopt}, {"- 1", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseDecimal(c.text), c.value) << "\"" << c.text << "\"";
        EXPECT_EQ(isNumeric(c.text), c.value.has_value()) << "\"" << c.text << "\"";
    }
}

TEST(NumberText, Integers)
{
    EXPECT_EQ(parseInteger(" 12 "), 12);
    EXPECT_EQ(parseInteger("-3"), -3);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("1.0"), std::nullopt);
    EXPECT_EQ(parseInteger(""), std::nullopt);
    EXPECT_EQ(parseInteger("+-1"), std::nullopt);
}

TEST(NumberText, FormatsWithPatternDigits)
{
    struct Case
    {
        double value;
        int integerDigits;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {437.125, 3, 5, "437.12500"}, {400, 3, 5, "400.00000"},  {45, 3, 5, "045.00000"},
        {67.5, 1, 1, "67.5"},          {0.4, 1, 1, "0.4"},         {145.000005, 3, 5, "145.00001"},
        {145.000004999, 3, 5, "145.00000"}, {999.999996, 3, 5, "1000.00000"}, {-2.25, 1, 1, "-2.3"},
        {-0.00001, 1, 2, "0.00"},      {12, 0, 0, "12"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatDecimal(c.value, c.integerDigits, c.decimals), c.text) << c.value;
    }
}

TEST(NumberText, FormatsWholeNumbers)
{
    EXPECT_EQ(formatInteger(0), "0");
    EXPECT_EQ(formatInteger(-12), "-12");
    EXPECT_EQ(formatInteger(1234567), "1234567"); // never grouped
    EXPECT_EQ(formatInteger(INT64_MIN), "-9223372036854775808");
}

TEST(NumberText, IgnoresADecimalCommaLocale)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed (scripts/install-deps.sh generates it)";
    }
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(formatDecimal(437.125, 3, 5), "437.12500");
    EXPECT_EQ(parseDecimal("437.125"), 437.125);
    EXPECT_EQ(parseDecimal("437,125"), std::nullopt);
    EXPECT_EQ(formatInteger(1234567), "1234567");
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
} // namespace corvane::model
