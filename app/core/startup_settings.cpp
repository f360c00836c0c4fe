#include "app/core/startup_settings.h"

#include "model/model_band.h"
#include "model/number_text.h"
#include "model/profile_file.h"
#include "model/safe_file.h"
#include "model/text_trim.h"

#include <algorithm>
#include <cstdint>

namespace corvane::app {

namespace {

// "1"/"0" and "True"/"False" as the settings file may hold them; any other number counts by
// whether it is zero.
std::optional<bool> parseBoolean(std::string_view text)
{
    if (model::equalsIgnoringAsciiCase(text, "true")) {
        return true;
    }
    if (model::equalsIgnoringAsciiCase(text, "false")) {
        return false;
    }
    if (const auto number = model::parseDecimal(text)) {
        return *number != 0;
    }
    return std::nullopt;
}

bool looksLikeDeviceName(std::string_view text)
{
    return !text.empty() && std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= ' ' || byte == 0x7F;
    });
}

std::optional<std::string> parsePort(std::string_view text)
{
    if (text.empty()) {
        return std::nullopt;
    }
    if (model::isNumeric(text)) {
        const auto number = model::parseInteger(text);
        if (!number || *number < 0 || *number > INT16_MAX) {
            return std::nullopt;
        }
        return *number == 0 ? std::string() : std::to_string(*number);
    }
    if (looksLikeDeviceName(text)) {
        return std::string(text);
    }
    return std::nullopt;
}

void putInteger(std::string& out, model::Integer value)
{
    const auto raw = static_cast<std::uint16_t>(value);
    out.push_back(static_cast<char>(raw & 0xFF));
    out.push_back(static_cast<char>(raw >> 8));
}

} // namespace

SetupFileValues readSetupFile(const std::filesystem::path& file)
{
    SetupFileValues values;
    const auto isFirstRun = parseBoolean(model::readIniString(file, kSetupSection, "IsFirstRun"));
    const auto port = parsePort(model::readIniString(file, kSetupSection, "comPort"));
    values.isFirstRun = isFirstRun.value_or(false);
    values.comPort = port.value_or(std::string());
    values.complete = isFirstRun.has_value() && port.has_value();
    return values;
}

std::string comPortSettingText(const std::string& comPort)
{
    return comPort.empty() ? std::string("0") : comPort;
}

bool writeComPort(const std::filesystem::path& file, const std::string& comPort)
{
    return model::writeIniString(file, kSetupSection, "comPort", comPortSettingText(comPort));
}

void seedUserFiles(const SettingsPaths& paths)
{
    const std::pair<std::filesystem::path, std::filesystem::path> seeds[] = {
        {paths.resourceFolder / "language" / "mysetup.ini", paths.setupFile()},
        {paths.resourceFolder / "Setting.ini", paths.settingRecordFile()},
    };
    for (const auto& [source, target] : seeds) {
        std::error_code ec;
        if (std::filesystem::exists(target, ec) || !std::filesystem::is_regular_file(source, ec)) {
            continue;
        }
        std::filesystem::create_directories(target.parent_path(), ec);
        if (const auto bytes = model::readWholeFile(source)) {
            model::writeFileAtomically(target, *bytes);
        }
    }
}

InfoFlags readSettingRecord(const std::filesystem::path& file)
{
    InfoFlags flags{};
    const auto bytes = model::readWholeFile(file);
    if (!bytes || bytes->size() < 16) {
        return flags;
    }
    for (std::size_t k = 0; k < flags.size(); ++k) {
        const auto low = static_cast<std::uint8_t>((*bytes)[2 * k]);
        const auto high = static_cast<std::uint8_t>((*bytes)[2 * k + 1]);
        flags[k] = static_cast<model::Integer>(low | (high << 8)) != 0 ? 1 : 0;
    }
    return flags;
}

bool writeSettingRecord(const std::filesystem::path& file, const InfoFlags& infoFlags, bool radioStunned,
                        bool radioKilled)
{
    std::string record;
    for (model::Integer flag : infoFlags) {
        putInteger(record, flag);
    }
    putInteger(record, 0);
    putInteger(record, 0);
    putInteger(record, 0);
    putInteger(record, radioStunned ? 1 : 0);
    putInteger(record, radioKilled ? 1 : 0);
    std::error_code ec;
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), ec);
    }
    return model::writeFileAtomically(file, record);
}

void initialiseStartupValues(AppState& state, bool systemLocaleIsChinesePrc)
{
    state.language = model::startupLanguageState(systemLocaleIsChinesePrc);
    model::CurrentModel& current = state.model.currentModel;
    current.currentModelName = std::string(model::kOwnModelName);
    current.currentModelCode = std::string(model::kOwnModelCode);
    current.currentBand = std::string(model::kUhfBandText);
    current.programVersion = "Z300";
    model::updateBandLimits(current);
}

void loadSetupFile(AppState& state, const SettingsPaths& paths, const StartupPortCheck& portCheck)
{
    const std::filesystem::path file = paths.setupFile();
    const SetupFileValues values = readSetupFile(file);
    state.isFirstRun = values.isFirstRun;
    state.comPort = portCheck ? portCheck(values.comPort) : values.comPort;
    if (values.isFirstRun || !values.complete) {
        model::writeIniString(file, kSetupSection, "IsFirstRun", "0");
    }
    writeComPort(file, state.comPort);
}

void loadSettingRecord(AppState& state, const SettingsPaths& paths)
{
    const InfoFlags flags = readSettingRecord(paths.settingRecordFile());
    std::copy(flags.begin(), flags.end(), state.model.radioInfo.infoFlags.begin());
}

} // namespace corvane::app
