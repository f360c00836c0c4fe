#include "simulator/virtual_radio.h"

#include "model/safe_file.h"

#include <algorithm>

namespace corvane::sim {

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kIdentityRequest = 0x02;
constexpr std::uint8_t kRead = 'R';
constexpr std::uint8_t kWrite = 'W';
constexpr std::uint8_t kSectionEnd = 0x85;
constexpr std::uint8_t kEnd = 'E';
constexpr std::string_view kProgramGreeting = "PROGRAM";
constexpr std::string_view kFactoryGreeting = "FACTORY";
constexpr std::string_view kFinish = "END";
constexpr std::string_view kFactoryGreetingReply = "ZT\x06";
constexpr std::size_t kDataHeader = 4;
constexpr std::size_t kCheckedTrailer = 2; // checksum, 0x06
constexpr std::size_t kFrameLogLimit = 4096;

bool isText(const Bytes& frame, std::string_view text)
{
    return frame.size() == text.size() && std::equal(frame.begin(), frame.end(), text.begin(), [](std::uint8_t b, char c) {
               return b == static_cast<std::uint8_t>(c);
           });
}

void putText(RadioMemory& memory, std::size_t at, std::string_view text, std::size_t width, std::uint8_t fill)
{
    for (std::size_t i = 0; i < width; ++i) {
        memory[at + i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : fill;
    }
}

void putBigEndian32(RadioMemory& memory, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i) {
        memory[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
    }
}

void appendText(Bytes& out, std::string_view text, std::size_t width)
{
    for (std::size_t i = 0; i < width; ++i) {
        out.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : ' ');
    }
}

} // namespace

std::uint8_t setupChecksum(std::span<const std::uint8_t> frameWithoutTrailer)
{
    unsigned sum = 0;
    for (std::size_t i = 1; i < frameWithoutTrailer.size(); ++i) {
        sum += frameWithoutTrailer[i];
    }
    return static_cast<std::uint8_t>(sum & 0xFF);
}

VirtualRadio::VirtualRadio(RadioIdentity identity, RadioFaults faults, RadioTiming timing)
    : m_identity(std::move(identity)), m_faults(std::move(faults)), m_timing(timing),
      m_memory(factoryMemory(m_identity))
{
}

RadioMemory VirtualRadio::factoryMemory(const RadioIdentity& identity)
{
    RadioMemory memory;
    memory.fill(0xFF);
    // Channel presence and scan bits with the zero bytes around them: channel 1 only.
    std::fill(memory.begin() + 0x110, memory.begin() + 0x130, 0x00);
    memory[0x110] = 0x01;
    memory[0x120] = 0x01;
    // Channel 1 in the middle of the radio's band, simplex, wide, high power, no tones.
    const std::uint32_t hertz = identity.bandCode == 0 ? 150000000U : identity.bandCode == 1 ? 230000000U : 435000000U;
    putBigEndian32(memory, 0x10, hertz);
    putBigEndian32(memory, 0x14, hertz);
    memory[0x1C] = 0x44; // flags A: spacing 25K, power high
    memory[0x1D] = 0x00;
    memory[0x1E] = 0x00;
    // Information block, as the set-up tool leaves it at the factory.
    memory[kOptionBitsAddress] = 0x00;
    putText(memory, kInfoModelAddress, identity.modelCode, 5, 0x00);
    memory[kInfoBandAddress] = identity.bandCode;
    putText(memory, 0x1B8, "0001", 4, 0xFF);
    putText(memory, 0x1C0, "2024010100000001", 16, 0xFF);
    putText(memory, 0x1D0, "2024-01-01", 16, 0xFF);
    putText(memory, 0x1E0, "01-1-E-1", 8, 0xFF);
    putText(memory, 0x1E8, "0000", 4, 0xFF);
    // Test-data block: Freq, PowerH, PowerL, VDV (2), CDV, DDV, SQH, SQL, DTX (2), DCX, DDX,
    // PGA GAIN, GAIN TX, VOICE GAIN TX.
    constexpr std::array<std::uint8_t, 16> testData = {0x80, 0xC8, 0x3C, 0x01, 0x23, 0x80, 0x80, 0x50,
                                                       0x30, 0x00, 0x40, 0x7F, 0x7F, 0x10, 0x20, 0x30};
    std::copy(testData.begin(), testData.end(), memory.begin() + kTestDataAddress);
    return memory;
}

