#include "model/text_pair.h"

namespace corvane::model {

LanguageState startupLanguageState(bool systemLocaleIsChinesePrc)
{
    const Language language = systemLocaleIsChinesePrc ? Language::Chinese : Language::English;
    return LanguageState{language, language, language, std::string(languageFileFor(language)),
                         language == Language::Chinese};
}

} // namespace corvane::model
