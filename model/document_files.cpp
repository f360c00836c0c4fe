#include "model/document_files.h"

#include "model/companion_files.h"
#include "model/data_file.h"
#include "model/model_band.h"
#include "model/safe_file.h"
#include "model/shared_texts.h"

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>

namespace corvane::model {

namespace {

void showOk(Prompts& prompts, std::string_view text)
{
    prompts.showMessage(std::string(text), MessageButtons::Ok, MessageIcon::None);
}

// The companion file names of a data file; a companion whose name would be the data file
// itself (a data file named "radio.NVD" or "radio.ted") is left out rather than overwriting it.
std::optional<std::string> companionName(std::optional<std::string> name, const std::string& dataFile)
{
    if (name && *name == dataFile) {
        return std::nullopt;
    }
    return name;
}

struct Companions
{
    RadioFlags flags;
    TestDataTable testData{};
};

// The flags file gives 0, 0, 0 unless it is exactly 6 bytes; a missing test-data file leaves
// the saved table as it was.
Companions readCompanions(const ModelState& state, const std::string& dataFile)
{
    Companions companions{RadioFlags{}, state.savedTestData};
    if (const auto flags = companionName(flagsFileName(dataFile), dataFile)) {
        companions.flags = readFlagsFile(*flags);
    }
    if (state.testModeOn) {
        if (const auto testData = companionName(testDataFileName(dataFile), dataFile)) {
            loadTestDataFile(*testData, companions.testData);
        }
    }
    return companions;
}

class RangeWarningsSuppressed
{
public:
    explicit RangeWarningsSuppressed(ModelState& state)
        : m_state(state), m_before(state.suppressRangeWarnings)
    {
        m_state.suppressRangeWarnings = true;
    }
    ~RangeWarningsSuppressed() { m_state.suppressRangeWarnings = m_before; }
    RangeWarningsSuppressed(const RangeWarningsSuppressed&) = delete;
    RangeWarningsSuppressed& operator=(const RangeWarningsSuppressed&) = delete;

private:
    ModelState& m_state;
    bool m_before;
};

// Makes a checked record the document, with its companion values as the saved copies. An opened
// file always sets the test-data table from its saved copy; a template only in test mode.
void takeRecord(ModelState& state, const ConfigDocument& record, const Companions& companions,
                bool takeTestData)
{
    state.savedDocument = record;
    state.savedFlags = companions.flags;
    state.savedTestData = companions.testData;
    state.flags = state.savedFlags;
    if (takeTestData) {
        state.testData = state.savedTestData;
    }
    restoreFromSnapshot(state);
}

// The saved copies as a save takes them, without writing anything.
void takeSavedCopies(ModelState& state)
{
    if (state.testModeOn) {
        state.savedTestData = state.testData;
    }
    state.savedFlags = state.flags;
    refreshRadioType(state.document.radioType, state.currentModel);
    takeSnapshot(state);
}

enum class TemplateRead { Loaded, Unreadable, Refused };

TemplateRead readTemplate(const std::filesystem::path& file, Prompts& prompts, Language language,
                          ConfigDocument& record)
{
    const auto size = regularFileSize(file);
    if (!size) {
        return TemplateRead::Unreadable;
    }
    if (*size != kDataFileSize) {
        showOk(prompts, pick(texts::kFileVersionError, language));
        return TemplateRead::Refused;
    }
    const auto bytes = readWholeFile(file);
    if (!bytes) {
        return TemplateRead::Unreadable;
    }
    const ParsedDocument parsed = parseDocument(*bytes);
    if (parsed.problem == DataFileProblem::WrongLength) {
        showOk(prompts, pick(texts::kFileVersionError, language));
        return TemplateRead::Refused;
    }
    if (!parsed.ok()) {
        showOk(prompts, pick(texts::kFileError, language));
        return TemplateRead::Refused;
    }
    record = parsed.document;
    return TemplateRead::Loaded;
}

// The listed entries of two lists are the same, whatever their order. Each entry is matched with
// an equal, not yet matched entry of the saved list; an entry's number is one of its fields, so
// with unique numbers this is the look-up by number, and lists with repeated numbers (fleet rows
// and spare numbers are taken as stored) still compare exactly.
template <typename Entries>
bool sameEntries(int count, int savedCount, const Entries& current, const Entries& saved)
{
    if (count != savedCount) {
        return false;
    }
    const auto n = static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(current.size())));
    std::array<bool, std::tuple_size_v<Entries>> matched{};
    for (std::size_t i = 0; i < n; ++i) {
        bool found = false;
        for (std::size_t j = 0; j < n && !found; ++j) {
            if (!matched[j] && saved[j] == current[i]) {
                matched[j] = true;
                found = true;
            }
        }
        if (!found) {
            return false;
        }
    }
    return true;
}

DtmfSettings withTrimmedCodes(DtmfSettings dtmf)
{
    dtmf.botCode = dtmf.botCode.value();
    dtmf.eotCode = dtmf.eotCode.value();
    return dtmf;
}

} // namespace

