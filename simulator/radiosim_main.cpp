// radiosim: a virtual ZT740-16 on a pseudo-terminal. Prints the terminal's device path as the
// only line on stdout, then answers on it like a radio on a programming cable until it gets
// SIGINT or SIGTERM (or its cable is pulled by a fault). Diagnostics go to stderr.

#include "link/clock.h"
#include "model/number_text.h"
#include "simulator/radio_line.h"
#include "simulator/virtual_radio.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <string>
#include <string_view>
#include <termios.h>
#include <unistd.h>
#include <vector>

using namespace corvane;

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

void requestStop(int)
{
    g_stopRequested = 1;
}

constexpr std::string_view kUsage =
    "usage: radiosim [options]\n"
    "Serves a virtual ZT740-16 on a pseudo-terminal and prints its device path.\n"
    "  --model CODE            identity model code (Z740E)\n"
    "  --band N                band code 0, 1 or 2 (2)\n"
    "  --kept N                identity byte 7 (0)\n"
    "  --firmware TEXT         firmware version, 4 characters (Z300)\n"
    "  --killed, --stunned     status bits of the identity reply\n"
    "  --password TEXT         programming password at 0x1EC (up to 4 characters)\n"
    "  --memory FILE           radio memory: loaded when present, saved after every change\n"
    "  --silent                never answer\n"
    "  --unanswered-greetings N  ignore the first N greetings\n"
    "  --lose-reply K          no reply to frame K (frames counted from 1; repeatable)\n"
    "  --late-reply K          reply to frame K comes late (repeatable); --late-by MS (2000)\n"
    "  --garbage K             garbage bytes before the reply to frame K (repeatable)\n"
    "  --truncate K            reply to frame K loses its last byte (repeatable)\n"
    "  --nak K                 NAK instead of the reply to frame K (repeatable)\n"
    "  --pull-cable K          pull the cable at frame K: the terminal goes away\n"
    "  --chunk N               deliver replies in pieces of N bytes\n"
    "  --turnaround MS, --per-byte MS   reply timing (5, 1)\n"
    "  --verbose               log every frame on stderr\n";

struct Options
{
    sim::RadioIdentity identity;
    sim::RadioFaults faults;
    sim::RadioTiming timing;
    std::optional<std::string> password;
    std::optional<std::string> memoryFile;
    bool verbose = false;
};

void fail(std::string_view message)
{
    std::fputs("radiosim: ", stderr);
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fputs("\n", stderr);
    std::exit(2);
}

std::int64_t numberArgument(std::string_view option, const char* text)
{
    const auto value = model::parseInteger(text != nullptr ? std::string_view(text) : std::string_view());
    if (!value || *value < 0) {
        fail(std::string(option) + " needs a whole number");
    }
    return *value;
}

Options parseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) {
                fail(std::string(arg) + " needs a value");
            }
            return argv[++i];
        };
        auto number = [&] { return numberArgument(arg, value()); };
        auto frame = [&] { return static_cast<int>(number()); };
        if (arg == "--help" || arg == "-h") {
            std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
            std::exit(0);
        } else if (arg == "--model") {
            options.identity.modelCode = value();
        } else if (arg == "--band") {
            options.identity.bandCode = static_cast<std::uint8_t>(number());
        } else if (arg == "--kept") {
            options.identity.keptByte = static_cast<std::uint8_t>(number());
        } else if (arg == "--firmware") {
            options.identity.firmwareVersion = value();
        } else if (arg == "--killed") {
            options.identity.killed = true;
        } else if (arg == "--stunned") {
            options.identity.stunned = true;
        } else if (arg == "--password") {
            options.password = value();
        } else if (arg == "--memory") {
            options.memoryFile = value();
        } else if (arg == "--silent") {
            options.faults.silent = true;
        } else if (arg == "--unanswered-greetings") {
            options.faults.unansweredGreetings = frame();
        } else if (arg == "--lose-reply") {
            options.faults.lostReplies.insert(frame());
        } else if (arg == "--late-reply") {
            options.faults.lateReplies.insert(frame());
        } else if (arg == "--late-by") {
            options.faults.lateBy = link::Milliseconds(number());
        } else if (arg == "--garbage") {
            options.faults.garbageBefore.insert(frame());
        } else if (arg == "--truncate") {
            options.faults.truncatedReplies.insert(frame());
        } else if (arg == "--nak") {
            options.faults.nakReplies.insert(frame());
        } else if (arg == "--pull-cable") {
            options.faults.cablePulledAtFrame = frame();
        } else if (arg == "--chunk") {
            options.timing.deliveryChunk = static_cast<std::size_t>(number());
        } else if (arg == "--turnaround") {
            options.timing.turnaround = link::Milliseconds(number());
        } else if (arg == "--per-byte") {
            options.timing.perByte = link::Milliseconds(number());
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else {
            fail("unknown option " + std::string(arg) + " (see --help)");
        }
    }
    return options;
}

