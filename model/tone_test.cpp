#include "model/tone.h"

#include "model/number_text.h"

#include <clocale>
#include <gtest/gtest.h>

namespace corvane::model {
namespace {

TEST(Tone, ListPositions)
{
    const auto english = toneList(Language::English);
    ASSERT_EQ(english.size(), 283u);
    EXPECT_EQ(english[0], "None");
    EXPECT_EQ(toneList(Language::Chinese)[0], "无");
    EXPECT_EQ(english[1], "67.0");
    EXPECT_EQ(english[50], "254.1");
    EXPECT_EQ(english[51], "D017N");
    EXPECT_EQ(english[52], "D023N");
    EXPECT_EQ(english[166], "D765N");
    EXPECT_EQ(english[167], "D017I");
    EXPECT_EQ(english[282], "D765I");
    EXPECT_EQ(toneListEntry(283, Language::English), "");
    EXPECT_EQ(toneListEntry(-1, Language::English), "");
}

TEST(Tone, TextToCode)
{
    struct Case
    {
        const char* text;
        Language language;
        const char* code;
    };
    const Case cases[] = {
        {"67.0", Language::English, "0100"},
        {"254.1", Language::English, "0131"},
        {"D023N", Language::English, "0201"},
        {"D765I", Language::English, "0373"},
        {"D017I", Language::English, "0300"},
        {"None", Language::English, "FFFF"},
        {"无", Language::Chinese, "FFFF"},
        {"None", Language::Chinese, ""}, // only the current language's off text
        {"45.0", Language::English, "0100"},  // below 50 Hz: the first list tone
        {"49.9", Language::English, "0100"},
        {"300.0", Language::English, "0131"}, // above 260 Hz: the last list tone
        {"260.1", Language::English, "0131"},
        {"50.0", Language::English, "81F4"},  // the limits themselves are non-list tones
        {"260.0", Language::English, "8A28"},
        {"67.5", Language::English, "82A3"},
        {"67", Language::English, "829E"},    // exact text: 67 is not "67.0"
        {"100", Language::English, "83E8"},
        {"", Language::English, ""},
        {"abc", Language::English, ""},
        {"67,0", Language::English, ""},      // a decimal comma is not a number
        {"D024N", Language::English, ""},     // no such DCS code: the tone stays as it was
        {"D023I ", Language::English, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toneToCode(c.text, c.language), c.code) << "\"" << c.text << "\"";
    }
}

TEST(Tone, CodeToText)
{
    struct Case
    {
        const char* code;
        const char* text;
    };
    const Case cases[] = {
        {"FFFF", "None"}, {"0100", "67.0"},  {"0131", "254.1"}, {"0005", "79.7"}, {"0105", "79.7"},
        {"82A3", "67.5"}, {"829E", "67.0"},  {"8000", "0.0"},   {"0201", "D023N"}, {"0373", "D765I"},
        {"02E7", "D765I"}, // position 51 + 231 is the last list entry
        {"02E8", ""},      // past the end of the list
        {"0374", ""},
        {"0132", "D017N"}, // the low byte picks the position whatever the list
        {"a2a3", "886.7"},
        {"", ""},
        {"FFF", ""},
        {"XYZ1", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(codeToTone(c.code, Language::English), c.text) << "\"" << c.code << "\"";
    }
    EXPECT_EQ(codeToTone("FFFF", Language::Chinese), "无");
}

TEST(Tone, EveryListEntryComesBackAsItself)
{
    for (Language language : {Language::English, Language::Chinese}) {
        const auto list = toneList(language);
        for (const std::string& text : list) {
            const std::string code = toneToCode(text, language);
            ASSERT_EQ(code.size(), 4u) << text;
            EXPECT_EQ(codeToTone(code, language), text);
        }
    }
}

TEST(Tone, NonListTonesComeBackAsTyped)
{
    for (int tenths = 500; tenths <= 2600; ++tenths) {
        // The "#0.0" form, as the editors show and accept it.
        const std::string text = formatDecimal(tenths / 10.0, 1, 1);
        const std::string code = toneToCode(text, Language::English);
        EXPECT_EQ(codeToTone(code, Language::English), text) << text;
    }
}

TEST(Tone, TextsIgnoreADecimalCommaLocale)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    EXPECT_EQ(codeToTone("82A3", Language::English), "67.5");
    EXPECT_EQ(toneToCode("67.5", Language::English), "82A3");
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
} // namespace corvane::model
