// Whole read, write and radio-information operations against the virtual radio on a simulated
// cable, on a manual clock. Each test checks what went over the wire, what the user saw (and when),
// the document and image afterwards, and that the link ends idle with the port closed.

#include "link/operations.h"

#include "link/password.h"
#include "model/document_files.h"
#include "model/memory_image.h"
#include "model/new_document.h"
#include "model/shared_texts.h"
#include "model/test_data_block.h"
#include "simulator/simulated_port.h"
#include "testsupport/recording_operation_prompts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane::link {
namespace {

using namespace std::chrono_literals;
using model::MessageAnswer;
using model::MessageButtons;
using model::MessageIcon;

// ---- the bench ----------------------------------------------------------------------------------

// The simulated port, with the moment of every write the PC made while the port was open.
class TimedPort : public SerialPort
{
public:
    struct Sent
    {
        Milliseconds at;
        Bytes bytes;
    };

    TimedPort(sim::SimulatedPort& inner, const Clock& clock) : m_inner(inner), m_clock(clock) {}

    bool open(const LinkSettings& settings) override { return m_inner.open(settings); }
    void close() override { m_inner.close(); }
    bool isOpen() const override { return m_inner.isOpen(); }
    void write(std::span<const std::uint8_t> bytes) override
    {
        if (m_inner.isOpen()) {
            sent.push_back({m_clock.now(), Bytes(bytes.begin(), bytes.end())});
        }
        m_inner.write(bytes);
    }
    void clearInput() override { m_inner.clearInput(); }
    void clearOutput() override { m_inner.clearOutput(); }
    std::size_t bytesWaiting() const override { return m_inner.bytesWaiting(); }
    Bytes readAll() override { return m_inner.readAll(); }
    void setReceiveThreshold(std::size_t threshold) override { m_inner.setReceiveThreshold(threshold); }
    std::size_t receiveThreshold() const override { return m_inner.receiveThreshold(); }
    void setListener(SerialPortListener* listener) override { m_inner.setListener(listener); }

    std::vector<Sent> sent;

private:
    sim::SimulatedPort& m_inner;
    const Clock& m_clock;
};

class FakeLauncher : public model::ProgramLauncher
{
public:
    bool isProgram(const std::filesystem::path&) const override { return true; }
    bool startProgram(const std::filesystem::path& file) override
    {
        started.push_back(file);
        return true;
    }
    void endThisProgram() override { ended = true; }

    std::vector<std::filesystem::path> started;
    bool ended = false;
};

class TestShell : public OperationShell
{
public:
    TestShell(model::Prompts& prompts, const model::ModelState& state) : m_prompts(prompts), m_state(state)
    {
        versions.firmPairs = {{"Z300", "Z300"}, {"V200", "V200"}};
    }

    std::string portId() override { return port; }
    void commitEditors() override { log("commit editors"); }
    void closeChildWindows() override { log("close child windows"); }
    void showReadDocument() override
    {
        log(std::string("show document ") + m_state.documentFileName +
            (m_state.suppressRangeWarnings ? " quietly" : " with warnings"));
    }
    void showRadioInformation() override { log("show radio information"); }
    model::HandOverContext handOverContext() override
    {
        return model::HandOverContext{m_prompts,
                                      model::Language::English,
                                      versions,
                                      [](int number) { return "Message " + std::to_string(number); },
                                      launcher,
                                      "/opt/corvane/Z300/Corvane",
                                      {},
                                      {}};
    }

    std::string port = "virtual";
    model::VersionTable versions;
    FakeLauncher launcher;
    std::vector<std::string> calls;

private:
    void log(std::string call) { calls.push_back(std::move(call)); }