OpenResult openDocumentFile(ModelState& state, const std::string& path, HandOverContext& context,
                            const std::function<void()>& showDocument)
{
    Prompts& prompts = context.prompts;
    const Language language = context.language;
    auto refuse = [&](std::string_view text) {
        showOk(prompts, text);
        return OpenResult::Refused;
    };

    const std::filesystem::path file(path);
    const auto size = regularFileSize(file);
    if (!size) {
        return refuse(pick(texts::kFileError, language));
    }
    if (*size != kDataFileSize) {
        return refuse(pick(texts::kFileVersionError, language));
    }
    const auto bytes = readWholeFile(file);
    if (!bytes) {
        return refuse(pick(texts::kFileError, language));
    }
    const auto record = decodeDocument(*bytes);
    if (!record) {
        return refuse(pick(texts::kFileVersionError, language)); // the file changed under us
    }
    const auto dataVersion = dataVersionForModelCode(record->radioType.modelCode.value());
    if (!dataVersion) {
        return refuse(texts::kModelError);
    }
    if (findInconsistency(*record)) {
        return refuse(pick(texts::kFileError, language));
    }

    const std::string& programVersion = state.currentModel.programVersion;
    if (!versionsCompatible(context.versions, programVersion, *dataVersion) &&
        offerHandOver(programVersion, *dataVersion, state, context) == HandOverResult::Started) {
        return OpenResult::HandedOver;
    }

    const Companions companions = readCompanions(state, path);
    RangeWarningsSuppressed quiet(state);
    takeRecord(state, *record, companions, true);
    state.documentFileName = path;
    state.isUntitled = false;
    if (showDocument) {
        showDocument();
    }
    return OpenResult::Opened;
}

bool saveDocumentFile(ModelState& state, const std::string& path, Prompts& prompts, Language language)
{
    // The record carries the current model's radio type; the document takes it, and the saved
    // copies are taken, only once the record is on disk, so a failed save changes nothing and
    // keeps counting as unsaved.
    ConfigDocument record = state.document;
    refreshRadioType(record.radioType, state.currentModel);
    if (!writeFileAtomically(std::filesystem::path(path), serializeDocument(record))) {
        showOk(prompts, pick(texts::kFileError, language));
        return false;
    }
    takeSavedCopies(state);

    if (const auto flags = companionName(flagsFileName(path), path)) {
        writeFlagsFile(*flags, state.savedFlags); // a failure here is not worth a message
    }
    if (state.testModeOn) {
        if (const auto testData = companionName(testDataFileName(path), path)) {
            saveTestDataFile(*testData, state.savedTestData);
        }
    }
    state.documentFileName = path;
    state.isUntitled = false;
    return true;
}

std::string templateFileName(const CurrentModel& model)
{
    const Integer band = bandCodeForText(model.currentBand); // always 0..2
    return model.currentModelCode + "_" + std::string(1, static_cast<char>('0' + band)) + ".dat";
}

void loadTemplate(ModelState& state, const std::filesystem::path& folder, Prompts& prompts, Language language)
{
    ConfigDocument record;
    const std::filesystem::path candidate = folder / templateFileName(state.currentModel);
    const bool candidateExists = regularFileSize(candidate).has_value();
    const std::filesystem::path file = candidateExists ? candidate : folder / kFallbackTemplateName;

    if (readTemplate(file, prompts, language, record) != TemplateRead::Loaded) {
        takeSavedCopies(state);
        return;
    }
    if (!candidateExists) {
        // The fallback lends its settings only.
        refreshRadioType(record.radioType, state.currentModel);
        record.channelCount = 0;
    }
    takeRecord(state, record, readCompanions(state, file.string()), state.testModeOn);
}

ConfigDocument shippedTemplate(Integer bandIndex)
{
    // The radio information and the flags are not part of the record; the date does not matter.
    const FixedDateSource dates({2000, 1, 1});
    ModelState state;
    newDocument(state, {dates, Language::English, {}});
    state.document.radioType.modelCode = kOwnModelCode;
    state.document.radioType.bandIndex = bandIndex;
    return state.document;
}

TemplateLoader makeTemplateLoader(std::filesystem::path folder, Prompts& prompts,
                                  const LanguageState& language)
{
    return [folder = std::move(folder), &prompts, &language](ModelState& state) {
        loadTemplate(state, folder, prompts, language.language);
    };
}

bool documentChanged(const ModelState& state)
{
    const ConfigDocument& doc = state.document;
    const ConfigDocument& saved = state.savedDocument;
    const RadioSettings& s = doc.settings;
    const RadioSettings& t = saved.settings;

    const bool unchanged = sameEntries(doc.channelCount, saved.channelCount, doc.channels, saved.channels) &&
                           sameEntries(s.dtmfMemoryCount, t.dtmfMemoryCount, s.dtmfMemory, t.dtmfMemory) &&
                           sameEntries(s.fleetListCount, t.fleetListCount, s.fleetList, t.fleetList) &&
                           sameEntries(s.spareListCount, t.spareListCount, s.spareList, t.spareList) &&
                           doc.radioType == saved.radioType && s.embeddedMessage1 == t.embeddedMessage1 &&
                           s.embeddedMessage2 == t.embeddedMessage2 && s.options == t.options &&
                           s.keys == t.keys && s.scan == t.scan &&
                           withTrimmedCodes(s.dtmf) == withTrimmedCodes(t.dtmf) && s.fleetSig == t.fleetSig &&
                           state.flags == state.savedFlags &&
                           (!state.testModeOn || state.testData == state.savedTestData);
    return !unchanged;
}

void markUntitled(ModelState& state)
{
    state.documentFileName = std::string(kUntitledFileName);
    state.isUntitled = true;
}

} // namespace corvane::model
