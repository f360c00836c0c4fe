#include "model/language_choice.h"

#include "model/shared_texts.h"

#include <algorithm>

namespace corvane::model {

std::vector<LanguageItem> offeredLanguages(const LanguageState& state)
{
    std::vector<LanguageItem> items{{Language::English, pick(texts::kEnglishName, state.language)}};
    if (state.startupLanguage == Language::Chinese) {
        items.push_back({Language::Chinese, pick(texts::kChineseName, state.language)});
    }
    return items;
}

bool applyLanguageChoice(LanguageState& state, Language chosen)
{
    if (chosen == state.language) {
        return false;
    }
    const auto offered = offeredLanguages(state);
    if (std::none_of(offered.begin(), offered.end(),
                     [chosen](const LanguageItem& item) { return item.language == chosen; })) {
        return false;
    }
    state.appliedLanguage = state.language;
    state.language = chosen;
    state.languageFile = std::string(languageFileFor(chosen));
    state.helpFileAttached = chosen == Language::Chinese;
    return true;
}

} // namespace corvane::model
