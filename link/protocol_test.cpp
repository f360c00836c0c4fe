#include "link/protocol.h"

#include "testsupport/recording_prompts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::link {
namespace {

using namespace std::chrono_literals;

// A port whose every call is logged and whose incoming bytes the test delivers by hand.
class ScriptedPort : public BufferedSerialPort
{
public:
    bool open(const LinkSettings& settings) override
    {
        log.push_back("open " + settings.portId);
        opened = settings;
        m_open = canOpen;
        return m_open;
    }
    void close() override
    {
        log.push_back("close");
        m_open = false;
    }
    bool isOpen() const override { return m_open; }
    void write(std::span<const std::uint8_t> bytes) override
    {
        log.push_back(m_open ? "write" : "write (closed)");
        if (m_open) {
            writes.emplace_back(bytes.begin(), bytes.end());
        }
    }
    void clearInput() override
    {
        log.push_back("clear input");
        BufferedSerialPort::clearInput();
    }
    void clearOutput() override { log.push_back("clear output"); }
    void setReceiveThreshold(std::size_t threshold) override
    {
        log.push_back("threshold " + std::to_string(threshold));
        BufferedSerialPort::setReceiveThreshold(threshold);
    }

    void arrive(const Bytes& bytes) { received(bytes); }
    void pull()
    {
        m_open = false;
        failed(PortFailure::DeviceVanished);
    }

    bool canOpen = true;
    LinkSettings opened;
    std::vector<std::string> log;
    std::vector<Bytes> writes;

private:
    bool m_open = false;
};

class RecordingListener : public LinkListener
{
public:
    void frameReceived(FrameKind kind, const Frame& frame) override { frames.push_back({kind, frame}); }
    void replyTimeout() override { ++timeouts; }
    void writeProgress(std::int16_t address) override { progress.push_back(address); }
    void portFailed(PortFailure failure) override { failures.push_back(failure); }

    std::vector<std::pair<FrameKind, Frame>> frames;
    int timeouts = 0;
    std::vector<std::int16_t> progress;
    std::vector<PortFailure> failures;
};

Frame dataReply(int address, int length = 16, std::uint8_t fill = 0x5A)
{
    Frame frame{0x57, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF),
                static_cast<std::uint8_t>(length)};
    frame.resize(frame.size() + static_cast<std::size_t>(length), fill);
    return frame;
}

class LinkSessionTest : public ::testing::Test
{
protected:
    LinkSessionTest() { session.setListener(&listener); }

    void openAndGreet()
    {
        ASSERT_TRUE(session.openLink("3", model::Language::English));
        session.sendGreeting();
        port.log.clear();
        port.writes.clear();
    }
    void setStep(LinkOperation operation, std::int16_t step)
    {
        session.operationState().operation = operation;
        (operation == LinkOperation::Write ? session.operationState().writeStep : session.operationState().readStep) =
            step;
    }

    ManualClock clock;
    ScriptedPort port;
    model::RadioImage image{};
    testing::RecordingPrompts prompts;
    LinkSession session{port, clock, image, prompts};
    RecordingListener listener;
};

TEST_F(LinkSessionTest, OpenLinkAppliesTheProgrammingLineSettings)
{
    ASSERT_TRUE(session.openLink("3", model::Language::English));
    EXPECT_EQ(port.opened.portId, "3");
    EXPECT_EQ(port.opened.baudRate, 9600);
    EXPECT_EQ(port.opened.parity, Parity::None);
    EXPECT_EQ(port.opened.dataBits, 8);
    EXPECT_EQ(port.opened.stopBits, 1);
    EXPECT_FALSE(port.opened.handshaking);
    EXPECT_TRUE(port.opened.binaryInput);
    EXPECT_EQ(port.opened.inputLength, 0U);
    EXPECT_EQ(port.receiveThreshold(), 1U);
    EXPECT_EQ(session.cursor().expectedReplyLength, 1);

    // An open port is closed before it is opened again.
    port.log.clear();
    ASSERT_TRUE(session.openLink("ttyUSB0", model::Language::English));
    EXPECT_EQ(port.log.front(), "close");
    EXPECT_EQ(port.log[1], "open ttyUSB0");
}

