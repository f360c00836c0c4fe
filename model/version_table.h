#pragma once
// The version table ("Version.ini", shipped in the resource folder) and the hand-over to the
// program version that handles another data version.
//
//   [Version] CurrentVersion      read, not used further
//             SoftVersionCount    n, entries Version0..Version(n-1) of [Soft] (read, not used)
//             FirmVersionCount    m, entries Firm0..Firm(m-1) of [Firm]
//   [Firm]    Firm<k>             a pair: characters 1-4 a program version id, the last four
//                                 characters a data version id (file or radio firmware) that
//                                 this program version handles; "Z300V200" = program Z300
//                                 handles data V200.
// A missing file, a missing count or a count that is not a number gives no pairs: then every
// pair of versions counts as incompatible.
//
// The hand-over starts "<parent of the program folder>/<v>/<program file name>", v being the
// program id of the first pair for the data version. v comes from a file anyone can edit, so
// only a plain folder name (ASCII letters and digits) is accepted; any other pair counts as
// absent. The program ends only after the document's unsaved changes were offered for saving.

#include "model/model_state.h"
#include "model/profile_file.h"
#include "model/prompts.h"
#include "model/text_pair.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::model {

inline constexpr std::string_view kVersionTableFileName = "Version.ini";

// Message numbers of the language files (section "Msg").
inline constexpr int kMsgDataVersionLabel = 9060;
inline constexpr int kMsgProgramVersionLabel = 9061;
inline constexpr int kMsgVersionQuestion = 9062;
inline constexpr int kMsgNoProgramForVersion = 9063;

struct FirmPair
{
    std::string programVersion;
    std::string dataVersion;

    friend bool operator==(const FirmPair&, const FirmPair&) = default;
};

struct VersionTable
{
    std::string currentVersion;
    std::vector<std::string> softVersions;
    std::vector<FirmPair> firmPairs; // file order

    friend bool operator==(const VersionTable&, const VersionTable&) = default;
};

// Where this program keeps its table: the resource folder itself, next to the templates and
// language files it describes.
std::filesystem::path versionTableFile(const std::filesystem::path& resourceFolder);

VersionTable parseVersionTable(const ProfileFile& profile);
VersionTable loadVersionTable(const std::filesystem::path& file);

bool versionsCompatible(const VersionTable& table, std::string_view programVersion,
                        std::string_view dataVersion);

// A version id as shown to the user: a full stop after its second character ("V200" -> "V2.00").
std::string dottedVersion(std::string_view versionId);

// Message text by number, from the language file of the current language.
using NumberedMessages = std::function<std::string(int number)>;

// Message 9062, CR LF, 9060, " ", the dotted data id, CR LF, 9061, " ", the dotted program id.
std::string versionQuestion(std::string_view programVersion, std::string_view dataVersion,
                            const NumberedMessages& numberedMessage);

// True for a non-empty text of ASCII letters and digits only: no separator, no "..", no blank.
bool isPlainFolderName(std::string_view name);

// The program version of the first usable pair whose data part is `dataVersion`.
std::optional<std::string> programVersionFor(const VersionTable& table, std::string_view dataVersion);

// "<parent of the program folder>/<programVersion>/<program file name>".
std::filesystem::path handOverProgramFile(const std::filesystem::path& thisProgramFile,
                                          std::string_view programVersion);

// Starting another program and ending this one (platform/process_launcher.h on Qt).
class ProgramLauncher
{
public:
    virtual ~ProgramLauncher() = default;
    // The file exists and can be started.
    virtual bool isProgram(const std::filesystem::path& file) const = 0;
    // Starts the program on its own, in a normal window; false when it did not start.
    virtual bool startProgram(const std::filesystem::path& file) = 0;
    // Ends this program as soon as control returns to the event loop: no question, no saving.
    virtual void endThisProgram() = 0;
};

// What a hand-over needs from the platform and the shell. Built by the shell per call.
struct HandOverContext
{
    Prompts& prompts;
    Language language = Language::English;
    const VersionTable& versions;
    NumberedMessages numberedMessage;
    ProgramLauncher& launcher;
    std::filesystem::path thisProgramFile; // this program's executable
    std::function<void()> closeSerialPort; // empty: no port to close
    std::function<bool()> saveDocument;    // the shell's Save; false when the document was not saved
};

enum class HandOverResult {
    Declined,  // the user answered No to the version question
    NoProgram, // no usable pair or the program did not start: message 9063 was shown
    Cancelled, // the user kept this program to keep unsaved changes
    Started,   // the other version runs and this program is ending: do nothing more
};

// Starts the program version that handles `dataVersion` and ends this one. With unsaved changes
// it first asks "save it now?" (Yes saves through the shell, a failed save or Cancel keeps this
// program running); then it closes the serial port, starts the other program and ends this one.
HandOverResult handOver(std::string_view dataVersion, const ModelState& state, HandOverContext& context);

// The version question (Yes / No, no icon); Yes runs handOver.
HandOverResult offerHandOver(std::string_view programVersion, std::string_view dataVersion,
                             const ModelState& state, HandOverContext& context);

} // namespace corvane::model
