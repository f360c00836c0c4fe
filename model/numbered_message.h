#pragma once
// Numbered messages: the few texts read at run time from the language file of the current
// language ("english.ini" or "chinese.ini" in the resource folder's "language" folder) instead
// of being compiled in. The number picks the section and is itself the key (decimal text):
//   up to 8999 "OTHER", 9000-9999 "Msg", 10000-29999 "CHBatch", 30000 and above "Others".
// A missing file, section or key gives an empty text; the caller shows it as it is.

#include <filesystem>
#include <string>
#include <string_view>

namespace corvane::model {

std::string_view numberedMessageSection(int number);

// The message, blanks trimmed, at most 254 characters (the 255-character buffer the language
// files were written for).
std::string numberedMessage(const std::filesystem::path& languageFolder, std::string_view languageFile,
                            int number);

} // namespace corvane::model