TEST_F(LinkSessionTest, APortThatCannotBeOpenedIsReportedWithTheErrorIcon)
{
    const struct
    {
        std::string portId;
        bool canOpen;
        model::Language language;
        const char* text;
    } cases[] = {
        {"7", false, model::Language::English, "Cannot Open Communication Port."},
        {"7", false, model::Language::Chinese, "无法打开通信端口。"},
        {"", true, model::Language::English, "Cannot Open Communication Port."}, // no port chosen
    };
    for (const auto& c : cases) {
        port.canOpen = c.canOpen;
        prompts.expect(c.text);
        EXPECT_FALSE(session.openLink(c.portId, c.language));
        ASSERT_FALSE(prompts.shown().empty());
        EXPECT_EQ(prompts.shown().back().text, c.text);
        EXPECT_EQ(prompts.shown().back().icon, model::MessageIcon::Error);
        EXPECT_EQ(prompts.shown().back().buttons, model::MessageButtons::Ok);
        EXPECT_FALSE(session.isLinkOpen());
    }
}

TEST_F(LinkSessionTest, EveryFrameGoesOutWithTheFiveStepSendProcedure)
{
    ASSERT_TRUE(session.openLink("3", model::Language::English));
    port.log.clear();
    EXPECT_FALSE(session.cursor().listening);
    session.sendGreeting();
    EXPECT_TRUE(session.cursor().listening);
    EXPECT_TRUE(session.replyTimerRunning());
    const std::vector<std::string> expected{"threshold 1", "clear output", "clear input", "write"};
    EXPECT_EQ(port.log, expected);

    struct Case
    {
        const char* name;
        std::function<void()> send;
        Frame frame;
        std::size_t replyLength;
    };
    const Case cases[] = {
        {"identity request", [&] { session.sendIdentityRequest(); }, {0x02}, 14},
        {"ack", [&] { session.sendAck(); }, {0x06}, 1},
        {"end", [&] { session.sendEndFrame(); }, {0x45}, 1},
        {"section", [&] { session.sendSectionEnd(2); }, {0x85, 0x02, 0x06}, 1},
        {"password block", [&] { session.sendPasswordBlockRequest(); }, {0x52, 0x01, 0xE0, 0x10}, 20},
        {"reset-allowed block", [&] { session.sendResetAllowedBlockRequest(); }, {0x52, 0x01, 0x40, 0x10}, 20},
        {"test-data request", [&] { session.sendTestDataRequest(); }, {0x52, 0x01, 0xF0, 0x10}, 20},
    };
    for (const Case& c : cases) {
        port.log.clear();
        port.writes.clear();
        c.send();
        const std::vector<std::string> steps{"threshold " + std::to_string(c.replyLength), "clear output",
                                             "clear input", "write"};
        EXPECT_EQ(port.log, steps) << c.name;
        ASSERT_EQ(port.writes.size(), 1U) << c.name;
        EXPECT_EQ(port.writes.front(), c.frame) << c.name;
        EXPECT_EQ(session.cursor().expectedReplyLength, c.replyLength) << c.name;
    }
}

TEST_F(LinkSessionTest, ReplyTimerExpiresAfter1500MsOfVirtualTimeAndRestartsWithEachFrame)
{
    openAndGreet();
    clock.advance(1000ms);
    session.sendIdentityRequest(); // restarts the timer
    clock.advance(1499ms);
    EXPECT_EQ(listener.timeouts, 0);
    clock.advance(1ms);
    EXPECT_EQ(listener.timeouts, 1);
    EXPECT_FALSE(session.replyTimerRunning());
    clock.advance(10000ms);
    EXPECT_EQ(listener.timeouts, 1); // one-shot
}

