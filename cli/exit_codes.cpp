#include "cli/exit_codes.h"

#include "model/number_text.h"

#include <string>

namespace corvane::cli {

ExitCode exitCodeFor(link::OperationResult result, link::OperationFailure failure)
{
    using link::OperationFailure;
    if (result == link::OperationResult::Succeeded) {
        return ExitCode::Success;
    }
    switch (failure) {
    case OperationFailure::PortNotOpened:
        return ExitCode::PortNotOpened;
    case OperationFailure::NoAnswer:
    case OperationFailure::UnexpectedReply:
        return ExitCode::NoAnswer;
    case OperationFailure::PasswordRefused:
        return ExitCode::PasswordRefused;
    case OperationFailure::ModelMismatch:
    case OperationFailure::BandMismatch:
    case OperationFailure::VersionMismatch:
        return ExitCode::Mismatch;
    case OperationFailure::RadioKilled:
    case OperationFailure::RadioStunned:
        return ExitCode::RadioLocked;
    case OperationFailure::NoChannel:
    case OperationFailure::PackingRejected:
        return ExitCode::NotWritable;
    case OperationFailure::Declined: // the tool always confirms: never expected
    case OperationFailure::None:
        break;
    }
    return ExitCode::Failure;
}

std::string exitCodeHelp()
{
    std::string text;
    for (const ExitCodeRow& row : kExitCodeTable) {
        const std::string number = model::formatInteger(static_cast<int>(row.code));
        text += std::string(number.size() < 4 ? 4 - number.size() : 0, ' ') + number + "  " +
                std::string(row.meaning) + "\n";
    }
    return text;
}

} // namespace corvane::cli
