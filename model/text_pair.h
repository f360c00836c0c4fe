#pragma once
// Every user-visible text is an English/Chinese pair; code picks the entry of the current
// language. Pairs are compiled-in constant data (UTF-8), grouped in one table per window or
// subsystem so a reader can check a window's texts against its list at a glance.

#include <array>
#include <string>
#include <string_view>

namespace corvane::model {

enum class Language : int { English = 1, Chinese = 2 };

struct TextPair
{
    std::string_view english;
    std::string_view chinese;
};

constexpr std::string_view pick(const TextPair& pair, Language language)
{
    return language == Language::Chinese ? pair.chinese : pair.english;
}

// The language state of a run: the language now, the one chosen at start (fixed for the run),
// the one the main window's texts were last built for, and the numbered-message file.
struct LanguageState
{
    Language language = Language::English;
    Language startupLanguage = Language::English;
    Language appliedLanguage = Language::English;
    std::string languageFile = "english.ini";
    bool helpFileAttached = false; // F1 help is attached while the language is Chinese
};

constexpr std::string_view languageFileFor(Language language)
{
    return language == Language::Chinese ? "chinese.ini" : "english.ini";
}

// Chinese exactly when the system locale is Chinese (PRC), otherwise English.
LanguageState startupLanguageState(bool systemLocaleIsChinesePrc);

} // namespace corvane::model