void VirtualRadio::setPassword(std::string_view password)
{
    if (password.empty()) {
        putText(m_memory, kPasswordAddress, {}, 4, 0xFF);
    } else {
        putText(m_memory, kPasswordAddress, password.substr(0, 4), 4, 0x00);
    }
}

Bytes VirtualRadio::identityReply() const
{
    Bytes reply{'P'};
    appendText(reply, m_identity.modelCode, 5);
    reply.push_back(m_identity.bandCode);
    reply.push_back(m_identity.keptByte);
    appendText(reply, m_identity.firmwareVersion, 4);
    reply.push_back(static_cast<std::uint8_t>((m_identity.killed ? 0x80 : 0) | (m_identity.stunned ? 0x40 : 0)));
    reply.push_back(0x00);
    return reply;
}

std::vector<VirtualRadio::Output> VirtualRadio::receive(std::span<const std::uint8_t> bytes, Milliseconds now)
{
    std::vector<Output> out;
    if (bytes.empty()) {
        return out;
    }
    if (!m_pending.empty() && now - m_lastByteTime > m_timing.interByteTimeout) {
        m_pending.clear();
        m_expect = Expect::Nothing;
    }
    m_lastByteTime = now;
    for (std::uint8_t byte : bytes) {
        takeByte(byte, out);
    }
    return out;
}

void VirtualRadio::startFrame(std::uint8_t byte)
{
    m_pending.clear();
    m_expect = Expect::Nothing;
    auto expectText = [&](std::string_view text) {
        m_pending.push_back(byte);
        m_expect = Expect::Text;
        m_expectedText = text;
    };
    auto expectFixed = [&](std::size_t length) {
        m_pending.push_back(byte);
        m_expect = Expect::Fixed;
        m_expectedLength = length;
    };
    if (byte == kProgramGreeting.front()) {
        expectText(kProgramGreeting);
    } else if (byte == kFactoryGreeting.front()) {
        expectText(kFactoryGreeting);
    } else if (m_mode == RadioMode::Programming) {
        if (byte == kIdentityRequest || byte == kAck || byte == kEnd) {
            expectFixed(1);
        } else if (byte == kRead) {
            expectFixed(kDataHeader);
        } else if (byte == kSectionEnd) {
            expectFixed(3);
        } else if (byte == kWrite) {
            m_pending.push_back(byte);
            m_expect = Expect::WriteHeader;
        }
    } else if (m_mode == RadioMode::Setup) {
        if (byte == kRead) {
            expectFixed(kDataHeader);
        } else if (byte == kWrite) {
            m_pending.push_back(byte);
            m_expect = Expect::WriteHeader;
        } else if (byte == kFinish.front()) {
            expectText(kFinish);
        }
    }
}

void VirtualRadio::takeByte(std::uint8_t byte, std::vector<Output>& out)
{
    switch (m_expect) {
    case Expect::Nothing:
        startFrame(byte);
        break;
    case Expect::Text:
        if (byte != static_cast<std::uint8_t>(m_expectedText[m_pending.size()])) {
            startFrame(byte); // the broken text is dropped; this byte may begin a frame
        } else {
            m_pending.push_back(byte);
        }
        break;
    case Expect::Fixed:
        m_pending.push_back(byte);
        break;
    case Expect::WriteHeader:
        m_pending.push_back(byte);
        if (m_pending.size() == kDataHeader) {
            m_expect = Expect::Fixed;
            m_expectedLength = kDataHeader + m_pending[3] + (m_mode == RadioMode::Setup ? kCheckedTrailer : 0);
        }
        break;
    }
    const bool complete = (m_expect == Expect::Text && m_pending.size() == m_expectedText.size()) ||
                          (m_expect == Expect::Fixed && m_pending.size() == m_expectedLength);
    if (complete) {
        completeFrame(out);
    }
}

void VirtualRadio::record(const Bytes& frame)
{
    if (m_frameLog.size() >= kFrameLogLimit) {
        m_frameLog.erase(m_frameLog.begin(), m_frameLog.begin() + kFrameLogLimit / 2);
    }
    m_frameLog.push_back(frame);
}

void VirtualRadio::clearLog()
{
    m_frameLog.clear();
    m_writtenAddresses.clear();
}

