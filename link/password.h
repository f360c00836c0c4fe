#pragma once
// The radio's programming password as the operations check it: the radio's own password comes
// from the password block (data bytes 12..15, see frames.h) and is compared exactly with the one
// the user entered. The program never changes a radio's password.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace corvane::link {

inline constexpr std::size_t kPasswordMaxLength = 4;

// True when the radio in the password-block reply has no password, or its password equals
// `enteredPassword` character by character (case counts).
bool passwordAccepted(std::span<const std::uint8_t> passwordBlockReply, std::string_view enteredPassword);

// What the password dialog's OK stores from the field's text: cut at the first NUL, trailing
// blanks removed, at most 4 characters.
std::string passwordFromEntry(std::string_view fieldText);

} // namespace corvane::link
