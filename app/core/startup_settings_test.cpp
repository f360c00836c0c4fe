#include "app/core/startup_settings.h"
#include "model/profile_file.h"
#include "model/safe_file.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace corvane::app {
namespace {

class StartupSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = std::filesystem::temp_directory_path() /
                 ("corvane-startup-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(m_root);
        m_paths = {m_root / "resources", m_root / "user"};
        std::filesystem::create_directories(m_paths.resourceFolder / "language");
    }
    void TearDown() override { std::filesystem::remove_all(m_root); }

    std::string setup(const char* key) { return model::readIniString(m_paths.setupFile(), "language", key); }

    std::filesystem::path m_root;
    SettingsPaths m_paths;
    AppState m_state;
};

TEST_F(StartupSettingsTest, MissingSetupFileStartsWithNoPortAndCreatesTheFile)
{
    loadSetupFile(m_state, m_paths, {});
    EXPECT_FALSE(m_state.isFirstRun);
    EXPECT_EQ(m_state.comPort, "");
    EXPECT_EQ(setup("comPort"), "0");
    EXPECT_EQ(setup("IsFirstRun"), "0");
}

TEST_F(StartupSettingsTest, ReadsKeysAndClearsFirstRun)
{
    struct Case
    {
        const char* isFirstRun;
        const char* comPort;
        bool firstRun;
        std::string port;
        const char* isFirstRunAfter; // true or unreadable: rewritten as "0"
    };
    const Case cases[] = {
        {"1", "3", true, "3", "0"},          {"True", "12", true, "12", "0"}, {"False", "0", false, "", "False"},
        {"0", "ttyUSB0", false, "ttyUSB0", "0"}, {"yes", "COM 3", false, "", "0"}, {"", "-4", false, "", "0"},
        {"0", "99999", false, "", "0"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(m_paths.userFolder);
        model::writeIniString(m_paths.setupFile(), "language", "IsFirstRun", c.isFirstRun);
        model::writeIniString(m_paths.setupFile(), "language", "comPort", c.comPort);
        const SetupFileValues values = readSetupFile(m_paths.setupFile());
        EXPECT_EQ(values.isFirstRun, c.firstRun) << c.isFirstRun;
        EXPECT_EQ(values.comPort, c.port) << c.comPort;
        loadSetupFile(m_state, m_paths, {});
        EXPECT_EQ(setup("IsFirstRun"), c.isFirstRunAfter) << c.isFirstRun;
    }
}

TEST_F(StartupSettingsTest, PortCheckResultIsWrittenBack)
{
    model::writeIniString(m_paths.setupFile(), "language", "comPort", "7");
    loadSetupFile(m_state, m_paths, [](const std::string& configured) {
        EXPECT_EQ(configured, "7");
        return std::string("1");
    });
    EXPECT_EQ(m_state.comPort, "1");
    EXPECT_EQ(setup("comPort"), "1");
}

TEST_F(StartupSettingsTest, UserFilesAreSeededFromTheResourceFolderOnce)
{
    model::writeIniString(m_paths.resourceFolder / "language" / "mysetup.ini", "language", "comPort", "5");
    seedUserFiles(m_paths);
    EXPECT_EQ(setup("comPort"), "5");
    model::writeIniString(m_paths.setupFile(), "language", "comPort", "6");
    seedUserFiles(m_paths);
    EXPECT_EQ(setup("comPort"), "6");
}

TEST_F(StartupSettingsTest, SettingRecordRoundTrip)
{
    const auto file = m_paths.settingRecordFile();
    EXPECT_EQ(readSettingRecord(file), (InfoFlags{0, 0, 0}));
    ASSERT_TRUE(writeSettingRecord(file, {1, 0, 1}, true, false));
    EXPECT_EQ(*model::readWholeFile(file), std::string("\1\0\0\0\1\0\0\0\0\0\0\0\1\0\0\0", 16));
    EXPECT_EQ(readSettingRecord(file), (InfoFlags{1, 0, 1}));
    loadSettingRecord(m_state, m_paths);
    EXPECT_EQ(m_state.model.radioInfo.infoFlags, (std::array<model::Integer, 3>{1, 0, 1}));

    model::writeFileAtomically(file, std::string("\1\0\1\0", 4)); // a short record reads as nothing
    EXPECT_EQ(readSettingRecord(file), (InfoFlags{0, 0, 0}));
}

TEST(StartupValues, LanguageAndCurrentModel)
{
    AppState english;
    initialiseStartupValues(english, false);
    EXPECT_EQ(english.language.language, model::Language::English);
    EXPECT_EQ(english.language.languageFile, "english.ini");
    AppState chinese;
    initialiseStartupValues(chinese, true);
    EXPECT_EQ(chinese.language.language, model::Language::Chinese);
    EXPECT_EQ(chinese.language.startupLanguage, model::Language::Chinese);
    EXPECT_EQ(chinese.language.appliedLanguage, model::Language::Chinese);
    EXPECT_EQ(chinese.language.languageFile, "chinese.ini");
    const model::CurrentModel& m = chinese.model.currentModel;
    EXPECT_EQ(m.currentModelName, "ZT740-16");
    EXPECT_EQ(m.currentModelCode, "Z740E");
    EXPECT_EQ(m.currentBand, "400 - 480 MHz");
    EXPECT_EQ(m.programVersion, "Z300");
    EXPECT_EQ(m.bandLowMHz, 400);
    EXPECT_EQ(m.bandHighMHz, 480);
}

} // namespace
} // namespace corvane::app