TEST_F(LinkSessionTest, BytesWaitUntilTheAwaitedLengthIsThere)
{
    openAndGreet();
    setStep(LinkOperation::Read, step::PasswordRead);
    session.sendPasswordBlockRequest();
    port.arrive({0x06}); // a lone 0x06 while 20 bytes are awaited
    EXPECT_TRUE(listener.frames.empty());
    EXPECT_EQ(port.bytesWaiting(), 1U);

    // The next frame clears the stale byte from the input buffer before it goes out.
    session.sendPasswordBlockRequest();
    EXPECT_EQ(port.bytesWaiting(), 0U);
    const Frame block = dataReply(0x1E0);
    port.arrive(Frame(block.begin(), block.begin() + 10));
    EXPECT_TRUE(listener.frames.empty());
    port.arrive(Frame(block.begin() + 10, block.end()));
    ASSERT_EQ(listener.frames.size(), 1U);
    EXPECT_EQ(listener.frames[0].first, FrameKind::PasswordBlock);
    EXPECT_EQ(listener.frames[0].second, block);
    EXPECT_FALSE(session.replyTimerRunning());
}

TEST_F(LinkSessionTest, AStaleByteAheadOfTheReplyMisalignsItAndTheTimerRunsOut)
{
    openAndGreet();
    setStep(LinkOperation::Read, step::PasswordRead);
    session.sendPasswordBlockRequest();
    port.arrive({0x06}); // arrives after the input buffer was cleared
    port.arrive(dataReply(0x1E0));
    EXPECT_TRUE(listener.frames.empty()); // 06 + 19 bytes of the block is no frame
    EXPECT_EQ(port.bytesWaiting(), 0U);   // all waiting bytes were taken, the rest dropped
    EXPECT_TRUE(session.replyTimerRunning());
    clock.advance(kReplyTimeout);
    EXPECT_EQ(listener.timeouts, 1);
}

TEST_F(LinkSessionTest, TheFrameIsTheFirstAwaitedBytesAndTheRestIsDropped)
{
    openAndGreet();
    port.arrive({0x06, 0x06, 0x57});
    ASSERT_EQ(listener.frames.size(), 1U);
    EXPECT_EQ(listener.frames[0].first, FrameKind::Ack);
    EXPECT_EQ(listener.frames[0].second, Frame{0x06});
    EXPECT_EQ(port.bytesWaiting(), 0U);
}

TEST_F(LinkSessionTest, UnrecognisedRepliesAreIgnoredAndLeaveTheTimerRunning)
{
    Frame notIdentity{0x51, 'Z', '7', '4', '0', 'E', 2, 0, 'Z', '3', '0', '0', 0, 0};
    Frame wrongLength = dataReply(0x000, 12);
    wrongLength.resize(20, 0x00); // 20 bytes, length field 12
    const struct
    {
        const char* name;
        std::function<void()> send;
        Frame reply;
    } cases[] = {
        {"14-byte reply not starting with 0x50", [&] { session.sendIdentityRequest(); }, notIdentity},
        {"data reply with the wrong address",
         [&] {
             session.setFullTransferPlan();
             session.sendNextReadRequest(); // 0x000
         },
         dataReply(0x010)},
        {"data reply with the wrong length",
         [&] {
             session.setFullTransferPlan();
             session.sendNextReadRequest();
         },
         wrongLength},
        {"a NAK where an ack is awaited", [&] { session.sendAck(); }, {0x0A}},
    };
    for (const auto& c : cases) {
        listener = {};
        openAndGreet();
        setStep(LinkOperation::Read, step::Transfer);
        c.send();
        clock.advance(100ms);
        port.arrive(c.reply);
        EXPECT_TRUE(listener.frames.empty()) << c.name;
        EXPECT_TRUE(session.replyTimerRunning()) << c.name;
        clock.advance(kReplyTimeout - 100ms - 1ms);
        EXPECT_EQ(listener.timeouts, 0) << c.name;
        clock.advance(1ms);
        EXPECT_EQ(listener.timeouts, 1) << c.name;
    }
}