void VirtualRadio::completeFrame(std::vector<Output>& out)
{
    const Bytes frame = std::move(m_pending);
    m_pending.clear();
    m_expect = Expect::Nothing;
    const int number = ++m_frameCount;

    if (number == m_faults.cablePulledAtFrame) {
        Output pulled;
        pulled.delay = m_timing.turnaround;
        pulled.cablePulled = true;
        out.push_back(std::move(pulled));
        return; // the frame never reached the radio
    }
    if (m_faults.silent) {
        return;
    }
    const bool greeting = isText(frame, kProgramGreeting) || isText(frame, kFactoryGreeting);
    if (greeting && ++m_greetingCount <= m_faults.unansweredGreetings) {
        return;
    }
    record(frame);

    Bytes reply = answer(frame);
    if (reply.empty() || m_faults.lostReplies.contains(number)) {
        return;
    }
    if (m_faults.nakReplies.contains(number)) {
        reply = {kNakByte};
    }
    if (m_faults.truncatedReplies.contains(number)) {
        reply.pop_back();
    }
    if (m_faults.garbageBefore.contains(number)) {
        reply.insert(reply.begin(), m_faults.garbage.begin(), m_faults.garbage.end());
    }
    Output output;
    output.delay = m_timing.turnaround + m_timing.perByte * static_cast<long>(frame.size() + reply.size());
    if (m_faults.lateReplies.contains(number)) {
        output.delay += m_faults.lateBy;
    }
    output.bytes = std::move(reply);
    if (!output.bytes.empty()) {
        out.push_back(std::move(output));
    }
}

Bytes VirtualRadio::dataReply(int address, int length, bool checked) const
{
    Bytes reply{kWrite, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF),
                static_cast<std::uint8_t>(length)};
    for (int i = 0; i < length; ++i) {
        const int at = address + i;
        reply.push_back(at < static_cast<int>(kMemorySize) ? m_memory[static_cast<std::size_t>(at)] : 0xFF);
    }
    if (checked) {
        reply.push_back(setupChecksum(reply));
        reply.push_back(kAck);
    }
    return reply;
}

void VirtualRadio::storeBlock(int address, std::span<const std::uint8_t> data)
{
    for (std::size_t i = 0; i < data.size(); ++i) {
        const std::size_t at = static_cast<std::size_t>(address) + i;
        if (at < kMemorySize && m_memory[at] != data[i]) {
            m_memory[at] = data[i];
            m_memoryChanged = true;
        }
    }
    m_writtenAddresses.push_back(address);
}

Bytes VirtualRadio::answer(const Bytes& frame)
{
    if (isText(frame, kProgramGreeting)) {
        m_mode = RadioMode::Programming;
        return {kAck};
    }
    if (isText(frame, kFactoryGreeting)) {
        m_mode = RadioMode::Setup;
        return Bytes(kFactoryGreetingReply.begin(), kFactoryGreetingReply.end());
    }
    const int address = frame.size() >= 3 ? frame[1] * 256 + frame[2] : 0;
    if (m_mode == RadioMode::Programming) {
        switch (frame[0]) {
        case kIdentityRequest:
            return identityReply();
        case kAck:
            return {kAck};
        case kEnd:
            m_mode = RadioMode::Idle;
            return {kAck};
        case kRead:
            return dataReply(address, frame[3], false);
        case kSectionEnd:
            if ((frame[1] == 1 || frame[1] == 2) && frame[2] == kAck) {
                return {kAck};
            }
            return {};
        case kWrite:
            storeBlock(address, std::span<const std::uint8_t>(frame).subspan(kDataHeader));
            return {kAck};
        default:
            return {};
        }
    }
    if (m_mode == RadioMode::Setup) {
        if (isText(frame, kFinish)) {
            m_mode = RadioMode::Idle;
            return {kAck};
        }
        if (frame[0] == kRead) {
            return dataReply(address, frame[3], true);
        }
        if (frame[0] == kWrite) {
            const std::size_t length = frame[3];
            const auto body = std::span<const std::uint8_t>(frame).first(kDataHeader + length);
            const bool intact = frame[kDataHeader + length] == setupChecksum(body) && frame.back() == kAck;
            if (!intact) {
                return {kNakByte};
            }
            storeBlock(address, body.subspan(kDataHeader));
            return {kAck};
        }
    }
    return {};
}

bool VirtualRadio::loadMemory(const std::filesystem::path& path)
{
    const auto bytes = model::readWholeFile(path);
    if (!bytes || bytes->size() != kMemorySize) {
        return false;
    }
    std::copy(bytes->begin(), bytes->end(), m_memory.begin());
    m_memoryChanged = false;
    return true;
}

bool VirtualRadio::saveMemory(const std::filesystem::path& path) const
{
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
    }
    return model::writeFileAtomically(path, std::string(m_memory.begin(), m_memory.end()));
}

} // namespace corvane::sim
