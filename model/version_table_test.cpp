#include "model/new_document.h"
#include "model/version_table.h"
#include "testsupport/recording_prompts.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

namespace corvane::model {
namespace {

namespace fs = std::filesystem;
using testing::RecordingPrompts;

TEST(VersionTable, PairsInFileOrder)
{
    const VersionTable table = parseVersionTable(ProfileFile::parse("[Version]\n"
                                                                    "CurrentVersion = Z300 \n"
                                                                    "SoftVersionCount=2\n"
                                                                    "FirmVersionCount=5\n"
                                                                    "[Soft]\n"
                                                                    "Version0=Z300\n"
                                                                    "Version1=V200\n"
                                                                    "[Firm]\n"
                                                                    "Firm0=  Z300V200  \n"
                                                                    "Firm1=Z300Z300\n"
                                                                    "Firm3=V200\n"
                                                                    "Firm4=V200-V150\n"
                                                                    "Firm5=Z300X999\n"));
    EXPECT_EQ(table.currentVersion, "Z300");
    EXPECT_EQ(table.softVersions, (std::vector<std::string>{"Z300", "V200"}));
    // Firm2 is missing; Firm5 lies beyond the count. A short value pairs with itself; a long
    // one gives its first and last four characters.
    EXPECT_EQ(table.firmPairs, (std::vector<FirmPair>{
                                   {"Z300", "V200"}, {"Z300", "Z300"}, {"V200", "V200"}, {"V200", "V150"}}));
    EXPECT_TRUE(versionsCompatible(table, "Z300", "V200"));
    EXPECT_TRUE(versionsCompatible(table, "V200", "V150"));
    EXPECT_FALSE(versionsCompatible(table, "V200", "Z300"));
    EXPECT_FALSE(versionsCompatible(table, "Z300", "X999"));
}

TEST(VersionTable, MissingFileOrBadCountGivesNoPairs)
{
    EXPECT_TRUE(loadVersionTable("/nonexistent/Version.ini").firmPairs.empty());
    for (const char* count : {"abc", "", "-1", "1.5", "2x"}) {
        SCOPED_TRACE(count);
        const VersionTable table = parseVersionTable(ProfileFile::parse(
            std::string("[Version]\nFirmVersionCount=") + count + "\n[Firm]\nFirm0=Z300Z300\n"));
        EXPECT_TRUE(table.firmPairs.empty());
        EXPECT_FALSE(versionsCompatible(table, "Z300", "Z300"));
    }
    EXPECT_EQ(
        parseVersionTable(ProfileFile::parse("[Version]\nFirmVersionCount=99999999999\n")).firmPairs.size(),
        0u);
}

TEST(VersionTable, ShippedTableMakesOurOwnDataCompatible)
{
    const char* resources = std::getenv("CORVANE_RESOURCE_DIR");
    ASSERT_NE(resources, nullptr);
    const VersionTable table = loadVersionTable(versionTableFile(resources));
    EXPECT_EQ(versionTableFile("/res"), fs::path("/res/Version.ini"));
    EXPECT_TRUE(versionsCompatible(table, "Z300", "Z300")); // our files and the virtual radio
    EXPECT_FALSE(versionsCompatible(table, "Z300", "V200"));
    EXPECT_EQ(programVersionFor(table, "V200"), "V200");
}

TEST(VersionTable, QuestionText)
{
    EXPECT_EQ(dottedVersion("V200"), "V2.00");
    EXPECT_EQ(dottedVersion("Z300"), "Z3.00");
    EXPECT_EQ(dottedVersion("A"), "A.");
    const NumberedMessages messages = [](int number) {
        return number == 9060   ? std::string("Data:")
               : number == 9061 ? std::string("Program:")
                                : std::string("Q?");
    };
    EXPECT_EQ(versionQuestion("Z300", "V200", messages), "Q?\r\nData: V2.00\r\nProgram: Z3.00");
    // Missing messages come out empty; the versions are still shown.
    EXPECT_EQ(versionQuestion("Z300", "V200", [](int) { return std::string(); }), "\r\n V2.00\r\n Z3.00");
}

TEST(VersionTable, OnlyPlainFolderNamesAreStarted)
{
    for (const char* name : {"V200", "z300", "2024"}) {
        EXPECT_TRUE(isPlainFolderName(name)) << name;
    }
    for (const char* name : {"", "..", "../x", "a/b", "a\\b", "V2.0", "V 20", "/bin", "V20\xC3\xA9"}) {
        EXPECT_FALSE(isPlainFolderName(name)) << name;
    }
    const VersionTable table{"", {}, {{"../x", "V200"}, {"..", "V200"}, {"a/b", "V200"}, {"V200", "V200"}}};
    EXPECT_EQ(programVersionFor(table, "V200"), "V200");
    EXPECT_EQ(programVersionFor(VersionTable{"", {}, {{"../x", "V200"}}}, "V200"), std::nullopt);
    EXPECT_EQ(handOverProgramFile("/opt/corvane/Z300/Corvane", "V200"),
              fs::path("/opt/corvane/V200/Corvane"));
}

class FakeLauncher : public ProgramLauncher
{
public:
    std::set<fs::path> programs;
    bool starts = true;
    std::vector<std::string>& log;

