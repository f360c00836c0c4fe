#pragma once
// The link's share of the application state: what outlives a single operation. The password the
// user entered (kept for the run, never stored), the identity values of the last identity reply
// (the shell writes the two status bits into "Setting.ini" at exit) and the percentage last shown.
// The transfer cursor and the operation and step variables live in the LinkSession, next to the
// port they describe. A plain struct: AppState owns the one instance.

#include <cstdint>
#include <string>

namespace corvane::link {

struct RadioLinkState
{
    std::string enteredPassword; // at most 4 ASCII characters; empty at start

    // From the IdentityReply of the last read or write (the radio-information read keeps none).
    std::string radioModelCode;  // 5 characters as received
    std::uint8_t radioBandCode = 0;
    std::string radioVersion;    // 4 characters as received
    bool radioKilled = false;    // status bit 7
    bool radioStunned = false;   // status bit 6

    std::int16_t lastPercent = 0; // 0..100, the value the progress window shows
};

} // namespace corvane::link
