#include "model/companion_files.h"
#include "model/data_file.h"
#include "model/document_files.h"
#include "model/safe_file.h"
#include "testsupport/recording_prompts.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sys/resource.h>

namespace corvane::model {
namespace {

namespace fs = std::filesystem;
using testing::RecordingPrompts;

const FixedDateSource kDates({2026, 3, 9});

class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "corvane-files-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string file(std::string_view name) const { return (m_path / name).string(); }
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

void writeBytes(const std::string& file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string bytesOf(const std::string& file)
{
    return readWholeFile(file).value_or("<missing>");
}

std::string integers(std::initializer_list<int> values)
{
    std::string out;
    for (const int v : values) {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>((v >> 8) & 0xFF);
    }
    return out;
}

ModelState newState()
{
    ModelState state;
    newDocument(state, {kDates, Language::English, {}});
    return state;
}

// A sound document of band 1 with two channels and a DTMF memory.
ConfigDocument sampleDocument()
{
    ModelState state = newState();
    ConfigDocument& d = state.document;
    appendChannelEntry(d, 7, "15212500", "15312500");
    appendChannelEntry(d, 2, "15000000", "FFFFFFFF");
    d.settings.dtmfMemoryCount = 1;
    d.settings.dtmfMemory[0] = {5, std::string_view("123")};
    d.settings.options.totTime = 9;
    d.settings.embeddedMessage1 = "DEALER";
    d.radioType.modelCode = "Z740E";
    d.radioType.bandIndex = 1;
    return d;
}

std::string recordWithModelCode(std::string_view code)
{
    ConfigDocument d = sampleDocument();
    d.radioType.modelCode = code;
    return serializeDocument(d);
}

// Everything a failed open or save must leave alone.
struct Observed
{
    ConfigDocument document;
    ConfigDocument savedDocument;
    RadioFlags flags;
    RadioFlags savedFlags;
    TestDataTable testData;
    TestDataTable savedTestData;
    CurrentModel currentModel;
    std::string documentFileName;
    bool isUntitled;

    friend bool operator==(const Observed&, const Observed&) = default;
};

Observed observe(const ModelState& s)
{
    return {s.document,     s.savedDocument,    s.flags,     s.savedFlags, s.testData, s.savedTestData,
            s.currentModel, s.documentFileName, s.isUntitled};
}

class FakeLauncher : public ProgramLauncher
{
public:
    std::set<fs::path> programs;
    std::vector<std::string>& log;

    explicit FakeLauncher(std::vector<std::string>& events) : log(events) {}
    bool isProgram(const fs::path& file) const override { return programs.count(file) > 0; }
    bool startProgram(const fs::path& file) override
    {
        log.push_back("start " + file.string());
        return true;
    }
    void endThisProgram() override { log.push_back("end"); }
};

std::string fakeMessage(int number)
{
    switch (number) {
    case 9060:
        return "Data version:";
    case 9061:
        return "Program version:";
    case 9062:
        return "Other version?";
    case 9063:
        return "No program.";
    default:
        return {};
    }
}

class DocumentFiles : public ::testing::Test
{
protected:
    ScratchFolder folder;
    RecordingPrompts prompts;
    std::vector<std::string> events;
    FakeLauncher launcher{events};
    VersionTable versions{"Z300", {"Z300"}, {{"Z300", "Z300"}, {"V200", "V200"}}};
    ModelState state = newState();
    HandOverContext context{prompts,
                            Language::English,
                            versions,
                            fakeMessage,
                            launcher,
                            "/opt/corvane/Z300/Corvane",
                            [this] { events.push_back("close port"); },
                            [this] {
                                events.push_back("save");
                                return true;
                            }};

    // An edited document, so that "unchanged" also covers the saved copy and the edits.
    void SetUp() override
    {
        appendChannelEntry(state.document, 1, "43712500", "43712500");
        state.flags.alertEnabled = 1;
    }
};

TEST_F(DocumentFiles, OpenTakesTheRecordAndItsCompanions)
{
    const std::string path = folder.file("radio1.dat");
    const ConfigDocument sample = sampleDocument();
    writeBytes(path, serializeDocument(sample));
    writeBytes(folder.file("radio1.NVD"), integers({1, 0, 1}));
    writeBytes(folder.file("radio1.ted"), integers({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, -1}));
    state.testModeOn = true;

    int shown = 0;
    const OpenResult result = openDocumentFile(state, path, context, [&] {
        ++shown;
        EXPECT_TRUE(state.suppressRangeWarnings);
        EXPECT_EQ(state.documentFileName, path);
    });

    EXPECT_EQ(result, OpenResult::Opened);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(state.suppressRangeWarnings);
    EXPECT_EQ(state.document, sample);
    EXPECT_EQ(state.savedDocument, sample);
    EXPECT_EQ(state.flags, (RadioFlags{1, 0, 1}));
    EXPECT_EQ(state.savedFlags, state.flags);
    EXPECT_EQ(state.testData[15], -1);
    EXPECT_EQ(state.savedTestData, state.testData);
    EXPECT_EQ(state.documentFileName, path);
    EXPECT_FALSE(state.isUntitled);
    EXPECT_EQ(state.currentModel.currentBand, "200 - 260 MHz");
    EXPECT_EQ(state.currentModel.bandLowMHz, 200);
    EXPECT_EQ(state.currentModel.bandHighMHz, 260);
    EXPECT_EQ(state.currentModel.currentModelName, "ZT740-16");
    EXPECT_FALSE(documentChanged(state));
}

TEST_F(DocumentFiles, WrongLengthIsAVersionErrorAndChangesNothing)
{
    const std::string record = recordWithModelCode("Z740E");
    const Observed before = observe(state);
    for (const std::string& bytes : {record.substr(0, 2018), record + "x", std::string()}) {
        SCOPED_TRACE(bytes.size());
        writeBytes(folder.file("short.dat"), bytes);
        prompts.expect("file version error.");
        EXPECT_EQ(openDocumentFile(state, folder.file("short.dat"), context), OpenResult::Refused);
        EXPECT_EQ(observe(state), before);
    }
    context.language = Language::Chinese;
    prompts.expect("文件版本错误。");
    openDocumentFile(state, folder.file("short.dat"), context);
    EXPECT_EQ(prompts.shown().back().buttons, MessageButtons::Ok);
}

TEST_F(DocumentFiles, UnreadableOrInconsistentFileIsAFileError)
{
    ConfigDocument tooManyChannels = sampleDocument();
    tooManyChannels.channelCount = 17;
    ConfigDocument sameMemoryTwice = sampleDocument();
    sameMemoryTwice.settings.dtmfMemoryCount = 2;
    sameMemoryTwice.settings.dtmfMemory[1] = {5, std::string_view("9")};
    writeBytes(folder.file("counts.dat"), serializeDocument(tooManyChannels));
    writeBytes(folder.file("memories.dat"), serializeDocument(sameMemoryTwice));
    fs::create_directory(folder.path() / "folder.dat");

    const Observed before = observe(state);
    for (const char* name : {"missing.dat", "folder.dat", "counts.dat", "memories.dat"}) {
        SCOPED_TRACE(name);
        prompts.expect("file error.");
        EXPECT_EQ(openDocumentFile(state, folder.file(name), context), OpenResult::Refused);
        EXPECT_EQ(observe(state), before);
    }
    EXPECT_TRUE(documentChanged(state)); // the user's edits still count as unsaved
}

TEST_F(DocumentFiles, UnknownModelCodeIsRefusedWithBothCopiesUnchanged)
{
    writeBytes(folder.file("other.dat"), recordWithModelCode("ABCDE"));
    const Observed before = observe(state);
    prompts.expect("Model Error!");
    EXPECT_EQ(openDocumentFile(state, folder.file("other.dat"), context), OpenResult::Refused);
    EXPECT_EQ(observe(state), before);
    EXPECT_TRUE(documentChanged(state));
}

TEST_F(DocumentFiles, EarlierModelCodeOpensAfterTheVersionQuestion)
{
    writeBytes(folder.file("old.dat"), recordWithModelCode("Z740F"));
    prompts.expect("Other version?\r\nData version: V2.00\r\nProgram version: Z3.00", MessageAnswer::No);
    EXPECT_EQ(openDocumentFile(state, folder.file("old.dat"), context), OpenResult::Opened);
    EXPECT_EQ(prompts.shown().front().buttons, MessageButtons::YesNo);
    EXPECT_EQ(prompts.shown().front().icon, MessageIcon::None);
    EXPECT_EQ(state.document.radioType.modelCode.value(), "Z740F");
    EXPECT_EQ(state.currentModel.currentModelCode, "Z740F");
    EXPECT_TRUE(events.empty());

    // A table that lets this program handle V200 asks nothing.
    versions.firmPairs.push_back({"Z300", "V200"});
    EXPECT_EQ(openDocumentFile(state, folder.file("old.dat"), context), OpenResult::Opened);
}

TEST_F(DocumentFiles, YesToTheVersionQuestionHandsOverAndLeavesTheDocument)
{
    writeBytes(folder.file("old.dat"), recordWithModelCode("Z740F"));
    launcher.programs.insert("/opt/corvane/V200/Corvane");
    const Observed before = observe(state);
    prompts.expect("Other version?", MessageAnswer::Yes);
    prompts.expect("File has been modify,save it now?", MessageAnswer::No);
    EXPECT_EQ(openDocumentFile(state, folder.file("old.dat"), context), OpenResult::HandedOver);
    EXPECT_EQ(observe(state), before);
    EXPECT_EQ(events, (std::vector<std::string>{"close port", "start /opt/corvane/V200/Corvane", "end"}));
}

TEST_F(DocumentFiles, HandOverWithoutProgramStillOpensTheFile)
{
    writeBytes(folder.file("old.dat"), recordWithModelCode("Z740F"));
    prompts.expect("Other version?", MessageAnswer::Yes);
    prompts.expect("No program.");
    EXPECT_EQ(openDocumentFile(state, folder.file("old.dat"), context), OpenResult::Opened);
    EXPECT_EQ(state.currentModel.currentModelCode, "Z740F");
    EXPECT_TRUE(events.empty());
}

TEST_F(DocumentFiles, FlagsFileCountsOnlyWhenExactlySixBytes)
{
    writeBytes(folder.file("radio1.dat"), recordWithModelCode("Z740E"));
    for (const std::string& flags : {integers({1, 1}) + "\x01", integers({1, 1, 1}) + "x", std::string()}) {
        SCOPED_TRACE(flags.size());
        writeBytes(folder.file("radio1.NVD"), flags);
        ASSERT_EQ(openDocumentFile(state, folder.file("radio1.dat"), context), OpenResult::Opened);
        EXPECT_EQ(state.flags, RadioFlags{});
        EXPECT_EQ(state.savedFlags, RadioFlags{});
    }
    fs::remove(folder.file("radio1.NVD"));
    state.flags = {1, 1, 1};
    ASSERT_EQ(openDocumentFile(state, folder.file("radio1.dat"), context), OpenResult::Opened);
    EXPECT_EQ(state.flags, RadioFlags{});
}

TEST_F(DocumentFiles, MissingTestDataFileKeepsTheSavedTable)
{
    state.testModeOn = true;
    state.savedTestData[3] = 0x123;
    state.testData[3] = 0x55;
    writeBytes(folder.file("radio1.dat"), recordWithModelCode("Z740E"));
    ASSERT_EQ(openDocumentFile(state, folder.file("radio1.dat"), context), OpenResult::Opened);
    EXPECT_EQ(state.savedTestData[3], 0x123);
    EXPECT_EQ(state.testData[3], 0x123);
}

TEST_F(DocumentFiles, SaveWritesTheRecordAndItsCompanions)
{
    state.testModeOn = true;
    state.testData[0] = 0x4F;
    state.testData[8] = -2;
    state.flags = {0, 1, 1};
    state.currentModel.currentBand = "136 - 174 MHz";
    const std::string path = folder.file("radio1.dat");

    ASSERT_TRUE(saveDocumentFile(state, path, prompts, Language::English));

    const std::string record = bytesOf(path);
    ASSERT_EQ(record.size(), 2019u);
    EXPECT_EQ(record[999], 0); // the radio type follows the current band before saving
    EXPECT_EQ(record.substr(994, 5), "Z740E");
    EXPECT_EQ(decodeDocument(record), state.document);
    EXPECT_EQ(bytesOf(folder.file("radio1.NVD")), integers({0, 1, 1}));
    EXPECT_EQ(bytesOf(folder.file("radio1.ted")),
              integers({0x4F, 0, 0, 0, 0, 0, 0, 0, -2, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(state.savedDocument, state.document);
    EXPECT_EQ(state.savedFlags, state.flags);
    EXPECT_EQ(state.savedTestData, state.testData);
    EXPECT_EQ(state.documentFileName, path);
    EXPECT_FALSE(state.isUntitled);
    EXPECT_FALSE(documentChanged(state));
}

TEST_F(DocumentFiles, SaveOutsideTestModeWritesNoTestDataFile)
{
    ASSERT_TRUE(saveDocumentFile(state, folder.file("abcdef"), prompts, Language::English));
    EXPECT_EQ(bytesOf(folder.file("abcNVD")).size(), 6u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

// RLIMIT_FSIZE makes every write past the limit fail with EFBIG, for root too: a real
// interrupted write, unlike a read-only folder, which root writes anyway.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_before);
        rlimit limited = m_before;
        limited.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_before{};
    bool m_active = false;
    void (*m_handler)(int) = nullptr;
};

TEST_F(DocumentFiles, InterruptedSaveLeavesThePreviousFileByteIdentical)
{
    const std::string path = folder.file("radio1.dat");
    const std::string previous = recordWithModelCode("Z740E");
    writeBytes(path, previous);
    writeBytes(folder.file("radio1.NVD"), integers({1, 2, 3}));
    state.documentFileName = folder.file("before.dat");
    state.isUntitled = false;
    state.document.settings.options.totTime = 33;
    const Observed before = observe(state);

    {
        FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.active());
        ASSERT_FALSE(writeFileAtomically(folder.file("probe"), std::string(2019, 'x')))
            << "the limit does not bite";
        prompts.expect("file error.");
        EXPECT_FALSE(saveDocumentFile(state, path, prompts, Language::English));
    }

    EXPECT_EQ(bytesOf(path), previous);
    EXPECT_EQ(bytesOf(folder.file("radio1.NVD")), integers({1, 2, 3}));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2)
        << "a temporary file was left behind";
    EXPECT_EQ(observe(state), before);
    EXPECT_TRUE(documentChanged(state)); // still unsaved: the next question must come
}

TEST_F(DocumentFiles, SaveIntoAMissingFolderIsAFileError)
{
    prompts.expect("文件错误。");
    EXPECT_FALSE(saveDocumentFile(state, folder.file("gone/radio1.dat"), prompts, Language::Chinese));
    EXPECT_TRUE(state.isUntitled);
    EXPECT_EQ(state.documentFileName, "new.dat");
}

TEST_F(DocumentFiles, FailedCompanionFileIsIgnored)
{
    fs::create_directory(folder.path() / "radio1.NVD"); // cannot be replaced by a file
    EXPECT_TRUE(saveDocumentFile(state, folder.file("radio1.dat"), prompts, Language::English));
    EXPECT_EQ(bytesOf(folder.file("radio1.dat")).size(), 2019u);
}

TEST_F(DocumentFiles, CompanionNamedLikeTheDataFileIsLeftOut)
{
    state.testModeOn = true;
    for (const char* name : {"radio.NVD", "radio.ted"}) {
        SCOPED_TRACE(name);
        const std::string path = folder.file(name);
        ASSERT_TRUE(saveDocumentFile(state, path, prompts, Language::English));
        EXPECT_EQ(bytesOf(path), serializeDocument(state.document));
        EXPECT_EQ(openDocumentFile(state, path, context), OpenResult::Opened);
    }
}

TEST(CompanionFiles, NamesByCharacterCount)
{
    struct Case
    {
        std::string_view data;
        std::optional<std::string> flags;
        std::optional<std::string> testData;
    };
    const Case cases[] = {
        {"/home/dealer/radio1.dat", "/home/dealer/radio1.NVD", "/home/dealer/radio1.ted"},
        {"abcdef", "abcNVD", "ab.ted"},
        {"/d/\xE7\x94\xB5\xE5\x8F\xB0.dat", "/d/\xE7\x94\xB5\xE5\x8F\xB0.NVD",
         "/d/\xE7\x94\xB5\xE5\x8F\xB0.ted"},
        // 电台一二: whole characters go, never half of one.
        {"/d/\xE7\x94\xB5\xE5\x8F\xB0\xE4\xB8\x80\xE4\xBA\x8C", "/d/\xE7\x94\xB5NVD", "/d/.ted"},
        {"abcd", "aNVD", ".ted"},
        {"abc", "NVD", std::nullopt},
        {"ab", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.data));
        EXPECT_EQ(flagsFileName(c.data), c.flags);
        EXPECT_EQ(testDataFileName(c.data), c.testData);
    }
}

TEST(CompanionFiles, TestDataFileTakesTheFirst32Bytes)
{
    ScratchFolder folder;
    const std::string file = folder.file("bench.ted");
    TestDataTable table{};
    table.fill(7);

    writeBytes(file, std::string(31, '\x01'));
    EXPECT_FALSE(loadTestDataFile(file, table));
    EXPECT_FALSE(loadTestDataFile(folder.file("missing.ted"), table));
    EXPECT_EQ(table[0], 7);

    writeBytes(file, integers({-1, 0x400, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}) + "trailing");
    ASSERT_TRUE(loadTestDataFile(file, table));
    EXPECT_EQ(table[0], -1);
    EXPECT_EQ(table[1], 0x400);
    EXPECT_EQ(table[15], 16);

    ASSERT_TRUE(saveTestDataFile(file, table));
    EXPECT_EQ(bytesOf(file).size(), 32u); // replaced whole, no leftover tail
}

// --- unsaved changes ---------------------------------------------------------------------

struct ChangeCase
{
    const char* name;
    void (*edit)(ModelState&);
    bool changed;
};

class DocumentChanged : public ::testing::TestWithParam<ChangeCase>
{
};

TEST_P(DocumentChanged, ComparesWithTheSavedCopies)
{
    ModelState state = newState();
    ConfigDocument& d = state.document;
    appendChannelEntry(d, 3, "43712500", "43712500");
    appendChannelEntry(d, 9, "44000000", "FFFFFFFF");
    appendChannelEntry(d, 12, "45000000", "45000000");
    d.settings.dtmfMemoryCount = 2;
    d.settings.dtmfMemory[0] = {4, std::string_view("12")};
    d.settings.dtmfMemory[1] = {1, std::string_view("34")};
    d.settings.fleetListCount = 2;
    d.settings.fleetList[0] = {1, 5, 6};
    d.settings.fleetList[1] = {2, 7, 8};
    d.settings.dtmf.botCode = "12";
    takeSnapshot(state);
    state.savedFlags = state.flags;
    ASSERT_FALSE(documentChanged(state));

    GetParam().edit(state);
    EXPECT_EQ(documentChanged(state), GetParam().changed);
}

void swapChannels(ModelState& s)
{
    std::swap(s.document.channels[0], s.document.channels[2]);
}

// A text whose stored bytes differ from the value's padding but whose trimmed value is the same.
template <std::size_t N> void repad(FixedText<N>& text)
{
    std::array<std::uint8_t, N> raw{};
    raw.fill(' ');
    const std::string value = text.value();
    std::copy(value.begin(), value.end(), raw.begin());
    text.setBytes(raw);
}

INSTANTIATE_TEST_SUITE_P(
    DocumentFiles, DocumentChanged,
    ::testing::Values(
        ChangeCase{"callResponse", [](ModelState& s) { s.document.settings.options.callResponse = 3; }, true},
        ChangeCase{"noSignalTailElim",
                   [](ModelState& s) { s.document.settings.options.noSignalTailElim = 1; }, true},
        ChangeCase{"keys3", [](ModelState& s) { s.document.settings.keys[3] = 4; }, true},
        ChangeCase{"scan13", [](ModelState& s) { s.document.settings.scan[13] = 0; }, true},
        ChangeCase{"channelField", [](ModelState& s) { s.document.channels[1].call2 = 1; }, true},
        ChangeCase{"channelNumber", [](ModelState& s) { s.document.channels[1].number = 10; }, true},
        ChangeCase{"channelCount", [](ModelState& s) { s.document.channelCount = 2; }, true},
        ChangeCase{"dtmfMemoryDigits", [](ModelState& s) { s.document.settings.dtmfMemory[1].digits = "35"; },
                   true},
        ChangeCase{"fleetEntry", [](ModelState& s) { s.document.settings.fleetList[1].id = 9; }, true},
        ChangeCase{"spareCount", [](ModelState& s) { s.document.settings.spareListCount = 1; }, true},
        ChangeCase{"band", [](ModelState& s) { s.document.radioType.bandIndex = 1; }, true},
        ChangeCase{"message2", [](ModelState& s) { s.document.settings.embeddedMessage2 = "X"; }, true},
        ChangeCase{"fleetSig", [](ModelState& s) { s.document.settings.fleetSig.ownId = 1; }, true},
        ChangeCase{"stunCodeRepadded", [](ModelState& s) { repad(s.document.settings.dtmf.stunCode); }, true},
        ChangeCase{"bandExtension", [](ModelState& s) { s.flags.bandExtension = 1; }, true},
        ChangeCase{"testDataInTestMode",
                   [](ModelState& s) {
                       s.testModeOn = true;
                       s.testData[2] = 1;
                   },
                   true},
        ChangeCase{"channelsReordered", swapChannels, false},
        ChangeCase{"memoriesReordered",
                   [](ModelState& s) {
                       std::swap(s.document.settings.dtmfMemory[0], s.document.settings.dtmfMemory[1]);
                   },
                   false},
        ChangeCase{"fleetReordered",
                   [](ModelState& s) {
                       std::swap(s.document.settings.fleetList[0], s.document.settings.fleetList[1]);
                   },
                   false},
        ChangeCase{"fleetRowRepeated",
                   [](ModelState& s) { s.document.settings.fleetList[1] = s.document.settings.fleetList[0]; },
                   true},
        ChangeCase{"fleetRowsRepeatedInBoth",
                   [](ModelState& s) {
                       s.document.settings.fleetList[1].row = 1;
                       s.savedDocument.settings.fleetList[1].row = 1;
                   },
                   false},
        ChangeCase{"botCodeRepadded", [](ModelState& s) { repad(s.document.settings.dtmf.botCode); }, false},
        ChangeCase{"eotCodeRepadded", [](ModelState& s) { repad(s.document.settings.dtmf.eotCode); }, false},
        ChangeCase{"leftoverEntry", [](ModelState& s) { s.document.channels[10].rxFreq = "46000000"; },
                   false},
        ChangeCase{"testDataOutsideTestMode", [](ModelState& s) { s.testData[2] = 1; }, false}),
    [](const auto& row) { return std::string(row.param.name); });

// --- templates ---------------------------------------------------------------------------

class Templates : public ::testing::Test
{
protected:
    ScratchFolder folder;
    RecordingPrompts prompts;
    LanguageState language;
    ModelState state;

    void newDocumentWithTemplates()
    {
        newDocument(state, {kDates, Language::English, makeTemplateLoader(folder.path(), prompts, language)});
    }

    static ConfigDocument templateOfBand(Integer band)
    {
        ConfigDocument d = sampleDocument();
        d.radioType.bandIndex = band;
        d.settings.options.squelchLevel = static_cast<Integer>(band + 1);
        return d;
    }
};

TEST_F(Templates, TemplateOfTheCurrentBandIsTheWholeNewDocument)
{
    state.currentModel.currentBand = "136 - 174 MHz";
    writeBytes(folder.file("Z740E_0.dat"), serializeDocument(templateOfBand(0)));
    writeBytes(folder.file("Z740E_0.NVD"), integers({1, 1, 0}));
    writeBytes(folder.file("Z740E_2.dat"), serializeDocument(templateOfBand(2)));

    newDocumentWithTemplates();

    EXPECT_EQ(state.document, templateOfBand(0));
    EXPECT_EQ(state.savedDocument, state.document);
    EXPECT_EQ(state.flags, (RadioFlags{1, 1, 0}));
    EXPECT_EQ(state.savedFlags, state.flags);
    EXPECT_EQ(state.currentModel.currentBand, "136 - 174 MHz");
    EXPECT_TRUE(state.isUntitled);
    EXPECT_EQ(state.documentFileName, "new.dat");
    EXPECT_FALSE(documentChanged(state));
}

TEST_F(Templates, FallbackLendsOnlyItsSettings)
{
    state.currentModel.currentBand = "200 - 260 MHz";
    writeBytes(folder.file("Z740E_2.dat"), serializeDocument(templateOfBand(2)));

    newDocumentWithTemplates();

    EXPECT_EQ(state.document.channelCount, 0);
    EXPECT_EQ(state.document.settings.options.squelchLevel, 3);
    EXPECT_EQ(state.document.settings.embeddedMessage1.value(), "DEALER");
    EXPECT_EQ(state.document.radioType.bandIndex, 1);
    EXPECT_EQ(state.document.radioType.modelCode.value(), "Z740E");
    EXPECT_EQ(state.currentModel.currentBand, "200 - 260 MHz");
    EXPECT_FALSE(documentChanged(state));
}

TEST_F(Templates, NoTemplateKeepsTheDefaultsSilently)
{
    state.currentModel.currentBand = "136 - 174 MHz";
    state.document.radioType.bandIndex = 2; // from an earlier document
    newDocumentWithTemplates();
    EXPECT_EQ(state.document.channelCount, 0);
    EXPECT_EQ(state.document.settings.options.voxDelay, 17);
    EXPECT_EQ(state.document.radioType.bandIndex, 0);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(Templates, BrokenTemplateIsReportedAndSkipped)
{
    ConfigDocument corrupt = templateOfBand(2);
    corrupt.channelCount = -3;
    writeBytes(folder.file("Z740E_2.dat"), serializeDocument(corrupt).substr(0, 2000));
    prompts.expect("file version error.");
    newDocumentWithTemplates();
    EXPECT_EQ(state.document.channelCount, 0);

    writeBytes(folder.file("Z740E_2.dat"), serializeDocument(corrupt));
    prompts.expect("file error.");
    newDocumentWithTemplates();
    EXPECT_EQ(state.document.channelCount, 0);
    EXPECT_EQ(state.document.settings.options.squelchLevel, 4);
}

TEST_F(Templates, TestModeTakesTheTemplatesTestData)
{
    state.testModeOn = true;
    writeBytes(folder.file("Z740E_2.dat"), serializeDocument(templateOfBand(2)));
    writeBytes(folder.file("Z740E_2.ted"), integers({9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5, 6}));
    newDocumentWithTemplates();
    EXPECT_EQ(state.testData[0], 9);
    EXPECT_EQ(state.savedTestData, state.testData);
}

TEST(ShippedTemplates, AreNewDocumentsOfTheirBandWithoutChannels)
{
    const char* resources = std::getenv("CORVANE_RESOURCE_DIR");
    ASSERT_NE(resources, nullptr);
    for (Integer band = 0; band < 3; ++band) {
        SCOPED_TRACE(band);
        const ConfigDocument expected = shippedTemplate(band);
        EXPECT_EQ(expected.channelCount, 0);
        EXPECT_EQ(expected.radioType.bandIndex, band);
        EXPECT_EQ(expected.radioType.modelCode.value(), "Z740E");
        EXPECT_EQ(expected.settings.keys, (std::array<Integer, 4>{255, 1, 255, 255}));
        const std::string name = "Z740E_" + std::string(1, static_cast<char>('0' + band)) + ".dat";
        const ParsedDocument shipped = parseDocument(bytesOf((fs::path(resources) / name).string()));
        ASSERT_TRUE(shipped.ok()) << name;
        EXPECT_EQ(shipped.document, expected);
    }
}

} // namespace
} // namespace corvane::model