    explicit FakeLauncher(std::vector<std::string>& events) : log(events) {}
    bool isProgram(const fs::path& file) const override { return programs.count(file) > 0; }
    bool startProgram(const fs::path& file) override
    {
        log.push_back("start " + file.string());
        return starts;
    }
    void endThisProgram() override { log.push_back("end"); }
};

class HandOver : public ::testing::Test
{
protected:
    RecordingPrompts prompts;
    std::vector<std::string> events;
    FakeLauncher launcher{events};
    VersionTable versions{"Z300", {}, {{"Z300", "Z300"}, {"V200", "V200"}}};
    bool saveSucceeds = true;
    ModelState state;
    HandOverContext context{
        prompts,
        Language::English,
        versions,
        [](int number) { return number == 9063 ? std::string("No program.") : std::string("Q"); },
        launcher,
        "/opt/corvane/Z300/Corvane",
        [this] { events.push_back("close port"); },
        [this] {
            events.push_back("save");
            return saveSucceeds;
        }};

    void SetUp() override
    {
        const FixedDateSource dates({2026, 1, 2});
        newDocument(state, {dates, Language::English, {}});
        launcher.programs.insert("/opt/corvane/V200/Corvane");
    }
    void makeUnsavedChange() { state.document.settings.keys[0] = 3; }
};

TEST_F(HandOver, StartsTheOtherVersionAfterClosingThePort)
{
    EXPECT_EQ(handOver("V200", state, context), HandOverResult::Started);
    EXPECT_EQ(events, (std::vector<std::string>{"close port", "start /opt/corvane/V200/Corvane", "end"}));
}

TEST_F(HandOver, NoPairOrNoProgramShowsMessage9063)
{
    prompts.expect("No program.");
    EXPECT_EQ(handOver("X100", state, context), HandOverResult::NoProgram);

    launcher.programs.clear();
    prompts.expect("No program.");
    EXPECT_EQ(handOver("V200", state, context), HandOverResult::NoProgram);

    versions.firmPairs = {{"../.", "V200"}};
    launcher.programs.insert("/opt/V200/Corvane");
    prompts.expect("No program.");
    EXPECT_EQ(handOver("V200", state, context), HandOverResult::NoProgram);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(prompts.shown().back().buttons, MessageButtons::Ok);
}

TEST_F(HandOver, ProgramThatDoesNotStartKeepsThisOneRunning)
{
    launcher.starts = false;
    prompts.expect("No program.");
    EXPECT_EQ(handOver("V200", state, context), HandOverResult::NoProgram);
    EXPECT_EQ(events, (std::vector<std::string>{"close port", "start /opt/corvane/V200/Corvane"}));
}

TEST_F(HandOver, UnsavedChangesAreOfferedForSavingFirst)
{
    struct Case
    {
        MessageAnswer answer;
        bool saveSucceeds;
        HandOverResult result;
        std::vector<std::string> events;
    };
    const std::vector<std::string> started = {"close port", "start /opt/corvane/V200/Corvane", "end"};
    std::vector<std::string> savedThenStarted = started;
    savedThenStarted.insert(savedThenStarted.begin(), "save");
    const Case cases[] = {
        {MessageAnswer::Yes, true, HandOverResult::Started, savedThenStarted},
        {MessageAnswer::Yes, false, HandOverResult::Cancelled, {"save"}},
        {MessageAnswer::No, true, HandOverResult::Started, started},
        {MessageAnswer::Cancel, true, HandOverResult::Cancelled, {}},
    };
    makeUnsavedChange();
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        events.clear();
        saveSucceeds = c.saveSucceeds;
        prompts.expect("File has been modify,save it now?", c.answer);
        EXPECT_EQ(handOver("V200", state, context), c.result);
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(prompts.shown().back().buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Exclamation);
    }
}

TEST_F(HandOver, VersionQuestionNoDeclines)
{
    prompts.expect("Q", MessageAnswer::No);
    EXPECT_EQ(offerHandOver("Z300", "V200", state, context), HandOverResult::Declined);
    EXPECT_TRUE(events.empty());
    prompts.expect("Q", MessageAnswer::Yes);
    EXPECT_EQ(offerHandOver("Z300", "V200", state, context), HandOverResult::Started);
}

} // namespace
} // namespace corvane::model
