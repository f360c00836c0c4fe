#pragma once
// The rules of the language dialog, without the window: which languages it offers and what
// choosing one changes. The main window applies a new language to its own texts the next time
// it becomes active (language differs from appliedLanguage); editors take theirs when opened.
// The choice is never stored: the next start follows the system locale again.

#include "model/text_pair.h"

#include <string_view>
#include <vector>

namespace corvane::model {

struct LanguageItem
{
    Language language;
    std::string_view name; // the language's name, written in the current language
};

// English only when the run started in English; English and Chinese when it started in Chinese.
std::vector<LanguageItem> offeredLanguages(const LanguageState& state);

// Applies the language chosen in the dialog. Choosing the current language, or one the dialog
// does not offer, changes nothing and gives false. Otherwise the current language is kept as the
// one the main window's texts were built for, and the language, its message file and the F1
// help attachment follow the choice.
bool applyLanguageChoice(LanguageState& state, Language chosen);

// "Help topics" is offered while the language is Chinese (there is a Chinese help file only).
constexpr bool helpTopicsVisible(const LanguageState& state)
{
    return state.language == Language::Chinese;
}

} // namespace corvane::model
