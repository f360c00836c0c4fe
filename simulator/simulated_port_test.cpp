#include "simulator/simulated_port.h"

#include "link/protocol.h"
#include "model/safe_file.h"
#include "testsupport/recording_prompts.h"

#include <gtest/gtest.h>

namespace corvane::sim {
namespace {

using namespace std::chrono_literals;
using link::FrameKind;
using link::LinkOperation;
namespace step = link::step;

// The shortest walk through a read and a write that the real step machine makes: the steps and
// frames in order, no identity checks, no questions. Any timeout ends the operation.
class Walk : public link::LinkListener
{
public:
    Walk(link::LinkSession& session, model::RadioImage& radioImage) : image(radioImage), m_session(session)
    {
        m_session.setListener(this);
    }

    void startRead() { start(LinkOperation::Read); }
    void startWrite() { start(LinkOperation::Write); }

    void frameReceived(FrameKind kind, const link::Frame& frame) override
    {
        kinds.push_back(kind);
        auto& state = m_session.operationState();
        const bool write = state.operation == LinkOperation::Write;
        std::int16_t& s = write ? state.writeStep : state.readStep;
        switch (s) {
        case step::Greeting:
            s = step::Identify;
            m_session.sendIdentityRequest();
            break;
        case step::Identify:
            identity = frame;
            s = step::PasswordGate;
            m_session.sendAck();
            break;
        case step::PasswordGate:
            s = step::PasswordRead;
            m_session.sendPasswordBlockRequest();
            break;
        case step::PasswordRead:
            s = write ? step::ResetGate : step::CheckGate;
            m_session.sendAck();
            break;
        case step::ResetGate:
            s = step::ResetAllowedRead;
            m_session.sendResetAllowedBlockRequest();
            break;
        case step::ResetAllowedRead:
            image[0x14B] = frame[15];
            s = step::CheckGate;
            m_session.sendAck();
            break;
        case step::CheckGate:
            s = step::Transfer;
            write ? void(m_session.sendNextWriteStep()) : void(m_session.sendNextReadRequest());
            break;
        case step::Transfer:
            if (write) {
                if (m_session.sendNextWriteStep() == link::WriteStepResult::EndReached) {
                    s = step::Closing;
                    m_session.sendEndFrame();
                }
                break;
            }
            if (kind == FrameKind::Data) {
                m_session.storeDataReply(frame);
            } else {
                testBlock = frame;
            }
            s = step::TransferAck;
            m_session.sendAck();
            break;
        case step::TransferAck:
            if (m_session.sendNextReadRequest() == link::ReadStepResult::EndReached) {
                s = step::Closing;
                m_session.sendEndFrame();
            } else {
                s = step::Transfer;
            }
            break;
        case step::Closing:
            finish(true);
            break;
        default:
            finish(false);
        }
    }
    void replyTimeout() override
    {
        ++timeouts;
        finish(m_session.operationState().readStep == step::Closing ||
               m_session.operationState().writeStep == step::Closing);
    }
    void portFailed(link::PortFailure failure) override { failures.push_back(failure); }

    bool done = false;
    bool succeeded = false;
    int timeouts = 0;
    std::vector<FrameKind> kinds;
    std::vector<link::PortFailure> failures;
    link::Frame identity;
    link::Frame testBlock;
    model::RadioImage& image;

private:
    void start(LinkOperation operation)
    {
        done = succeeded = false;
        m_session.operationState() = {operation, 0, 0};
        m_session.setFullTransferPlan();
        (operation == LinkOperation::Write ? m_session.operationState().writeStep
                                           : m_session.operationState().readStep) = step::Greeting;
        m_session.sendGreeting();
    }
    void finish(bool ok)
    {
        m_session.stopReplyTimer();
        m_session.closeLink();
        m_session.operationState() = {};
        done = true;
        succeeded = ok;
    }

    link::LinkSession& m_session;
};

// A PC with its link session and the walk, and a virtual radio on a simulated cable.
struct Bench
{
    explicit Bench(RadioFaults faults = {}, RadioTiming timing = {}, RadioIdentity identity = {})
        : radio(std::move(identity), std::move(faults), timing)
    {
    }

    void run(bool write)
    {
        ASSERT_TRUE(session.openLink("virtual", model::Language::English));
        write ? walk.startWrite() : walk.startRead();
        ASSERT_TRUE(clock.runUntilIdle());
        EXPECT_TRUE(walk.done);
    }