TEST_F(LinkSessionTest, NothingIsDeliveredWhileNotListening)
{
    openAndGreet();
    session.cursor().listening = false; // the retry question is open
    port.arrive({0x06});
    EXPECT_TRUE(listener.frames.empty());
    EXPECT_EQ(port.bytesWaiting(), 0U); // drained
    EXPECT_TRUE(session.replyTimerRunning());
}

TEST_F(LinkSessionTest, FullReadPlanRequests58BlocksThenReportsTheEnd)
{
    openAndGreet();
    session.setFullTransferPlan();
    EXPECT_EQ(session.cursor().currentAddress, -16);
    std::vector<Frame> requests;
    while (session.sendNextReadRequest() == ReadStepResult::RequestSent) {
        requests.push_back(port.writes.back());
        EXPECT_EQ(session.cursor().expectedReplyLength, 20);
    }
    ASSERT_EQ(requests.size(), 58U);
    EXPECT_EQ(requests.front(), (Frame{0x52, 0x00, 0x00, 0x10}));
    EXPECT_EQ(requests[31], (Frame{0x52, 0x01, 0xF0, 0x10}));
    EXPECT_EQ(requests.back(), (Frame{0x52, 0x03, 0x90, 0x10}));
    EXPECT_EQ(session.cursor().currentAddress, 0x3A0);
    EXPECT_EQ(port.writes.size(), 58U); // the end sends nothing
}

TEST_F(LinkSessionTest, RadioInfoPlanRequestsTheFourInformationBlocks)
{
    openAndGreet();
    session.setRadioInfoPlan();
    std::vector<int> addresses;
    while (session.sendNextReadRequest() == ReadStepResult::RequestSent) {
        addresses.push_back(port.writes.back()[1] * 256 + port.writes.back()[2]);
    }
    EXPECT_EQ(addresses, (std::vector<int>{0x1B0, 0x1C0, 0x1D0, 0x1E0}));
}

TEST_F(LinkSessionTest, FullWritePlanSkipsTheInformationAreaWithTwoSectionEnds)
{
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i ^ (i >> 8));
    }
    openAndGreet();
    session.setFullTransferPlan();
    std::vector<Frame> frames;
    std::vector<WriteStepResult> results;
    for (;;) {
        const WriteStepResult result = session.sendNextWriteStep();
        results.push_back(result);
        if (result == WriteStepResult::EndReached) {
            break;
        }
        frames.push_back(port.writes.back());
        EXPECT_EQ(session.cursor().expectedReplyLength, 1);
    }
    ASSERT_EQ(frames.size(), 27U + 1 + 26 + 1);
    auto addressOf = [](const Frame& f) { return f[1] * 256 + f[2]; };
    // Around 0x1A0 / 0x1B0 / 0x200.
    EXPECT_EQ(frames[26][0], 0x57);
    EXPECT_EQ(addressOf(frames[26]), 0x1A0);
    EXPECT_EQ(frames[27], (Frame{0x85, 0x01, 0x06}));
    EXPECT_EQ(results[27], WriteStepResult::SectionEndSent);
    EXPECT_EQ(addressOf(frames[28]), 0x200);
    // Around 0x390 / the end.
    EXPECT_EQ(addressOf(frames[53]), 0x390);
    EXPECT_EQ((Frame(frames[53].begin(), frames[53].begin() + 4)), (Frame{0x57, 0x03, 0x90, 0x10}));
    EXPECT_EQ(frames[54], (Frame{0x85, 0x02, 0x06}));
    EXPECT_EQ(results[54], WriteStepResult::SectionEndSent);
    // Every write frame carries the image's 16 bytes at its address; nothing of 0x1B0-0x1FF goes.
    for (const Frame& f : frames) {
        if (f[0] != 0x57) {
            continue;
        }
        const int address = addressOf(f);
        EXPECT_TRUE(address < 0x1B0 || (address >= 0x200 && address < 0x3A0)) << address;
        ASSERT_EQ(f.size(), 20U);
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(f[4 + static_cast<std::size_t>(i)], image[static_cast<std::size_t>(address + i)]);
        }
    }
    // The progress update comes before each write frame, with its address.
    ASSERT_EQ(listener.progress.size(), 53U);
    EXPECT_EQ(listener.progress[26], 0x1A0);
    EXPECT_EQ(listener.progress[27], 0x200);
    EXPECT_EQ(listener.progress.back(), 0x390);
    // The end frame is the caller's.
    EXPECT_EQ(port.writes.size(), 55U);
}

