// corvane-operations-bench: a full read and a full write against the virtual radio behind a cable
// paced like the real one: every byte takes 10 bit times at 9600 baud on the wire (start bit,
// 8 data bits, stop bit), the radio answers the moment the PC's last byte has arrived, and its
// reply is delivered when its last byte has. The program prints, per operation, the wall time
// from the first greeting to the completion message as a ratio to the pure wire time of every
// byte exchanged, and the program's own time per exchange. Target: a ratio of at most 1.03.
//
// The operations run exactly as in Corvane (the step machine, the session, the send procedure);
// only the clock and the cable are the bench's own: a real-time event loop that sleeps until the
// next due event and spins the last stretch, so the operating system's wake-up jitter does not
// count as the program's overhead.

#include "link/operations.h"
#include "model/memory_image.h"
#include "model/new_document.h"
#include "model/number_text.h"
#include "simulator/virtual_radio.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace corvane;

namespace {

using SteadyClock = std::chrono::steady_clock;
using TimePoint = SteadyClock::time_point;
using Nanoseconds = std::chrono::nanoseconds;

constexpr double kBaudRate = 9600.0;
constexpr double kBitsPerByte = 10.0; // 8N1
const Nanoseconds kByteTime{static_cast<long long>(kBitsPerByte / kBaudRate * 1e9)};

// A real-time event loop with the link's clock interface: one-shot timers (the reply timer, the
// deferred write) and the cable's deliveries, fired in time order on this thread.
class RealTimeLoop : public link::Clock
{
public:
    RealTimeLoop() : m_start(SteadyClock::now()) {}

    link::Milliseconds now() const override
    {
        return std::chrono::duration_cast<link::Milliseconds>(SteadyClock::now() - m_start);
    }

    std::unique_ptr<link::Timer> createTimer(std::function<void()> onTimeout) override
    {
        return std::make_unique<LoopTimer>(*this, std::move(onTimeout));
    }

    // Runs `action` at `when` (a delivery on the cable).
    void post(TimePoint when, std::function<void()> action) { m_posted.push_back({when, std::move(action)}); }
    void dropPosted() { m_posted.clear(); }

    // Fires due events until `finished` holds or nothing is left to wait for.
    void run(const std::function<bool()>& finished)
    {
        while (!finished()) {
            TimePoint due = TimePoint::max();
            LoopTimer* timer = nullptr;
            for (LoopTimer* t : m_timers) {
                if (t->active && t->due < due) {
                    due = t->due;
                    timer = t;
                }
            }
            std::size_t posted = m_posted.size();
            for (std::size_t i = 0; i < m_posted.size(); ++i) {
                if (m_posted[i].when <= due) {
                    due = m_posted[i].when;
                    posted = i;
                    timer = nullptr;
                }
            }
            if (timer == nullptr && posted == m_posted.size()) {
                return; // nothing waits: the operation is stuck or over
            }
            waitUntil(due);
            if (timer != nullptr) {
                timer->active = false;
                timer->onTimeout();
            } else {
                std::function<void()> action = std::move(m_posted[posted].action);
                m_posted.erase(m_posted.begin() + static_cast<std::ptrdiff_t>(posted));
                action();
            }
        }
    }

private:
    struct LoopTimer : link::Timer
    {
        LoopTimer(RealTimeLoop& loop, std::function<void()> callback) : owner(loop), onTimeout(std::move(callback))
        {
            owner.m_timers.push_back(this);
        }
        ~LoopTimer() override { std::erase(owner.m_timers, this); }
        void start(link::Milliseconds interval) override
        {
            active = true;
            due = SteadyClock::now() + interval;
        }
        void stop() override { active = false; }
        bool isActive() const override { return active; }

        RealTimeLoop& owner;
        std::function<void()> onTimeout;
        TimePoint due{};
        bool active = false;
    };

    struct Posted
    {
        TimePoint when;
        std::function<void()> action;
    };

    static void waitUntil(TimePoint due)
    {
        constexpr auto kSpin = std::chrono::microseconds(500);
        if (due - SteadyClock::now() > kSpin) {
            std::this_thread::sleep_until(due - kSpin);
        }
        while (SteadyClock::now() < due) {
        }
    }

    TimePoint m_start;
    std::vector<LoopTimer*> m_timers;
    std::vector<Posted> m_posted;
};

// The cable: what the PC writes reaches the radio after its bytes' wire time; the radio's answer
// reaches the PC after its own bytes' wire time.
class PacedCable : public link::BufferedSerialPort
{
public:
    PacedCable(sim::VirtualRadio& radio, RealTimeLoop& loop) : m_radio(radio), m_loop(loop) {}

    bool open(const link::LinkSettings& settings) override
    {
        setReceiveThreshold(settings.receiveThreshold);
        resetInput();
        m_open = true;
        return true;
    }
    void close() override
    {
        m_open = false;
        resetInput();
        m_loop.dropPosted();
    }
    bool isOpen() const override { return m_open; }
    void clearOutput() override {}

