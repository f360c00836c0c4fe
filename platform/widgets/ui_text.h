#pragma once
// Turning the core's UTF-8 texts and text pairs into Qt strings for the windows.

#include "model/text_pair.h"

#include <QString>

#include <string_view>

namespace corvane::platform {

inline QString qtText(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline QString qtText(const model::TextPair& pair, model::Language language)
{
    return qtText(model::pick(pair, language));
}

} // namespace corvane::platform