    model::Prompts& m_prompts;
    const model::ModelState& m_state;
};

const model::FixedDateSource kNewDocumentDate({2026, 1, 1});

// A document as File New makes it without a template: Z740E, 400 - 480 MHz, no channels.
model::ModelState newDocumentState()
{
    model::ModelState state;
    model::newDocument(state, {kNewDocumentDate, model::Language::English, {}});
    model::refreshRadioType(state.document.radioType, state.currentModel);
    model::takeSnapshot(state);
    return state;
}

// Values that differ from every default and from each other, in channels listed out of order.
void putDistinctiveValues(model::ModelState& state)
{
    model::ConfigDocument& doc = state.document;
    struct ChannelValues
    {
        int number;
        const char* rx;
        const char* tx;
        const char* rxTone;
        const char* txTone;
        int power, spacing, busy, pttId, call1;
    };
    const ChannelValues channels[] = {
        {7, "43512500", "44012500", "0885", "FFFF", 0, 0, 1, 2, 3},
        {1, "40000000", "FFFFFFFF", "FFFF", "2712", 1, 1, 2, 1, 0},
        {16, "47999000", "47000000", "8023", "C023", 1, 0, 0, 3, 16},
    };
    for (const ChannelValues& c : channels) {
        const int position = model::appendChannelEntry(doc, static_cast<model::Integer>(c.number), c.rx, c.tx);
        ASSERT_GT(position, 0);
        model::ChannelRecord& record = model::channelAt(doc, position);
        record.rxTone = c.rxTone;
        record.txTone = c.txTone;
        record.txPower = static_cast<model::Integer>(c.power);
        record.spacing = static_cast<model::Integer>(c.spacing);
        record.busyLockout = static_cast<model::Integer>(c.busy);
        record.pttId = static_cast<model::Integer>(c.pttId);
        record.call1 = static_cast<model::Integer>(c.call1);
        record.reverse = 1;
    }
    model::RadioSettings& s = doc.settings;
    s.options.squelchLevel = 7;
    s.options.totTime = 12;
    s.options.voxLevel = 2;
    s.options.voicePrompt = 2;
    s.keys = {3, 12, 255, 7};
    // Priority channels as a radio gives them back (256: none), so a read document packs alike.
    s.scan = {2, 2, 8, 256, 17, 256, 256, 1, 256, 3, 5, 1, 4, 2};
    s.dtmf.stunCode = "1234";
    s.dtmf.killCode = "9876";
    s.dtmf.selfId = "24680";
    s.dtmfMemoryCount = 1;
    s.dtmfMemory[0].number = 5;
    s.dtmfMemory[0].digits = "5551212";
    s.embeddedMessage1 = "CORVANE BENCH";
    s.embeddedMessage2 = "Line two";
    state.flags.bandExtension = 1;
}

// The packed image of a state's document, as a write would send it.
model::RadioImage packedImage(model::ModelState state)
{
    model::fillImageForTransfer(state);
    const model::PackResult result = model::packImage(state);
    EXPECT_TRUE(result.ok()) << model::packProblemText(*result.problem, model::Language::English);
    return state.radioImage;
}

std::string hex3(int value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[(value >> 8) & 0xF], kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

// A frame the PC sent, as a short name: "PROGRAM", "02", "06", "E", "R1E0", "W1A0", "S1".
std::string describe(const Bytes& frame)
{
    if (frame == greetingFrame()) {
        return "PROGRAM";
    }
    if (frame.size() == 1) {
        return frame[0] == kEndCommand ? "E" : hex3(frame[0]).substr(1);
    }
    if (frame.size() == 3 && frame[0] == kSectionEndCommand) {
        return "S" + std::to_string(frame[1]);
    }
    if (frame.size() >= 4 && (frame[0] == kReadCommand || frame[0] == kWriteCommand)) {
        return std::string(1, static_cast<char>(frame[0])) + hex3(frame[1] * 256 + frame[2]);
    }
    return "?";
}

std::vector<std::string> readPlanFrames(bool testMode)
{
    std::vector<std::string> frames{"PROGRAM", "02", "06", "R1E0", "06"};
    if (testMode) {
        frames.insert(frames.end(), {"R1F0", "06"});
    }
    for (int address = 0; address < 0x3A0; address += 16) {
        frames.push_back("R" + hex3(address));
        frames.push_back("06");
    }
    frames.push_back("E");
    return frames;
}

std::vector<std::string> writePlanFrames(bool testMode)
{
    std::vector<std::string> frames{"PROGRAM", "02", "06", "R1E0", "06", "R140", "06"};
    if (testMode) {
        frames.push_back("W1F0");
    }
    for (int address = 0; address < 0x1B0; address += 16) {
        frames.push_back("W" + hex3(address));
    }
    frames.push_back("S1");
    for (int address = 0x200; address < 0x3A0; address += 16) {
        frames.push_back("W" + hex3(address));
    }
    frames.insert(frames.end(), {"S2", "E"});
    return frames;
}

struct Bench
{
    explicit Bench(sim::RadioIdentity identity = {}, sim::RadioFaults faults = {})
        : radio(std::move(identity), std::move(faults))
    {
    }

    // Runs the clock until nothing waits any more.
    void run() { ASSERT_TRUE(clock.runUntilIdle(Milliseconds(600000))); }

    // Starts the command, answers its confirmation with `confirm` (ahead of the messages the
    // test announced) and runs the clock until everything is over.
    void read(MessageAnswer confirm = MessageAnswer::Ok)
    {
        prompts.messages.expectFirst("Read data from radio.\r\nDo you wish continue?", confirm);
        ASSERT_TRUE(ops.startRead());
        run();
    }
    void write(MessageAnswer confirm = MessageAnswer::Ok)
    {
        prompts.messages.expectFirst("Write data to radio.\r\nDo you wish continue?", confirm);
        ASSERT_TRUE(ops.startWrite());
        run();
    }

    std::vector<std::string> frames() const
    {
        std::vector<std::string> out;
        for (const TimedPort::Sent& sent : port.sent) {
            out.push_back(describe(sent.bytes));
        }
        return out;
    }
    std::vector<Milliseconds> greetingTimes() const
    {
        std::vector<Milliseconds> out;
        for (const TimedPort::Sent& sent : port.sent) {
            if (sent.bytes == greetingFrame()) {
                out.push_back(sent.at);
            }
        }
        return out;
    }
    std::vector<std::string> messages() const
    {
        std::vector<std::string> out;
        for (const auto& shown : prompts.messages.shown()) {
            out.push_back(shown.text);
        }
        return out;
    }

    void expectIdle() const
    {
        EXPECT_FALSE(simPort.isOpen()) << "port left open";
        EXPECT_EQ(ops.operation(), LinkOperation::None);
        EXPECT_EQ(session.operationState().readStep, 0);
        EXPECT_EQ(session.operationState().writeStep, 0);
        EXPECT_FALSE(session.replyTimerRunning());
        EXPECT_FALSE(ops.isBusy());
        EXPECT_FALSE(prompts.progressOpen());
        EXPECT_FALSE(clock.hasRunningTimers());
    }

    ManualClock clock;
    sim::VirtualRadio radio;
    sim::SimulatedPort simPort{radio, clock};
    TimedPort port{simPort, clock};
    model::ModelState model = newDocumentState();
    model::LanguageState language;
    RadioLinkState link;
    testing::RecordingOperationPrompts prompts{&clock};
    LinkSession session{port, clock, model.radioImage, prompts};
    TestShell shell{prompts, model};
    RadioOperations ops{model, language, link, session, clock, prompts, shell};
};

sim::RadioIdentity radioWith(std::function<void(sim::RadioIdentity&)> change)
{
    sim::RadioIdentity identity;
    change(identity);
    return identity;
}

sim::RadioFaults faultsWith(std::function<void(sim::RadioFaults&)> change)
{
    sim::RadioFaults faults;
    change(faults);
    return faults;
}

// Frame numbers as the radio counts them in a first attempt (greeting = 1).
constexpr int kReadEndFrame = 5 + 2 * 58 + 1;  // greeting, 02, 06, R1E0, 06, 58 x (R, 06), E
constexpr int kWriteEndFrame = 7 + 53 + 2 + 1; // ... R140, 06, 53 W, two section ends, E

// ---- full read and full write -------------------------------------------------------------------

TEST(RadioOperations, AFullReadBringsTheRadioIntoANewUntitledDocument)
{
    model::ModelState source = newDocumentState();
    putDistinctiveValues(source);
    const model::RadioImage sourceImage = packedImage(source);

    Bench bench;
    auto& memory = bench.radio.memory();
    std::copy(sourceImage.begin(), sourceImage.begin() + 0x1B0, memory.begin());
    std::copy(sourceImage.begin() + 0x200, sourceImage.begin() + 0x3A0, memory.begin() + 0x200);
    std::fill(memory.begin() + 0x3A0, memory.end(), 0x3C);
    std::fill(bench.model.radioImage.begin(), bench.model.radioImage.end(), 0x77);
    bench.model.testData[14] = 99;
    bench.model.documentFileName = "/home/dealer/customer.dat";
    bench.model.isUntitled = false;

    bench.prompts.messages.expect("Read Data Completed.");
    bench.read();

    EXPECT_EQ(bench.frames(), readPlanFrames(false));
    EXPECT_EQ(bench.messages().size(), 2U);
    bench.expectIdle();
    EXPECT_EQ(bench.ops.lastResult(), OperationResult::Succeeded);

    // The image holds the radio's memory, except the test block (left as filled) and what is
    // never transferred (left as it was).
    const model::RadioImage& image = bench.model.radioImage;
    for (std::size_t a = 0; a < model::kImageSize; ++a) {
        const std::uint8_t expected = a >= 0x3A0 ? 0x77 : (a >= 0x1F0 && a < 0x200) ? 0xFF : memory[a];
        ASSERT_EQ(image[a], expected) << "image byte " << a;
    }
    // The test block went into the table instead; entries 14 and 15 have no place in it.
    EXPECT_EQ(bench.model.testData,
              model::decodeTestDataBlock(std::span<const std::uint8_t>(memory).subspan(0x1F0, 16)));

    // The document is the source document: it packs into the very same bytes.
    const model::RadioImage repacked = packedImage(bench.model);
    EXPECT_TRUE(std::equal(repacked.begin(), repacked.begin() + 0x1A0, sourceImage.begin()));
    EXPECT_TRUE(std::equal(repacked.begin() + 0x200, repacked.begin() + 0x3A0, sourceImage.begin() + 0x200));
    EXPECT_EQ(bench.model.document.channelCount, 3);
    EXPECT_EQ(bench.model.document.settings.embeddedMessage1.value(), "CORVANE BENCH");
    EXPECT_EQ(bench.model.document.radioType.modelCode.value(), "Z740E");
    EXPECT_EQ(bench.model.currentModel.currentBand, "400 - 480 MHz");

    EXPECT_EQ(bench.model.documentFileName, "new.dat");
    EXPECT_TRUE(bench.model.isUntitled);
    EXPECT_TRUE(model::documentChanged(bench.model));
    EXPECT_FALSE(bench.model.suppressRangeWarnings);
    EXPECT_EQ(bench.shell.calls, (std::vector<std::string>{"close child windows", "close child windows",
                                                           "show document new.dat quietly"}));

    // The identity values are kept for the checks and for "Setting.ini".
    EXPECT_EQ(bench.link.radioModelCode, "Z740E");
    EXPECT_EQ(bench.link.radioBandCode, 2);
    EXPECT_EQ(bench.link.radioVersion, "Z300");
    EXPECT_FALSE(bench.link.radioKilled);

    // The window opened, followed the blocks and closed before the completion message.
    const auto events = bench.prompts.eventTexts();
    ASSERT_GE(events.size(), 4U);
    EXPECT_EQ(events[1], "progress open Read");
    EXPECT_EQ(events[events.size() - 2], "progress close");
    const auto percents = bench.prompts.percents();
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(percents.front(), 2);  // block 0x010: 16 * 100 / 928 = 1.7
    EXPECT_EQ(percents.back(), 98);  // block 0x390
}

TEST(RadioOperations, AFullWriteSendsThePackedDocumentAndLeavesTheRadiosOwnBlocks)
{
    Bench bench;
    putDistinctiveValues(bench.model);
    model::takeSnapshot(bench.model);
    bench.model.savedFlags = bench.model.flags;
    auto& memory = bench.radio.memory();
    memory[0x14B] = 0x00; // the radio's own "Reset Allowed"
    for (std::size_t a = 0x3A0; a < memory.size(); ++a) {
        memory[a] = static_cast<std::uint8_t>(a * 7);
    }
    const sim::RadioMemory before = memory;
    const model::ConfigDocument document = bench.model.document;

    bench.prompts.messages.expect("Write Data Completed.");
    bench.write();

    EXPECT_EQ(bench.frames(), writePlanFrames(false));
    bench.expectIdle();
    EXPECT_EQ(bench.ops.lastResult(), OperationResult::Succeeded);
    EXPECT_EQ(bench.shell.calls, std::vector<std::string>{"commit editors"});
    // The first greeting waited for the editors' commits.
    EXPECT_EQ(bench.greetingTimes(), std::vector<Milliseconds>{100ms});

    model::RadioImage expected = packedImage(bench.model);
    expected[0x14B] = 0x00;
    const Bytes identity = bench.radio.identityReply();
    for (std::size_t k = 0; k < 12; ++k) {
        if (k != 6) {
            expected[0x1A0 + k] = identity[k];
        }
    }
    for (std::size_t a = 0; a < memory.size(); ++a) {
        const bool sent = a < 0x1B0 || (a >= 0x200 && a < 0x3A0);
        ASSERT_EQ(memory[a], sent ? expected[a] : before[a]) << "radio byte " << a;
    }
    EXPECT_EQ(bench.model.radioImage[0x14B], 0x00);

    // A write changes the image only.
    EXPECT_EQ(bench.model.document, document);
    EXPECT_EQ(bench.model.documentFileName, "new.dat");
    EXPECT_FALSE(model::documentChanged(bench.model));

    // The bar jumps over the information block: 0x1A0 is 45%, 0x200 is 55%.
    const auto percents = bench.prompts.percents();
    const auto at45 = std::find(percents.begin(), percents.end(), 45);
    ASSERT_NE(at45, percents.end());
    ASSERT_NE(at45 + 1, percents.end());
    EXPECT_EQ(*(at45 + 1), 55);
    EXPECT_TRUE(std::adjacent_find(percents.begin(), percents.end(), std::greater_equal<>()) == percents.end())
        << "every shown percentage grows";
    EXPECT_EQ(percents.back(), 98);
}

TEST(RadioOperations, WhatAWriteSendsReadsBackAsTheSameDocument)
{
    Bench bench;
    putDistinctiveValues(bench.model);
    const model::RadioImage written = packedImage(bench.model);
    bench.prompts.messages.expect("Write Data Completed.");
    bench.write();

    bench.model = newDocumentState();
    bench.prompts.messages.expect("Read Data Completed.");
    bench.read();
    model::RadioImage reread = packedImage(bench.model);
    // The radio kept its own "Reset Allowed" byte (0xFF, read back as the fall-back 1).
    EXPECT_EQ(bench.radio.memory()[0x14B], 0xFF);
    reread[0x14B] = written[0x14B];
    EXPECT_TRUE(std::equal(reread.begin(), reread.begin() + 0x1A0, written.begin()));
    EXPECT_TRUE(std::equal(reread.begin() + 0x200, reread.begin() + 0x3A0, written.begin() + 0x200));
    bench.expectIdle();
}

// ---- refusals before anything is sent -----------------------------------------------------------

TEST(RadioOperations, CommandsThatStopBeforeTheFirstGreeting)
{
    struct Case
    {
        const char* name;
        std::function<void(Bench&)> prepare;
        std::function<void(Bench&)> start;
        OperationFailure failure;
    };
    const Case cases[] = {
        {"read declined",
         [](Bench& b) { b.prompts.messages.expect("Read data from radio.", MessageAnswer::Cancel); },
         [](Bench& b) { b.ops.startRead(); }, OperationFailure::Declined},
        {"write declined",
         [](Bench& b) {
             putDistinctiveValues(b.model);
             b.prompts.messages.expect("Write data to radio.", MessageAnswer::Cancel);
         },
         [](Bench& b) { b.ops.startWrite(); }, OperationFailure::Declined},
        {"write without a channel",
         [](Bench& b) { b.prompts.messages.expect("Only when it at least has data of one channel,  can it be writed."); },
         [](Bench& b) { b.ops.startWrite(); }, OperationFailure::NoChannel},
        {"write of a document that cannot be packed",
         [](Bench& b) {
             putDistinctiveValues(b.model);
             b.model.document.channels[0].rxTone = "88.5";
             b.prompts.messages.expect("88.5");
         },
         [](Bench& b) { b.ops.startWrite(); }, OperationFailure::PackingRejected},
        {"no port for a read",
         [](Bench& b) {
             b.shell.port.clear();
             b.prompts.messages.expect("Cannot Open Communication Port.");
         },
         [](Bench& b) { b.ops.startRead(); }, OperationFailure::PortNotOpened},
        {"no port for a write",
         [](Bench& b) {
             putDistinctiveValues(b.model);
             b.shell.port.clear();
             b.prompts.messages.expect("Cannot Open Communication Port.");
         },
         [](Bench& b) { b.ops.startWrite(); }, OperationFailure::PortNotOpened},
        {"no port for an information read",
         [](Bench& b) {
             b.shell.port.clear();
             b.prompts.messages.expect("Cannot Open Communication Port.");
         },
         [](Bench& b) { b.ops.startRadioInfoRead(); }, OperationFailure::PortNotOpened},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench;
        c.prepare(bench);
        const model::ConfigDocument document = bench.model.document;
        const model::RadioImage image = bench.model.radioImage;
        c.start(bench);
        bench.run();
        EXPECT_TRUE(bench.port.sent.empty());
        EXPECT_EQ(bench.model.document, document);
        EXPECT_EQ(bench.model.radioImage, image);
        EXPECT_EQ(bench.ops.lastResult(), OperationResult::NotStarted);
        EXPECT_EQ(bench.ops.lastFailure(), c.failure);
        EXPECT_TRUE(bench.prompts.messages.allAnswered());
        bench.expectIdle();
    }
    // The packing problem is shown as a warning.
    Bench bench;
    putDistinctiveValues(bench.model);
    bench.model.document.channels[0].rxTone = "88.5";
    bench.prompts.messages.expect("88.5");
    bench.ops.startWrite();
    bench.run();
    ASSERT_EQ(bench.prompts.messages.shown().size(), 1U);
    EXPECT_EQ(bench.prompts.messages.shown()[0].icon, MessageIcon::Exclamation);
}

// ---- identity checks ----------------------------------------------------------------------------

TEST(RadioOperations, IdentityChecks)
{
    struct Case
    {
        const char* name;
        sim::RadioIdentity identity;
        bool write;
        std::vector<std::string> messages; // after the confirmation
        MessageIcon icon;                   // of the first of them
        OperationFailure failure;           // None: succeeds
    };
    const Case cases[] = {
        {"earlier model code, read", radioWith([](auto& r) { r.modelCode = "Z740F"; }), false,
         {"Read Data Completed."}, MessageIcon::None, OperationFailure::None},
        {"earlier model code, write", radioWith([](auto& r) { r.modelCode = "Z740F"; }), true,
         {"Write Data Completed."}, MessageIcon::None, OperationFailure::None},
        {"other band, read", radioWith([](auto& r) { r.bandCode = 0; }), false, {"Read Data Completed."},
         MessageIcon::None, OperationFailure::None},
        {"other band, write", radioWith([](auto& r) { r.bandCode = 0; }), true,
         {"Frequency band is different,Overwrite?"}, MessageIcon::Exclamation, OperationFailure::BandMismatch},
        {"killed and stunned", radioWith([](auto& r) { r.killed = r.stunned = true; }), true,
         {"Radio is killed,can't be written!"}, MessageIcon::None, OperationFailure::RadioKilled},
        {"stunned", radioWith([](auto& r) { r.stunned = true; }), true, {"Radio is fainted,can't be written!"},
         MessageIcon::None, OperationFailure::RadioStunned},
        {"killed, read", radioWith([](auto& r) { r.killed = true; }), false, {"Read Data Completed."},
         MessageIcon::None, OperationFailure::None},
        {"other model", radioWith([](auto& r) { r.modelCode = "AB12"; }), true,
         {"Model type is wrong.\r\nPC is ZT740-16\r\nRadio is AB12"}, MessageIcon::None, OperationFailure::ModelMismatch},
        {"other model and band", radioWith([](auto& r) {
             r.modelCode = "AB12";
             r.bandCode = 1;
         }),
         false, {"Model type is wrong.\r\nPC is ZT740-16\r\nRadio is AB12"}, MessageIcon::None, OperationFailure::ModelMismatch},
        {"other version", radioWith([](auto& r) { r.firmwareVersion = "V200"; }), false,
         {"Message 9062\r\nMessage 9060 V2.00\r\nMessage 9061 Z3.00"}, MessageIcon::None, OperationFailure::VersionMismatch},
        {"other version and band, write", radioWith([](auto& r) {
             r.firmwareVersion = "V200";
             r.bandCode = 1;
         }),
         true, {"Message 9062"}, MessageIcon::None, OperationFailure::VersionMismatch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench(c.identity);
        putDistinctiveValues(bench.model);
        model::takeSnapshot(bench.model);
        const model::ConfigDocument document = bench.model.document;
        const sim::RadioMemory memory = bench.radio.memory();
        for (const std::string& message : c.messages) {
            bench.prompts.messages.expect(message, c.messages.front().starts_with("Message") ? MessageAnswer::No
                                                                                              : MessageAnswer::Ok);
        }
        c.write ? bench.write() : bench.read();
        const auto shown = bench.prompts.messages.shown();
        ASSERT_EQ(shown.size(), 1 + c.messages.size());
        EXPECT_EQ(shown[1].icon, c.icon);
        const bool succeeds = c.failure == OperationFailure::None;
        EXPECT_EQ(bench.ops.lastResult(), succeeds ? OperationResult::Succeeded : OperationResult::Failed);
        EXPECT_EQ(bench.ops.lastFailure(), c.failure);
        if (!succeeds) {
            // Refused at the check gate: nothing transferred, the document as it was.
            EXPECT_EQ(bench.frames().back(), "06");
            EXPECT_TRUE(bench.radio.writtenAddresses().empty());
            EXPECT_EQ(bench.model.document, document);
            EXPECT_EQ(bench.radio.memory(), memory);
        }
        bench.expectIdle();
    }
}

TEST(RadioOperations, YesToTheVersionQuestionHandsOverToTheOtherVersion)
{
    Bench bench(radioWith([](auto& r) { r.firmwareVersion = "V200"; }));
    bench.prompts.messages.expect("Message 9062", MessageAnswer::Yes);
    bench.read();
    ASSERT_EQ(bench.shell.launcher.started.size(), 1U);
    EXPECT_EQ(bench.shell.launcher.started[0], std::filesystem::path("/opt/corvane/V200/Corvane"));
    EXPECT_TRUE(bench.shell.launcher.ended);
    EXPECT_EQ(bench.ops.lastResult(), OperationResult::Failed);
    EXPECT_EQ(bench.ops.lastFailure(), OperationFailure::VersionMismatch);
    bench.expectIdle();
}

// ---- timeouts and retries -----------------------------------------------------------------------

TEST(RadioOperations, ASilentRadioGetsThreeGreetingsThenTheRetryQuestion)
{
    for (const MessageAnswer answer : {MessageAnswer::Ok, MessageAnswer::Cancel}) {
        SCOPED_TRACE(answer == MessageAnswer::Ok ? "retry" : "cancel");
        Bench bench({}, faultsWith([](auto& f) { f.silent = true; }));
        const model::ConfigDocument document = bench.model.document;
        Milliseconds askedAt{-1};
        bool listeningWhileAsked = true;
        bench.prompts.messages.expect("Check Connection. Retry or Cancel?", answer, [&] {
            askedAt = bench.clock.now();
            listeningWhileAsked = bench.session.cursor().listening;
            bench.radio.faults().silent = false; // the user plugs the cable in
        });
        if (answer == MessageAnswer::Ok) {
            bench.prompts.messages.expect("Read Data Completed.");
        }
        bench.read();

        EXPECT_EQ(askedAt, 4500ms);
        EXPECT_FALSE(listeningWhileAsked);
        const auto& question = bench.prompts.messages.shown()[1];
        EXPECT_EQ(question.buttons, MessageButtons::OkCancel);
        EXPECT_EQ(question.icon, MessageIcon::Question);
        const auto greetings = bench.greetingTimes();
        if (answer == MessageAnswer::Ok) {
            EXPECT_EQ(greetings, (std::vector<Milliseconds>{0ms, 1500ms, 3000ms, 4500ms}));
            // The window went back to 0% before the new attempt.
            const auto events = bench.prompts.eventTexts();
            const auto reset = std::find(events.begin(), events.end(), "progress 0%");
            ASSERT_NE(reset, events.end());
            EXPECT_EQ(*(reset - 1), "message Check Connection. Retry or Cancel?");
            EXPECT_EQ(bench.ops.lastResult(), OperationResult::Succeeded);
            EXPECT_EQ(bench.ops.lastFailure(), OperationFailure::None);
        } else {
            EXPECT_EQ(greetings, (std::vector<Milliseconds>{0ms, 1500ms, 3000ms}));
            EXPECT_EQ(bench.model.document, document);
            EXPECT_EQ(bench.ops.lastResult(), OperationResult::Failed);
            EXPECT_EQ(bench.ops.lastFailure(), OperationFailure::NoAnswer);
        }
        bench.expectIdle();
    }
}

TEST(RadioOperations, ALostReplyMidReadRestartsFromTheGreetingWithTheProgressAtZero)
{
    constexpr int kBlock0x100Request = 6 + 2 * 0x10; // R100
    Bench bench({}, faultsWith([](auto& f) { f.lostReplies = {kBlock0x100Request}; }));
    Milliseconds askedAt{0};
    bench.prompts.messages.expect("Check Connection.", MessageAnswer::Ok, [&] { askedAt = bench.clock.now(); });
    bench.prompts.messages.expect("Read Data Completed.");
    bench.read();

    const auto frames = bench.frames();
    const auto second = std::find(frames.begin() + 1, frames.end(), "PROGRAM");
    ASSERT_NE(second, frames.end());
    EXPECT_EQ(*(second - 1), "R100");
    EXPECT_EQ(std::vector<std::string>(second, frames.end()), readPlanFrames(false));
    // The reply timer ran its 1500 ms after the request.
    const auto request = std::find_if(bench.port.sent.begin(), bench.port.sent.end(),
                                      [](const auto& s) { return describe(s.bytes) == "R100"; });
    EXPECT_EQ(askedAt - request->at, 1500ms);
    // Progress: up to the block before, back to 0, then up again from the first block.
    const auto percents = bench.prompts.percents();
    const auto zero = std::find(percents.begin(), percents.end(), 0);
    ASSERT_NE(zero, percents.end());
    EXPECT_EQ(*(zero - 1), transferPercent(0xF0, 0x3A0));
    EXPECT_EQ(*(zero + 1), transferPercent(0x10, 0x3A0));
    bench.expectIdle();
}

TEST(RadioOperations, ALostAcknowledgementOfTheEndFrameIsNoError)
{
    for (const bool write : {false, true}) {
        SCOPED_TRACE(write ? "write" : "read");
        const int endFrame = write ? kWriteEndFrame : kReadEndFrame;
        Bench bench({}, faultsWith([&](auto& f) { f.lostReplies = {endFrame}; }));
        putDistinctiveValues(bench.model);
        Milliseconds shownAt{0};
        bench.prompts.messages.expect(write ? "Write Data Completed." : "Read Data Completed.", MessageAnswer::Ok,
                                      [&] { shownAt = bench.clock.now(); });
        write ? bench.write() : bench.read();
        ASSERT_EQ(bench.frames().back(), "E");
        EXPECT_EQ(shownAt - bench.port.sent.back().at, 1500ms);
        EXPECT_EQ(bench.ops.lastResult(), OperationResult::Succeeded);
        bench.expectIdle();
    }
}

TEST(RadioOperations, ACablePulledMidWriteLeadsToTheRetryQuestion)
{
    constexpr int kPulledAt = 30; // a WriteFrame in the first section
    struct Case
    {
        const char* name;
        std::vector<MessageAnswer> answers; // to each retry question
        bool cableBackForRetry;
        bool completes;
    };
    const Case cases[] = {
        {"retry with the cable back", {MessageAnswer::Ok}, true, true},
        {"cancel", {MessageAnswer::Cancel}, true, false},
        {"retry with the cable still out, then cancel", {MessageAnswer::Ok, MessageAnswer::Cancel}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench({}, faultsWith([&](auto& f) { f.cablePulledAtFrame = kPulledAt; }));
        putDistinctiveValues(bench.model);
        bool portOpenWhileAsked = true;
        for (std::size_t i = 0; i < c.answers.size(); ++i) {
            bench.prompts.messages.expect("Check Connection. Retry or Cancel?", c.answers[i], [&bench, &c, &portOpenWhileAsked, i] {
                portOpenWhileAsked = portOpenWhileAsked && bench.simPort.isOpen();
                bench.simPort.setPluggedIn(c.cableBackForRetry || i > 0);
            });
        }
        if (c.completes) {
            bench.prompts.messages.expect("Write Data Completed.");
        }
        bench.write();
        EXPECT_FALSE(portOpenWhileAsked);
        EXPECT_EQ(bench.ops.lastResult(), c.completes ? OperationResult::Succeeded : OperationResult::Failed);
        EXPECT_EQ(bench.ops.lastFailure(), c.completes ? OperationFailure::None : OperationFailure::NoAnswer);
        if (c.completes) {
            // The whole plan again from the greeting, on the reopened port.
            const auto frames = bench.frames();
            const auto second = std::find(frames.begin() + 1, frames.end(), "PROGRAM");
            ASSERT_NE(second, frames.end());
            EXPECT_EQ(std::vector<std::string>(second, frames.end()), writePlanFrames(false));
            const model::RadioImage expected = packedImage(bench.model);
            EXPECT_TRUE(std::equal(expected.begin() + 0x200, expected.begin() + 0x3A0,
                                   bench.radio.memory().begin() + 0x200));
        }
        bench.expectIdle();
    }
}

// ---- the password -------------------------------------------------------------------------------

TEST(RadioOperations, PasswordCheck)
{
    struct Case
    {
        const char* name;
        std::string radioPassword;   // "" = FF FF FF FF
        std::string entered;         // before the read
        std::vector<std::optional<std::string>> dialog; // answers, in order
        std::vector<std::string> messages;              // after the confirmation
        bool succeeds;
        int attempts;
    };
    const Case cases[] = {
        {"no password", "", "", {}, {"Read Data Completed."}, true, 1},
        {"two characters, entered before", "AB", "AB", {}, {"Read Data Completed."}, true, 1},
        {"wrong, then right in the dialog", "AB", "", {"AB"}, {"Read Data Completed."}, true, 2},
        {"case counts", "ab", "AB", {"ab  "}, {"Read Data Completed."}, true, 2},
        {"wrong twice", "AB", "XY", {"ZZ"}, {"PassWord Failure!"}, false, 1},
        {"cancel ends silently", "AB", "", {std::nullopt}, {}, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench;
        bench.radio.setPassword(c.radioPassword);
        if (!c.radioPassword.empty()) {
            EXPECT_EQ(bench.radio.memory()[0x1EE], 0x00); // two characters + 00 00
        }
        bench.link.enteredPassword = c.entered;
        bool timerStoppedForDialog = true;
        for (const auto& answer : c.dialog) {
            bench.prompts.expectPassword(answer, [&] {
                timerStoppedForDialog = timerStoppedForDialog && !bench.session.replyTimerRunning();
            });
        }
        for (const std::string& message : c.messages) {
            bench.prompts.messages.expect(message);
        }
        const model::ConfigDocument document = bench.model.document;
        bench.read();
        EXPECT_EQ(bench.ops.lastResult(), c.succeeds ? OperationResult::Succeeded : OperationResult::Failed);
        EXPECT_EQ(bench.ops.lastFailure(), c.succeeds ? OperationFailure::None : OperationFailure::PasswordRefused);
        EXPECT_EQ(static_cast<int>(bench.greetingTimes().size()), c.attempts);
        EXPECT_EQ(bench.prompts.messages.shown().size(), 1 + c.messages.size());
        if (!c.dialog.empty()) {
            // The dialog opened with the earlier entry, the reply timer stopped meanwhile.
            const auto events = bench.prompts.eventTexts();
            EXPECT_NE(std::find(events.begin(), events.end(), "password " + c.entered), events.end());
            EXPECT_TRUE(timerStoppedForDialog);
        }
        if (!c.succeeds) {
            EXPECT_EQ(bench.frames().back(), "R1E0");
            EXPECT_EQ(bench.model.document, document);
        }
        bench.expectIdle();
    }
}

TEST(RadioOperations, ThePasswordCommandKeepsTheEntryForTheRun)
{
    Bench bench;
    bench.prompts.expectPassword("12 ");
    bench.ops.showPasswordDialog();
    EXPECT_EQ(bench.link.enteredPassword, "12");
    bench.prompts.expectPassword(std::nullopt);
    bench.ops.showPasswordDialog();
    EXPECT_EQ(bench.link.enteredPassword, "12");
    const auto events = bench.prompts.eventTexts();
    EXPECT_EQ(events, (std::vector<std::string>{"password ", "password 12"}));

    bench.radio.setPassword("12");
    bench.prompts.messages.expect("Read Data Completed.");
    bench.read(); // no dialog
    EXPECT_EQ(bench.ops.lastResult(), OperationResult::Succeeded);
}

TEST(Password, AcceptedAndEntered)
{
    auto block = [](std::initializer_list<std::uint8_t> password) {
        Frame frame{kWriteCommand, 0x01, 0xE0, 16};
        frame.resize(16, '0');
        frame.insert(frame.end(), password);
        return frame;
    };
    EXPECT_TRUE(passwordAccepted(block({0xFF, 0xFF, 0xFF, 0xFF}), ""));
    EXPECT_TRUE(passwordAccepted(block({0xFF, 0xFF, 0xFF, 0xFF}), "1234"));
    EXPECT_TRUE(passwordAccepted(block({'A', 'B', 0x00, 0x00}), "AB"));
    EXPECT_FALSE(passwordAccepted(block({'A', 'B', 0x00, 0x00}), "ab"));
    EXPECT_FALSE(passwordAccepted(block({'A', 'B', 0x00, 0x00}), "ABC"));
    EXPECT_TRUE(passwordAccepted(block({'A', ' ', ' ', ' '}), "A"));
    EXPECT_TRUE(passwordAccepted(block({'9', '9', '9', '9'}), "9999"));

    EXPECT_EQ(passwordFromEntry("AB  "), "AB");
    EXPECT_EQ(passwordFromEntry(std::string("A \0B", 4)), "A");
    EXPECT_EQ(passwordFromEntry("ABCDE"), "ABCD");
    EXPECT_EQ(passwordFromEntry(" A"), " A");
}

// ---- test mode ----------------------------------------------------------------------------------

TEST(RadioOperations, TestModeFetchesTheTestBlockFirstAndSendsItFirst)
{
    {
        Bench bench;
        bench.model.testModeOn = true;
        bench.prompts.messages.expect("Read Data Completed.");
        bench.read();
        EXPECT_EQ(bench.frames(), readPlanFrames(true));
        EXPECT_EQ(bench.model.testData, model::decodeTestDataBlock(
                                            std::span<const std::uint8_t>(bench.radio.memory()).subspan(0x1F0, 16)));
        EXPECT_EQ(bench.model.radioImage[0x1F0], 0xFF);
        bench.expectIdle();
    }
    {
        Bench bench;
        bench.model.testModeOn = true;
        putDistinctiveValues(bench.model);
        bench.model.testData = {0x12, 0x34, 0x56, 0x123, 0x9A, 0xBC, 0xDE, 0xF0, 0x40, 1, 2, 3, 4, 5, 77, 88};
        bench.prompts.messages.expect("Write Data Completed.");
        bench.write();
        EXPECT_EQ(bench.frames(), writePlanFrames(true));
        const model::TestDataBlock block = model::encodeTestDataBlock(bench.model.testData);
        EXPECT_TRUE(std::equal(block.begin(), block.end(), bench.radio.memory().begin() + 0x1F0));
        EXPECT_EQ(bench.port.sent[7].bytes, testDataFrame(block));
        bench.expectIdle();
    }
}

// ---- the radio-information read -----------------------------------------------------------------

TEST(RadioOperations, TheRadioInformationReadFetchesTheInformationBlock)
{
    Bench bench;
    bench.radio.setPassword("77"); // asked for nothing: the block is only information here
    bench.model.radioImage.fill(0x55);
    ASSERT_TRUE(bench.ops.startRadioInfoRead());
    bench.run();
    EXPECT_EQ(bench.frames(), (std::vector<std::string>{"PROGRAM", "02", "06", "R1B0", "06", "R1C0", "06", "R1D0",
                                                        "06", "R1E0", "06", "E"}));
    EXPECT_TRUE(bench.prompts.events().empty()); // no question, no window, no message
    EXPECT_EQ(bench.shell.calls, std::vector<std::string>{"show radio information"});
    EXPECT_EQ(bench.model.radioInfo.infoSerialNumber.value(), "2024010100000001");
    EXPECT_EQ(bench.model.radioInfo.infoModelCode, "Z740E");
    // The identity was neither kept nor copied; the rest of the first half is filled.
    EXPECT_TRUE(bench.link.radioModelCode.empty());
    EXPECT_EQ(bench.model.radioImage[0x1A1], 0xFF);
    EXPECT_EQ(bench.model.radioImage[0x1F0], 0xFF);
    EXPECT_EQ(bench.model.radioImage[0x200], 0x55);
    EXPECT_EQ(bench.model.radioImage[0x1EC], '7');
    EXPECT_EQ(bench.ops.lastResult(), OperationResult::Succeeded);
    bench.expectIdle();
}

TEST(RadioOperations, TheRadioInformationReadEndsWhereTheReadWouldAsk)
{
    struct Case
    {
        const char* name;
        sim::RadioFaults faults;
        std::vector<std::pair<std::string, MessageButtons>> messages;
        std::vector<Milliseconds> greetings;
    };
    const Case cases[] = {
        {"silent radio", faultsWith([](auto& f) { f.silent = true; }),
         {{"Check Connection. Retry or Cancel?", MessageButtons::Ok}}, {0ms, 1500ms, 3000ms}},
        {"identity lost", faultsWith([](auto& f) { f.lostReplies = {2}; }),
         {{"Check Connection. Retry or Cancel?", MessageButtons::Ok}}, {0ms}},
        {"acknowledgement after a block lost", faultsWith([](auto& f) { f.lostReplies = {5}; }),
         {{"Check Connection. Retry or Cancel?", MessageButtons::Ok}}, {0ms}},
        {"block lost: the retry question", faultsWith([](auto& f) { f.lostReplies = {4}; }),
         {{"Check Connection. Retry or Cancel?", MessageButtons::OkCancel}}, {0ms}},
        {"end frame not acknowledged", faultsWith([](auto& f) { f.lostReplies = {12}; }), {}, {0ms}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench({}, c.faults);
        for (const auto& message : c.messages) {
            bench.prompts.messages.expect(message.first, MessageAnswer::Cancel);
        }
        ASSERT_TRUE(bench.ops.startRadioInfoRead());
        bench.run();
        ASSERT_EQ(bench.prompts.messages.shown().size(), c.messages.size());
        for (std::size_t i = 0; i < c.messages.size(); ++i) {
            EXPECT_EQ(bench.prompts.messages.shown()[i].buttons, c.messages[i].second);
        }
        EXPECT_EQ(bench.greetingTimes(), c.greetings);
        EXPECT_EQ(bench.ops.lastResult(), c.messages.empty() ? OperationResult::Succeeded : OperationResult::Failed);
        EXPECT_EQ(bench.ops.lastFailure(), c.messages.empty() ? OperationFailure::None : OperationFailure::NoAnswer);
        EXPECT_EQ(bench.shell.calls.size(), c.messages.empty() ? 1U : 0U);
        bench.expectIdle();
    }
}

// ---- one operation at a time --------------------------------------------------------------------

TEST(RadioOperations, ASecondCommandWhileOneRunsIsRefusedWithoutTouchingIt)
{
    Bench bench;
    ASSERT_TRUE(bench.ops.startRadioInfoRead());
    bench.clock.advance(30ms); // a few exchanges in
    ASSERT_EQ(bench.ops.operation(), LinkOperation::RadioInfoRead);
    const auto cursor = bench.session.cursor().currentAddress;
    const auto step = bench.session.operationState().readStep;
    const auto sentSoFar = bench.port.sent.size();
    EXPECT_FALSE(bench.ops.startRead());
    EXPECT_FALSE(bench.ops.startWrite());
    EXPECT_FALSE(bench.ops.startRadioInfoRead());
    EXPECT_EQ(bench.session.cursor().currentAddress, cursor);
    EXPECT_EQ(bench.session.operationState().readStep, step);
    EXPECT_EQ(bench.port.sent.size(), sentSoFar);
    EXPECT_TRUE(bench.simPort.isOpen());
    bench.run();
    EXPECT_EQ(bench.ops.lastResult(), OperationResult::Succeeded);
    EXPECT_TRUE(bench.prompts.messages.shown().empty());
    EXPECT_EQ(bench.shell.calls, std::vector<std::string>{"show radio information"});
    bench.expectIdle();

    // A write waiting for its deferred start counts as running.
    putDistinctiveValues(bench.model);
    ASSERT_TRUE(bench.ops.startWrite());
    EXPECT_TRUE(bench.ops.isBusy());
    EXPECT_FALSE(bench.ops.startRead());
    EXPECT_FALSE(bench.ops.startRadioInfoRead());
    bench.prompts.messages.expect("Write data to radio.", MessageAnswer::Cancel);
    bench.run();
    bench.expectIdle();
}

TEST(RadioOperations, TheFailureReasonIsTheLastOperationsOwn)
{
    Bench bench;
    bench.prompts.messages.expect("Only when it at least has data of one channel");
    ASSERT_TRUE(bench.ops.startWrite());
    bench.run();
    EXPECT_EQ(bench.ops.lastFailure(), OperationFailure::NoChannel);

    // A refused command says nothing about the running operation, which then sets its own.
    bench.radio.faults().lostReplies = {2};
    ASSERT_TRUE(bench.ops.startRadioInfoRead());
    EXPECT_FALSE(bench.ops.startRead());
    EXPECT_EQ(bench.ops.lastFailure(), OperationFailure::None);
    bench.prompts.messages.expect("Check Connection. Retry or Cancel?");
    bench.run();
    EXPECT_EQ(bench.ops.lastFailure(), OperationFailure::NoAnswer);

    putDistinctiveValues(bench.model);
    bench.prompts.messages.expect("Write Data Completed.");
    bench.write();
    EXPECT_EQ(bench.ops.lastResult(), OperationResult::Succeeded);
    EXPECT_EQ(bench.ops.lastFailure(), OperationFailure::None);
    bench.expectIdle();
}

TEST(RadioOperations, ResetToIdleEndsARunningOperationQuietly)
{
    Bench bench;
    ASSERT_TRUE(bench.ops.startRadioInfoRead());
    bench.clock.advance(30ms);
    bench.ops.resetToIdle();
    bench.run();
    EXPECT_TRUE(bench.prompts.events().empty());
    bench.expectIdle();
}

TEST(RadioOperations, TransferPercentRoundsHalvesToEven)
{
    EXPECT_EQ(transferPercent(0x1A0, 0x3A0), 45);
    EXPECT_EQ(transferPercent(0x200, 0x3A0), 55);
    EXPECT_EQ(transferPercent(0x390, 0x3A0), 98);
    EXPECT_EQ(transferPercent(0, 0x3A0), 0);
    EXPECT_EQ(transferPercent(1, 8), 12);  // 12.5
    EXPECT_EQ(transferPercent(3, 8), 38);  // 37.5
    EXPECT_EQ(transferPercent(1, 200), 0); // 0.5
    EXPECT_EQ(transferPercent(3, 200), 2); // 1.5
}

} // namespace
} // namespace corvane::link
