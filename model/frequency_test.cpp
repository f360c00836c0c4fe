#include "model/frequency.h"

#include "model/shared_texts.h"
#include "testsupport/recording_prompts.h"

#include <clocale>
#include <gtest/gtest.h>

namespace corvane::model {
namespace {

using Bytes = FrequencyBytes;

CurrentModel modelForBand(const char* band, double low)
{
    CurrentModel model;
    model.currentBand = band;
    model.bandLowMHz = low;
    return model;
}

TEST(Frequency, ThreeFormsConvertBothWays)
{
    struct Case
    {
        const char* display; // what the channel editors pass
        const char* stored;
        Bytes bytes;
        const char* storedBack; // what reading the bytes gives
        const char* shown;      // what the stored text shows
    };
    const Case cases[] = {
        {"437.12500", "43712500", {0x1A, 0x0D, 0xFF, 0x88}, "43712500", "437.12500"},
        {"435.225", "435225", {0x19, 0xF1, 0x01, 0xA8}, "43522500", "435.22500"}, // shorter = trailing zeros
        {"400", "400", {0x17, 0xD7, 0x84, 0x00}, "40000000", "400.00000"},
        {"136.00001", "13600001", {0x08, 0x1B, 0x32, 0x0A}, "13600001", "136.00001"},
    };
    testing::RecordingPrompts prompts;
    const CurrentModel model;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display);
        EXPECT_EQ(displayToFrequency(c.display, model), c.stored);
        EXPECT_EQ(packFrequency(c.stored), c.bytes);
        EXPECT_EQ(unpackFrequency(c.bytes), c.storedBack);
        EXPECT_EQ(frequencyToDisplay(c.stored, model, prompts), c.shown);
        EXPECT_EQ(frequencyToDisplay(c.storedBack, model, prompts), c.shown);
    }
}

TEST(Frequency, NoFrequency)
{
    testing::RecordingPrompts prompts;
    const CurrentModel model;
    const Bytes none{0xFF, 0xFF, 0xFF, 0xFF};
    for (const char* stored : {"", "FFFFFFFF", "   "}) {
        EXPECT_EQ(packFrequency(stored), none) << stored;
        EXPECT_EQ(frequencyToDisplay(stored, model, prompts), "") << stored;
    }
    EXPECT_EQ(unpackFrequency(none), "FFFFFFFF");
    EXPECT_EQ(displayToFrequency("", model), "");
}

TEST(Frequency, StoredTextThatIsNotANumberShowsTheMessageAndTheLowerLimit)
{
    testing::RecordingPrompts prompts;
    prompts.expect(std::string(texts::kNotNumeric));
    EXPECT_EQ(frequencyToDisplay("4371250A", modelForBand("136 - 174 MHz", 136), prompts), "136");
    prompts.expect(std::string(texts::kNotNumeric));
    EXPECT_EQ(frequencyToDisplay("437.125", CurrentModel{}, prompts), "400"); // a stop of its own
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].buttons, MessageButtons::Ok);
}

TEST(Frequency, DisplayTextThatIsNotANumberBecomesTheLowerLimit)
{
    const CurrentModel vhf = modelForBand("136 - 174 MHz", 136);
    EXPECT_EQ(displayToFrequency("abc", vhf), "136");
    EXPECT_EQ(displayToFrequency("437,125", vhf), "136"); // a decimal comma is not a number
    EXPECT_EQ(displayToFrequency("-437.125", vhf), "136");
    EXPECT_EQ(displayToFrequency(" 437.125 ", vhf), "437125");
    EXPECT_EQ(displayToFrequency("45.5", vhf), "0455"); // three whole-MHz digits, always
}

TEST(Frequency, PackingRefusesWhatIsNotDigits)
{
    for (const char* stored : {"4371250A", "437.1250", "-4371250", "437125001", "4 371250"}) {
        EXPECT_FALSE(isPackableFrequency(stored)) << stored;
        EXPECT_EQ(packFrequency(stored), std::nullopt) << stored;
    }
    EXPECT_TRUE(isPackableFrequency(" 43712500 "));
}

TEST(Frequency, UnpackKeepsTheMegahertzDigitsInPlace)
{
    // 50 MHz: without the leading zero the text would read as 500 MHz.
    EXPECT_EQ(unpackFrequency(Bytes{0x02, 0xFA, 0xF0, 0x80}), "05000000");
    // The remainder below 10 Hz is dropped.
    EXPECT_EQ(unpackFrequency(Bytes{0x1A, 0x0D, 0xFF, 0x8F}), "43712500");
    // Above 999.99999 MHz the text is cut to its eight characters.
    EXPECT_EQ(unpackFrequency(Bytes{0xFF, 0xFF, 0xFF, 0xFE}), "42949672");
}

TEST(Frequency, TextsIgnoreADecimalCommaLocale)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    testing::RecordingPrompts prompts;
    EXPECT_EQ(frequencyToDisplay("43712500", CurrentModel{}, prompts), "437.12500");
    EXPECT_EQ(displayToFrequency("437.12500", CurrentModel{}), "43712500");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(Frequency, BandLimits)
{
    struct Case
    {
        const char* band;
        bool extension;
        BandLimits limits;
    };
    const Case cases[] = {
        {"136 - 174 MHz", false, {136, 174, 174}},
        {"136 - 174 MHz", true, {136, 174, 174}}, // the extension is the UHF band's only
        {"200 - 260 MHz", true, {200, 260, 260}},
        {"400 - 480 MHz", false, {400, 520, 480}},
        {"400 - 480 MHz", true, {400, 520, 520}},
        {"400-480 MHz", true, {136, 174, 174}}, // not a band text: band 0, as bandCodeForText
        {"", false, {136, 174, 174}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bandLimits(c.band, c.extension), c.limits) << c.band << " " << c.extension;
    }
}

} // namespace
} // namespace corvane::model