    link::ManualClock clock;
    VirtualRadio radio;
    SimulatedPort port{radio, clock};
    testing::RecordingPrompts prompts;
    model::RadioImage image{};
    link::LinkSession session{port, clock, image, prompts};
    Walk walk{session, image};
};

TEST(SimulatedPort, AFullReadFetchesTheRadioMemoryButNotItsTestBlock)
{
    for (const std::size_t chunk : {std::size_t{0}, std::size_t{3}}) {
        RadioTiming timing;
        timing.deliveryChunk = chunk; // replies in pieces make the same frames
        Bench bench({}, timing);
        for (std::size_t i = 0; i < kMemorySize; ++i) {
            bench.radio.memory()[i] = static_cast<std::uint8_t>(i * 13 + 1);
        }
        bench.image.fill(0xFF);
        bench.run(false);
        ASSERT_TRUE(bench.walk.succeeded) << chunk;
        EXPECT_EQ(bench.walk.identity, bench.radio.identityReply());
        for (std::size_t a = 0; a < 0x3A0; ++a) {
            const bool testBlock = a >= 0x1F0 && a < 0x200;
            EXPECT_EQ(bench.image[a], testBlock ? 0xFF : bench.radio.memory()[a]) << a;
        }
        ASSERT_EQ(bench.walk.testBlock.size(), 20U);
        EXPECT_TRUE(std::equal(bench.walk.testBlock.begin() + 4, bench.walk.testBlock.end(),
                               bench.radio.memory().begin() + 0x1F0));
        const auto& kinds = bench.walk.kinds;
        EXPECT_EQ(std::count(kinds.begin(), kinds.end(), FrameKind::Data), 57);
        EXPECT_EQ(std::count(kinds.begin(), kinds.end(), FrameKind::TestDataBlock), 1);
        EXPECT_EQ(std::count(kinds.begin(), kinds.end(), FrameKind::PasswordBlock), 1);
        EXPECT_EQ(bench.walk.timeouts, 0);
        EXPECT_EQ(bench.port.writes().back(), link::endFrame());
        EXPECT_EQ(bench.radio.mode(), RadioMode::Idle);
        // At 9600 baud a full read takes seconds, not minutes.
        EXPECT_GT(bench.clock.now(), 2s);
        EXPECT_LT(bench.clock.now(), 10s);
    }
}

TEST(SimulatedPort, AFullWriteLeavesTheInformationAndTestBlocksAlone)
{
    Bench bench;
    const RadioMemory before = bench.radio.memory();
    for (std::size_t i = 0; i < bench.image.size(); ++i) {
        bench.image[i] = static_cast<std::uint8_t>(i * 5 + 3);
    }
    bench.run(true);
    ASSERT_TRUE(bench.walk.succeeded);
    for (std::size_t a = 0; a < kMemorySize; ++a) {
        const bool sent = a < 0x1B0 || (a >= 0x200 && a < 0x3A0);
        // 0x14B goes back as the radio had it: the walk took it from the reset-allowed block.
        const std::uint8_t expected = a == 0x14B ? before[0x14B] : sent ? bench.image[a] : before[a];
        EXPECT_EQ(bench.radio.memory()[a], expected) << a;
    }
    EXPECT_EQ(bench.radio.writtenAddresses().size(), 53U);
    int sectionEnds = 0;
    for (const link::Bytes& frame : bench.radio.frameLog()) {
        sectionEnds += frame.size() == 3 && frame[0] == 0x85 ? 1 : 0;
    }
    EXPECT_EQ(sectionEnds, 2);
}

TEST(SimulatedPort, FaultsEndTheWalkTheWayTheyShould)
{
    struct Case
    {
        const char* name;
        std::function<void(RadioFaults&)> set;
        bool succeeds;
        int timeouts;
        bool cablePulled;
    };
    const Case cases[] = {
        {"silent radio", [](RadioFaults& f) { f.silent = true; }, false, 1, false},
        {"identity reply lost", [](RadioFaults& f) { f.lostReplies = {2}; }, false, 1, false},
        {"identity reply late", [](RadioFaults& f) { f.lateReplies = {2}; }, false, 1, false},
        {"identity reply truncated", [](RadioFaults& f) { f.truncatedReplies = {2}; }, false, 1, false},
        {"garbage before the password block", [](RadioFaults& f) { f.garbageBefore = {4}; }, false, 1, false},
        {"end frame not acknowledged", [](RadioFaults& f) { f.lostReplies = {122}; }, true, 1, false},
        {"cable pulled mid-transfer", [](RadioFaults& f) { f.cablePulledAtFrame = 40; }, false, 1, true},
    };
    for (const Case& c : cases) {
        RadioFaults faults;
        c.set(faults);
        Bench bench(faults);
        bench.run(false);
        EXPECT_EQ(bench.walk.succeeded, c.succeeds) << c.name;
        EXPECT_EQ(bench.walk.timeouts, c.timeouts) << c.name;
        EXPECT_EQ(bench.walk.failures.size(), c.cablePulled ? 1U : 0U) << c.name;
    }
}

TEST(SimulatedPort, TheRadioHearsNoiseAtOtherLineSettings)
{
    Bench bench;
    link::LinkSettings settings;
    settings.baudRate = 4800;
    ASSERT_TRUE(bench.port.open(settings));
    bench.port.write(link::greetingFrame());
    bench.clock.advance(2s);
    EXPECT_EQ(bench.port.bytesWaiting(), 0U);
    EXPECT_EQ(bench.radio.framesReceived(), 0);
}

TEST(SimulatedPort, AnUnpluggedAdapterCannotBeOpened)
{
    Bench bench;
    bench.port.setPluggedIn(false);
    bench.prompts.expect("Cannot Open Communication Port.");
    EXPECT_FALSE(bench.session.openLink("virtual", model::Language::English));
}

TEST(SimulatedPort, TheMemoryIsSavedWhenThePortClosesAfterAWrite)
{
    const auto file = std::filesystem::temp_directory_path() / "corvane-simulated-port-test" / "radio.bin";
    std::filesystem::remove_all(file.parent_path());
    {
        Bench bench;
        bench.port.setMemoryFile(file);
        bench.run(false); // a read changes nothing: no file
        EXPECT_FALSE(std::filesystem::exists(file));
        bench.image.fill(0x42);
        bench.run(true);
        ASSERT_TRUE(std::filesystem::exists(file));
    }
    VirtualRadio reloaded;
    ASSERT_TRUE(reloaded.loadMemory(file));
    EXPECT_EQ(reloaded.memory()[0x000], 0x42);
    EXPECT_EQ(reloaded.memory()[0x390], 0x42);
    EXPECT_NE(reloaded.memory()[0x1B1], 0x42);
    std::filesystem::remove_all(file.parent_path());
}

} // namespace
} // namespace corvane::sim
