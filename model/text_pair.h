#pragma once
// Every user-visible text is an English/Chinese pair; code picks the entry of the current
// language. Pairs are compiled-in constant data (UTF-8), grouped in one table per window or
// subsystem so a reader can check a window's texts against its list at a glance.

#include <array>
#include <cstddef>
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

// A two-dimensional table: one pair per key of a second index (for example the completion
// message per link operation), written as {key, pair} entries so the table reads like its list.
//   constexpr TextTable<LinkOperation, 2> kCompleted{{{LinkOperation::Read, texts::kReadCompleted},
//                                                     {LinkOperation::Write, texts::kWriteCompleted}}};
template <class Key, std::size_t N>
struct TextTable
{
    struct Entry
    {
        Key key;
        TextPair pair;
    };
    Entry entries[N]; // a plain array keeps the entry list free of extra braces

    // The pair of `key`; an empty pair for a key the table does not hold.
    constexpr TextPair operator[](Key key) const
    {
        for (const Entry& entry : entries) {
            if (entry.key == key) {
                return entry.pair;
            }
        }
        return {};
    }
};

template <class Key, std::size_t N>
constexpr std::string_view pick(const TextTable<Key, N>& table, Key key, Language language)
{
    return pick(table[key], language);
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