    void write(std::span<const std::uint8_t> bytes) override
    {
        if (!m_open) {
            return;
        }
        const TimePoint sent = SteadyClock::now();
        if (!m_firstWrite) {
            m_firstWrite = sent;
        }
        ++exchanges;
        wireBytes += bytes.size();
        const TimePoint arrived = sent + kByteTime * static_cast<long long>(bytes.size());
        for (sim::VirtualRadio::Output& output : m_radio.receive(bytes, m_loop.now())) {
            wireBytes += output.bytes.size();
            const TimePoint replied = arrived + kByteTime * static_cast<long long>(output.bytes.size());
            m_loop.post(replied, [this, reply = std::move(output.bytes)] {
                if (m_open) {
                    received(reply);
                }
            });
        }
    }

    std::optional<TimePoint> firstWrite() const { return m_firstWrite; }

    std::size_t wireBytes = 0;
    int exchanges = 0;

private:
    sim::VirtualRadio& m_radio;
    RealTimeLoop& m_loop;
    bool m_open = false;
    std::optional<TimePoint> m_firstWrite;
};

// Answers OK to every question, notes the moment of the completion message.
class BenchPrompts : public link::OperationPrompts
{
public:
    model::MessageAnswer showMessage(const std::string& text, model::MessageButtons, model::MessageIcon,
                                     const std::string&) override
    {
        if (text.find("Completed") != std::string::npos) {
            completedAt = SteadyClock::now();
        } else if (text.find("Do you wish continue") == std::string::npos) {
            std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
        }
        return model::MessageAnswer::Ok;
    }
    void openProgress(link::LinkOperation, model::Language, std::function<void()> onOpened) override { onOpened(); }
    void updateProgress(int) override {}
    void closeProgress() override {}
    std::optional<std::string> askPassword(const std::string&, model::Language) override { return std::nullopt; }

    std::optional<TimePoint> completedAt;
};

class NoLauncher : public model::ProgramLauncher
{
public:
    bool isProgram(const std::filesystem::path&) const override { return false; }
    bool startProgram(const std::filesystem::path&) override { return false; }
    void endThisProgram() override {}
};

class BenchShell : public link::OperationShell
{
public:
    explicit BenchShell(model::Prompts& prompts) : m_prompts(prompts) { m_versions.firmPairs = {{"Z300", "Z300"}}; }
    std::string portId() override { return "paced cable"; }
    model::HandOverContext handOverContext() override
    {
        return {m_prompts, model::Language::English, m_versions, [](int) { return std::string(); }, m_launcher, {}, {},
                {}};
    }

private:
    model::Prompts& m_prompts;
    model::VersionTable m_versions;
    NoLauncher m_launcher;
};

const model::FixedDateSource kNewDocumentDate({2026, 1, 1});

// Sixteen channels, so the write sends a full document.
model::ModelState fullDocument()
{
    model::ModelState state;
    model::newDocument(state, {kNewDocumentDate, model::Language::English, {}});
    model::refreshRadioType(state.document.radioType, state.currentModel);
    for (int number = 1; number <= 16; ++number) {
        const std::string frequency = "4" + model::formatInteger(3000000 + number * 12500);
        model::appendChannelEntry(state.document, static_cast<model::Integer>(number), frequency, frequency);
    }
    model::takeSnapshot(state);
    return state;
}

double seconds(Nanoseconds duration)
{
    return std::chrono::duration<double>(duration).count();
}

// Runs one operation on a fresh bench; false when it did not succeed.
bool measure(const char* name, bool write)
{
    RealTimeLoop loop;
    sim::VirtualRadio radio;
    PacedCable cable(radio, loop);
    model::ModelState model = fullDocument();
    model::LanguageState language;
    link::RadioLinkState linkState;
    BenchPrompts prompts;
    link::LinkSession session(cable, loop, model.radioImage, prompts);
    BenchShell shell(prompts);
    link::RadioOperations operations(model, language, linkState, session, loop, prompts, shell);

    write ? operations.startWrite() : operations.startRead();
    loop.run([&] { return !operations.isBusy(); });

    if (operations.lastResult() != link::OperationResult::Succeeded || !prompts.completedAt || !cable.firstWrite()) {
        std::printf("%-10s did not complete\n", name);
        return false;
    }
    const Nanoseconds wall = *prompts.completedAt - *cable.firstWrite();
    const Nanoseconds wire = kByteTime * static_cast<long long>(cable.wireBytes);
    const double ratio = seconds(wall) / seconds(wire);
    const double overheadMs = (seconds(wall) - seconds(wire)) * 1000.0 / cable.exchanges;
    std::printf("%-10s %5zu bytes on the wire (%s s), %3d exchanges, wall %s s, ratio %s, own time %s ms per exchange\n",
                name, cable.wireBytes, model::formatDecimal(seconds(wire), 1, 3).c_str(), cable.exchanges,
                model::formatDecimal(seconds(wall), 1, 3).c_str(), model::formatDecimal(ratio, 1, 4).c_str(),
                model::formatDecimal(overheadMs, 1, 3).c_str());
    return ratio <= 1.03;
}

} // namespace

int main()
{
    std::printf("9600 baud, 8N1: %s ms per byte; target ratio <= 1.03\n",
                model::formatDecimal(seconds(kByteTime) * 1000.0, 1, 4).c_str());
    const bool readOk = measure("full read", false);
    const bool writeOk = measure("full write", true);
    return readOk && writeOk ? 0 : 1;
}
