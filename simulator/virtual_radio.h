#pragma once
// A virtual ZT740-16: its 1024-byte memory, its identity, and both dialects it speaks on the
// programming cable — the programming dialect ("PROGRAM", identity, 'R'/'W' blocks, section
// ends, 'E') and the set-up dialect ("FACTORY", checked 22-byte frames, NAK, "END") — plus the
// test-data block at 0x1F0, which is ordinary memory to the radio.
//
// Like the real radio it sees only a stream of bytes: receive() takes any chunk (a byte, half a
// frame, two frames) and answers each complete frame it recognises. Bytes it cannot place are
// skipped; a frame left incomplete for longer than the inter-byte timeout is forgotten. It never
// answers twice to one frame and never speaks unasked.
//
// Faults are chosen per session (RadioFaults); frames are counted from 1 over the radio's life,
// every complete frame counts (greetings, the PC's acknowledgements, requests).

#include "link/clock.h"
#include "link/serial_port.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace corvane::sim {

using link::Bytes;
using link::Milliseconds;

inline constexpr std::size_t kMemorySize = 1024;
using RadioMemory = std::array<std::uint8_t, kMemorySize>;

// Memory addresses the radio itself knows.
inline constexpr std::size_t kOptionBitsAddress = 0x1B0;   // bit 6 stun, bit 7 kill (set-up tool)
inline constexpr std::size_t kInfoModelAddress = 0x1B1;
inline constexpr std::size_t kInfoBandAddress = 0x1B6;
inline constexpr std::size_t kPasswordAddress = 0x1EC;     // 4 bytes
inline constexpr std::size_t kTestDataAddress = 0x1F0;     // 16 bytes

inline constexpr std::uint8_t kNakByte = 0x0A;

struct RadioIdentity
{
    std::string modelCode = "Z740E";   // 5 characters on the wire (padded with blanks)
    std::uint8_t bandCode = 2;         // 0 VHF, 1 200 MHz, 2 UHF
    std::uint8_t keptByte = 0x00;      // identity byte 7
    std::string firmwareVersion = "Z300"; // 4 characters on the wire
    // Forced status bits; the radio also reports the stun/kill option bits of its memory (0x1B0).
    bool killed = false;
    bool stunned = false;
};

struct RadioFaults
{
    bool silent = false;          // answers nothing at all
    int unansweredGreetings = 0;  // the first N greetings go unanswered
    std::set<int> lostReplies;    // frames whose reply is lost (the frame itself takes effect)
    std::set<int> lateReplies;    // frames whose reply comes `lateBy` later
    Milliseconds lateBy{2000};
    std::set<int> garbageBefore;  // frames whose reply is preceded by `garbage`
    Bytes garbage{0xAA, 0x55, 0x13};
    std::set<int> truncatedReplies; // frames whose reply loses its last byte
    std::set<int> nakReplies;     // frames answered with NAK (0x0A) instead of their reply
    int cablePulledAtFrame = 0;   // the cable is pulled while frame K is in flight (0: never)
};

struct RadioTiming
{
    Milliseconds turnaround{5};   // the radio's own think time per frame
    Milliseconds perByte{1};      // 9600 baud, 8N1: about one byte per millisecond
    std::size_t deliveryChunk = 0; // replies arrive in pieces of this many bytes (0: whole)
    Milliseconds interByteTimeout{100}; // an incomplete frame is forgotten after this silence
};

enum class RadioMode { Idle, Programming, Setup };

class VirtualRadio
{
public:
    struct Output
    {
        Milliseconds delay{0}; // after the moment the frame was received
        Bytes bytes;
        bool cablePulled = false;
    };

    explicit VirtualRadio(RadioIdentity identity = {}, RadioFaults faults = {}, RadioTiming timing = {});

    // A radio fresh from the factory: channel 1 in the middle of its band (simplex, wide, high
    // power, no tones), the identity in the information block, no password, a test-data block.
    static RadioMemory factoryMemory(const RadioIdentity& identity);

    RadioMemory& memory() { return m_memory; }
    const RadioMemory& memory() const { return m_memory; }
    const RadioIdentity& identity() const { return m_identity; }
    RadioIdentity& identity() { return m_identity; }
    RadioFaults& faults() { return m_faults; }
    const RadioTiming& timing() const { return m_timing; }
    RadioMode mode() const { return m_mode; }

    // Up to 4 characters at 0x1EC (0x00 after them); empty clears it to 0xFF.
    void setPassword(std::string_view password);

    // Bytes from the PC that reached the radio at `now`; the replies to every frame they complete.
    std::vector<Output> receive(std::span<const std::uint8_t> bytes, Milliseconds now);

    // The identity reply the radio gives now (status bits included).
    Bytes identityReply() const;

    // The memory as a 1024-byte file; loading accepts exactly that size.
    bool loadMemory(const std::filesystem::path& path);
    bool saveMemory(const std::filesystem::path& path) const;
    bool memoryChanged() const { return m_memoryChanged; }
    void clearMemoryChanged() { m_memoryChanged = false; }

    // What the radio has heard, for tests and the radiosim log.
    int framesReceived() const { return m_frameCount; }
    const std::vector<Bytes>& frameLog() const { return m_frameLog; }
    const std::vector<int>& writtenAddresses() const { return m_writtenAddresses; }
    void clearLog();

private:
    enum class Expect { Nothing, Fixed, WriteHeader, Text };

    void takeByte(std::uint8_t byte, std::vector<Output>& out);
    void startFrame(std::uint8_t byte);
    void completeFrame(std::vector<Output>& out);
    Bytes answer(const Bytes& frame);
    Bytes dataReply(int address, int length, bool checked) const;
    void storeBlock(int address, std::span<const std::uint8_t> data);
    void record(const Bytes& frame);

    RadioIdentity m_identity;
    RadioFaults m_faults;
    RadioTiming m_timing;
    RadioMemory m_memory{};
    RadioMode m_mode = RadioMode::Idle;

    Bytes m_pending;              // the frame being received
    Expect m_expect = Expect::Nothing;
    std::size_t m_expectedLength = 0;
    std::string_view m_expectedText;
    Milliseconds m_lastByteTime{0};

    int m_frameCount = 0;
    int m_greetingCount = 0;
    bool m_memoryChanged = false;
    std::vector<Bytes> m_frameLog;
    std::vector<int> m_writtenAddresses;
};

// The checksum of the set-up dialect: bytes 1 .. n+3 (address, length, data) modulo 256.
std::uint8_t setupChecksum(std::span<const std::uint8_t> frameWithoutTrailer);

} // namespace corvane::sim