void makeRaw(int fd)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        return;
    }
    cfmakeraw(&settings);
    cfsetispeed(&settings, B9600);
    cfsetospeed(&settings, B9600);
    tcsetattr(fd, TCSANOW, &settings);
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void logBytes(const char* direction, std::span<const std::uint8_t> bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string line = direction;
    for (std::uint8_t b : bytes) {
        line.push_back(' ');
        line.push_back(kHex[b >> 4]);
        line.push_back(kHex[b & 0xF]);
    }
    line.push_back('\n');
    std::fputs(line.c_str(), stderr);
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = parseOptions(argc, argv);

    sim::VirtualRadio radio(options.identity, options.faults, options.timing);
    if (options.memoryFile && std::filesystem::exists(*options.memoryFile) && !radio.loadMemory(*options.memoryFile)) {
        fail("the memory file is not a 1024-byte radio memory: " + *options.memoryFile);
    }
    if (options.password) {
        radio.setPassword(*options.password);
    }

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        fail(std::string("cannot create a pseudo-terminal: ") + std::strerror(errno));
    }
    char slavePath[256] = {};
    if (ptsname_r(master, slavePath, sizeof slavePath) != 0) {
        fail("cannot name the pseudo-terminal");
    }
    // Our own handle on the terminal keeps it alive while no program has it open.
    const int keepAlive = ::open(slavePath, O_RDWR | O_NOCTTY);
    if (keepAlive < 0) {
        fail(std::string("cannot open ") + slavePath);
    }
    makeRaw(keepAlive);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    struct sigaction action{};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::printf("%s\n", slavePath);
    std::fflush(stdout);

    using SteadyClock = std::chrono::steady_clock;
    const auto started = SteadyClock::now();
    auto elapsed = [&] { return std::chrono::duration_cast<link::Milliseconds>(SteadyClock::now() - started); };

    link::ManualClock clock;
    bool cablePulled = false;
    sim::RadioLine line(
        radio, clock,
        [&](std::span<const std::uint8_t> bytes) {
            if (options.verbose) {
                logBytes("radio>", bytes);
            }
            writeAll(master, bytes);
        },
        [&] { cablePulled = true; });

    auto saveMemory = [&] {
        if (options.memoryFile && radio.memoryChanged() && radio.saveMemory(*options.memoryFile)) {
            radio.clearMemoryChanged();
        }
    };

    std::vector<std::uint8_t> buffer(4096);
    while (g_stopRequested == 0 && !cablePulled) {
        int timeout = 1000;
        if (clock.hasRunningTimers()) {
            const auto wait = clock.nextDueTime() - elapsed();
            timeout = static_cast<int>(std::clamp<std::int64_t>(wait.count(), 0, 1000));
        }
        pollfd watch{master, POLLIN, 0};
        const int ready = ::poll(&watch, 1, timeout);
        clock.advanceTo(elapsed());
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(std::string("poll failed: ") + std::strerror(errno));
        }
        if (ready > 0 && (watch.revents & POLLIN) != 0) {
            const ssize_t n = ::read(master, buffer.data(), buffer.size());
            if (n > 0) {
                const std::span<const std::uint8_t> bytes(buffer.data(), static_cast<std::size_t>(n));
                if (options.verbose) {
                    logBytes("pc>   ", bytes);
                }
                line.transmit(bytes);
                saveMemory();
            }
        }
    }
    saveMemory();
    if (cablePulled) {
        std::fputs("radiosim: cable pulled\n", stderr);
    }
    ::close(master);
    ::close(keepAlive);
    return 0;
}
