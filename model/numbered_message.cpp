#include "model/numbered_message.h"

#include "model/number_text.h"
#include "model/profile_file.h"

namespace corvane::model {

namespace {
constexpr std::size_t kMessageBufferSize = 255;
}

std::string_view numberedMessageSection(int number)
{
    if (number <= 8999) {
        return "OTHER";
    }
    if (number <= 9999) {
        return "Msg";
    }
    if (number <= 29999) {
        return "CHBatch";
    }
    return "Others";
}

std::string numberedMessage(const std::filesystem::path& languageFolder, std::string_view languageFile,
                            int number)
{
    if (languageFile.empty()) {
        return {};
    }
    return readIniString(languageFolder / std::filesystem::path(std::string(languageFile)),
                         numberedMessageSection(number), formatDecimal(number, 1, 0), kMessageBufferSize);
}

} // namespace corvane::model
