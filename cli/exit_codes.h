#pragma once
// The exit codes of corvane-cli. Scripts rely on these numbers: never renumber one, only add.
// The table below is what --help and the README show.

#include "link/operations.h"

#include <array>
#include <string>
#include <string_view>

namespace corvane::cli {

enum class ExitCode : int {
    Success = 0,
    Failure = 1,         // anything not listed below (an unexpected error of the tool itself)
    Usage = 2,           // bad command line
    FileError = 3,       // a data file cannot be read or written, or is refused when opened
    PortNotOpened = 4,   // the port cannot be opened
    NoAnswer = 5,        // the radio did not answer, or the communication was lost
    PasswordRefused = 6, // the radio's programming password was not given or is wrong
    Mismatch = 7,        // model, band (write) or firmware version of the radio do not match
    RadioLocked = 8,     // the radio is killed or stunned (write)
    NotWritable = 9,     // the document cannot be written: no channel, or a value that does not pack
};

struct ExitCodeRow
{
    ExitCode code;
    std::string_view meaning;
};

inline constexpr std::array kExitCodeTable = {
    ExitCodeRow{ExitCode::Success, "success"},
    ExitCodeRow{ExitCode::Failure, "unexpected failure of the tool itself"},
    ExitCodeRow{ExitCode::Usage, "bad usage (unknown command or option, missing or bad value)"},
    ExitCodeRow{ExitCode::FileError,
                "file error (missing, unreadable, wrong length or model, cannot be written, output exists)"},
    ExitCodeRow{ExitCode::PortNotOpened, "the port cannot be opened"},
    ExitCodeRow{ExitCode::NoAnswer, "no answer from the radio, or communication lost"},
    ExitCodeRow{ExitCode::PasswordRefused, "programming password refused (or not given)"},
    ExitCodeRow{ExitCode::Mismatch, "model, band (write) or firmware version mismatch"},
    ExitCodeRow{ExitCode::RadioLocked, "radio killed or stunned (write)"},
    ExitCodeRow{ExitCode::NotWritable, "document not writable (no channel, or a value that does not pack)"},
};

// The exit code of a finished radio operation.
ExitCode exitCodeFor(link::OperationResult result, link::OperationFailure failure);

// The table as help text: one line per code, the number right-aligned in four columns.
std::string exitCodeHelp();

} // namespace corvane::cli
