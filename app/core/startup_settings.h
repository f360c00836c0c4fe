#pragma once
// The settings files of Corvane and the values it sets at start:
//   <user folder>/language/mysetup.ini  section "language": "IsFirstRun", "comPort"
//   <user folder>/Setting.ini           16-byte record: infoFlags[0..2], 0, 0, 0, stunned, killed
// Files the program writes live in the per-user folder; a missing one is seeded from the
// resource folder's copy when there is one. Read-only resources stay in the resource folder.

#include "app/core/app_state.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>

namespace corvane::app {

struct SettingsPaths
{
    std::filesystem::path resourceFolder; // read-only: language files, templates, pictures, help
    std::filesystem::path userFolder;     // written: mysetup.ini, Setting.ini

    std::filesystem::path setupFile() const { return userFolder / "language" / "mysetup.ini"; }
    std::filesystem::path settingRecordFile() const { return userFolder / "Setting.ini"; }
    std::filesystem::path languageFolder() const { return resourceFolder / "language"; }
};

inline constexpr const char* kSetupSection = "language";

struct SetupFileValues
{
    bool isFirstRun = false;
    std::string comPort; // empty: no port
    bool complete = false; // both keys present and readable
};

// Reads "mysetup.ini". A missing file or key, or a value that is neither a number nor a device
// name, reads as IsFirstRun false and no port.
SetupFileValues readSetupFile(const std::filesystem::path& file);

// The "comPort" text: the port, or "0" for none.
std::string comPortSettingText(const std::string& comPort);
bool writeComPort(const std::filesystem::path& file, const std::string& comPort);

// Copies the resource folder's mysetup.ini / Setting.ini into the user folder when the user has none.
void seedUserFiles(const SettingsPaths& paths);

using InfoFlags = std::array<model::Integer, 3>;
// The three radio-information option flags of "Setting.ini"; 0, 0, 0 when the file is missing,
// unreadable or shorter than its 16-byte record.
InfoFlags readSettingRecord(const std::filesystem::path& file);
bool writeSettingRecord(const std::filesystem::path& file, const InfoFlags& infoFlags, bool radioStunned,
                        bool radioKilled);

// Start-up values of a run: language from the system locale, the current model constants.
void initialiseStartupValues(AppState& state, bool systemLocaleIsChinesePrc);

// Decides the port to use at start from the configured one (the port check of the link; may be
// empty to keep the configured port).
using StartupPortCheck = std::function<std::string(const std::string& configuredPort)>;

// Steps of the start-up that touch "mysetup.ini": read both keys, check the port, clear
// "IsFirstRun", write "comPort" back (which creates the file when it was missing).
void loadSetupFile(AppState& state, const SettingsPaths& paths, const StartupPortCheck& portCheck);

// Reads the three infoFlags of "Setting.ini" into the radio information.
void loadSettingRecord(AppState& state, const SettingsPaths& paths);

} // namespace corvane::app
