#include "model/language_choice.h"

#include <gtest/gtest.h>

namespace corvane::model {
namespace {

std::vector<std::string_view> names(const std::vector<LanguageItem>& items)
{
    std::vector<std::string_view> out;
    for (const LanguageItem& item : items) {
        out.push_back(item.name);
    }
    return out;
}

TEST(LanguageChoice, OffersChineseOnlyToARunStartedInChinese)
{
    const LanguageState english = startupLanguageState(false);
    EXPECT_EQ(names(offeredLanguages(english)), (std::vector<std::string_view>{"English"}));

    LanguageState chinese = startupLanguageState(true);
    const auto items = offeredLanguages(chinese);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].language, Language::English);
    EXPECT_EQ(items[1].language, Language::Chinese);
    EXPECT_EQ(names(items), (std::vector<std::string_view>{"英语", "中文"}));

    // The names are written in the current language, not in their own.
    chinese.language = Language::English;
    EXPECT_EQ(names(offeredLanguages(chinese)), (std::vector<std::string_view>{"English", "Chinese"}));
}

TEST(LanguageChoice, SwitchingKeepsTheOldLanguageForTheMainWindow)
{
    LanguageState state = startupLanguageState(true);
    ASSERT_TRUE(state.helpFileAttached);

    EXPECT_TRUE(applyLanguageChoice(state, Language::English));
    EXPECT_EQ(state.language, Language::English);
    EXPECT_EQ(state.appliedLanguage, Language::Chinese); // main window still shows Chinese
    EXPECT_EQ(state.startupLanguage, Language::Chinese);
    EXPECT_EQ(state.languageFile, "english.ini");
    EXPECT_FALSE(state.helpFileAttached);
    EXPECT_FALSE(helpTopicsVisible(state));

    state.appliedLanguage = Language::English; // the main window rebuilt its texts
    EXPECT_TRUE(applyLanguageChoice(state, Language::Chinese));
    EXPECT_EQ(state.language, Language::Chinese);
    EXPECT_EQ(state.appliedLanguage, Language::English);
    EXPECT_EQ(state.languageFile, "chinese.ini");
    EXPECT_TRUE(state.helpFileAttached);
    EXPECT_TRUE(helpTopicsVisible(state));
}

TEST(LanguageChoice, CurrentOrUnofferedLanguageChangesNothing)
{
    for (const bool chineseStart : {false, true}) {
        LanguageState state = startupLanguageState(chineseStart);
        state.appliedLanguage = Language::English; // differs for a Chinese start: must stay as it is
        const LanguageState before = state;
        EXPECT_FALSE(applyLanguageChoice(state, state.language));
        EXPECT_EQ(state.language, before.language);
        EXPECT_EQ(state.appliedLanguage, before.appliedLanguage);
        EXPECT_EQ(state.languageFile, before.languageFile);
        EXPECT_EQ(state.helpFileAttached, before.helpFileAttached);
    }
    // A run started in English cannot be switched to Chinese.
    LanguageState english = startupLanguageState(false);
    EXPECT_FALSE(applyLanguageChoice(english, Language::Chinese));
    EXPECT_EQ(english.language, Language::English);
    EXPECT_EQ(english.languageFile, "english.ini");
}

} // namespace
} // namespace corvane::model
