#include "link/password.h"

#include "link/frames.h"

#include <algorithm>

namespace corvane::link {

bool passwordAccepted(std::span<const std::uint8_t> passwordBlockReply, std::string_view enteredPassword)
{
    const std::string radioPassword = radioPasswordFromBlock(passwordBlockReply);
    return radioPassword.empty() || radioPassword == enteredPassword;
}

std::string passwordFromEntry(std::string_view fieldText)
{
    // Cut first, then trim: a blank before a NUL must not survive as part of the password, the
    // radio's own password never ends in one.
    std::string_view text = fieldText.substr(0, std::min(fieldText.find('\0'), fieldText.size()));
    text = text.substr(0, std::min(text.size(), kPasswordMaxLength));
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return std::string(text);
}

} // namespace corvane::link