TEST_F(LinkSessionTest, StoredDataNeverLandsPastTheLastImageByte)
{
    openAndGreet();
    image.fill(0x00);
    session.cursor().currentAddress = 0x3F8;
    session.storeDataReply(dataReply(0x3F8, 16, 0xAB));
    for (std::size_t a = 0x3F8; a <= 0x3FF; ++a) {
        EXPECT_EQ(image[a], 0xAB) << a;
    }
    EXPECT_EQ(image[0x3F7], 0x00);
    EXPECT_EQ(image[0x000], 0x00); // nothing wrapped around

    session.cursor().currentAddress = 0x120;
    session.storeDataReply(dataReply(0x120, 16, 0x42));
    EXPECT_EQ(image[0x11F], 0x00);
    EXPECT_EQ(image[0x120], 0x42);
    EXPECT_EQ(image[0x12F], 0x42);
    EXPECT_EQ(image[0x130], 0x00);
}

TEST_F(LinkSessionTest, AVanishedPortIsReportedAndTheNextGreetingOpensItAgain)
{
    openAndGreet();
    setStep(LinkOperation::Read, step::Transfer);
    session.setFullTransferPlan();
    session.sendNextReadRequest();
    port.log.clear();
    port.pull();
    ASSERT_EQ(listener.failures.size(), 1U);
    EXPECT_EQ(listener.failures[0], PortFailure::DeviceVanished);
    EXPECT_FALSE(session.isLinkOpen());
    // The operation still gets its timeout, so nothing waits forever.
    clock.advance(kReplyTimeout);
    EXPECT_EQ(listener.timeouts, 1);
    // Frames sent on the closed port go nowhere and do not fail.
    session.sendAck();
    EXPECT_EQ(port.log.back(), "write (closed)");
    // A retry starts with a greeting, which opens the port again.
    port.log.clear();
    session.sendGreeting();
    EXPECT_EQ(port.log.front(), "open 3");
    EXPECT_TRUE(session.isLinkOpen());
    EXPECT_EQ(port.writes.back(), greetingFrame());
}

TEST_F(LinkSessionTest, ClassificationUsesTheOperationAndItsStep)
{
    openAndGreet();
    const Frame block = dataReply(0x1E0);
    // A write waiting for the password block.
    setStep(LinkOperation::Write, step::PasswordRead);
    session.operationState().readStep = step::Transfer; // readStep is not the write's step
    session.sendPasswordBlockRequest();
    port.arrive(block);
    ASSERT_EQ(listener.frames.size(), 1U);
    EXPECT_EQ(listener.frames[0].first, FrameKind::PasswordBlock);
    // The same bytes as the cursor's block in a radio-information read.
    setStep(LinkOperation::RadioInfoRead, step::Transfer);
    session.cursor().currentAddress = 0x1D0;
    session.sendNextReadRequest();
    port.arrive(block);
    ASSERT_EQ(listener.frames.size(), 2U);
    EXPECT_EQ(listener.frames[1].first, FrameKind::Data);
}

} // namespace
} // namespace corvane::link
