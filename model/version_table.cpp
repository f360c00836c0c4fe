#include "model/version_table.h"

#include "model/document_files.h"
#include "model/number_text.h"
#include "model/shared_texts.h"

#include <algorithm>

namespace corvane::model {

namespace {

// A count far beyond any real table is a broken file, not a reason to probe a million keys.
constexpr std::int64_t kMaxEntries = 1000;

int entryCount(const ProfileFile& profile, std::string_view key)
{
    const auto text = profile.value("Version", key);
    if (!text) {
        return 0;
    }
    const auto count = parseInteger(*text);
    if (!count || *count < 0) {
        return 0;
    }
    return static_cast<int>(std::min(*count, kMaxEntries));
}

std::string entryKey(std::string_view prefix, int index)
{
    return std::string(prefix) + formatDecimal(index, 1, 0);
}

// Version ids are ASCII; counting bytes is counting characters here.
FirmPair pairOf(std::string_view value)
{
    const std::size_t part = std::min<std::size_t>(4, value.size());
    return FirmPair{std::string(value.substr(0, part)), std::string(value.substr(value.size() - part))};
}

void showNoProgram(HandOverContext& context)
{
    const std::string text =
        context.numberedMessage ? context.numberedMessage(kMsgNoProgramForVersion) : std::string();
    context.prompts.showMessage(text, MessageButtons::Ok, MessageIcon::None);
}

} // namespace

std::filesystem::path versionTableFile(const std::filesystem::path& resourceFolder)
{
    return resourceFolder / kVersionTableFileName;
}

VersionTable parseVersionTable(const ProfileFile& profile)
{
    VersionTable table;
    table.currentVersion = profile.value("Version", "CurrentVersion").value_or("");
    const int softCount = entryCount(profile, "SoftVersionCount");
    for (int i = 0; i < softCount; ++i) {
        table.softVersions.push_back(profile.value("Soft", entryKey("Version", i)).value_or(""));
    }
    const int firmCount = entryCount(profile, "FirmVersionCount");
    for (int i = 0; i < firmCount; ++i) {
        const auto value = profile.value("Firm", entryKey("Firm", i));
        if (value && !value->empty()) {
            table.firmPairs.push_back(pairOf(*value));
        }
    }
    return table;
}

VersionTable loadVersionTable(const std::filesystem::path& file)
{
    return parseVersionTable(ProfileFile::load(file));
}

bool versionsCompatible(const VersionTable& table, std::string_view programVersion,
                        std::string_view dataVersion)
{
    return std::any_of(table.firmPairs.begin(), table.firmPairs.end(), [&](const FirmPair& pair) {
        return pair.programVersion == programVersion && pair.dataVersion == dataVersion;
    });
}

std::string dottedVersion(std::string_view versionId)
{
    const std::size_t head = std::min<std::size_t>(2, versionId.size());
    return std::string(versionId.substr(0, head)) + "." + std::string(versionId.substr(head));
}

std::string versionQuestion(std::string_view programVersion, std::string_view dataVersion,
                            const NumberedMessages& numberedMessage)
{
    auto message = [&](int number) { return numberedMessage ? numberedMessage(number) : std::string(); };
    return message(kMsgVersionQuestion) + "\r\n" + message(kMsgDataVersionLabel) + " " +
           dottedVersion(dataVersion) + "\r\n" + message(kMsgProgramVersionLabel) + " " +
           dottedVersion(programVersion);
}

bool isPlainFolderName(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    });
}

std::optional<std::string> programVersionFor(const VersionTable& table, std::string_view dataVersion)
{
    for (const FirmPair& pair : table.firmPairs) {
        if (pair.dataVersion == dataVersion && isPlainFolderName(pair.programVersion)) {
            return pair.programVersion;
        }
    }
    return std::nullopt;
}

std::filesystem::path handOverProgramFile(const std::filesystem::path& thisProgramFile,
                                          std::string_view programVersion)
{
    return thisProgramFile.parent_path().parent_path() / std::string(programVersion) /
           thisProgramFile.filename();
}

HandOverResult handOver(std::string_view dataVersion, const ModelState& state, HandOverContext& context)
{
    const auto version = programVersionFor(context.versions, dataVersion);
    if (!version) {
        showNoProgram(context);
        return HandOverResult::NoProgram;
    }
    const std::filesystem::path program = handOverProgramFile(context.thisProgramFile, *version);
    if (!context.launcher.isProgram(program)) {
        showNoProgram(context);
        return HandOverResult::NoProgram;
    }

    // Ending at once would silently drop the user's edits: offer to save them first.
    if (documentChanged(state)) {
        const MessageAnswer answer =
            context.prompts.showMessage(std::string(pick(texts::kUnsavedChanges, context.language)),
                                        MessageButtons::YesNoCancel, MessageIcon::Exclamation);
        if (answer == MessageAnswer::Cancel) {
            return HandOverResult::Cancelled;
        }
        if (answer == MessageAnswer::Yes && !(context.saveDocument && context.saveDocument())) {
            return HandOverResult::Cancelled;
        }
    }

    if (context.closeSerialPort) {
        context.closeSerialPort();
    }
    if (!context.launcher.startProgram(program)) {
        showNoProgram(context);
        return HandOverResult::NoProgram;
    }
    context.launcher.endThisProgram();
    return HandOverResult::Started;
}

HandOverResult offerHandOver(std::string_view programVersion, std::string_view dataVersion,
                             const ModelState& state, HandOverContext& context)
{
    const MessageAnswer answer =
        context.prompts.showMessage(versionQuestion(programVersion, dataVersion, context.numberedMessage),
                                    MessageButtons::YesNo, MessageIcon::None);
    if (answer != MessageAnswer::Yes) {
        return HandOverResult::Declined;
    }
    return handOver(dataVersion, state, context);
}

} // namespace corvane::model
