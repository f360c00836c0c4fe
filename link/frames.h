#pragma once
// Every frame of the programming protocol, both directions, and the classification of a received
// frame. Pure functions: no port, no clock, no state. The link session (protocol.h) sends what
// these build and classifies what it receives with the facts of the running operation.
//
// Wire layout (one byte per field, addresses big-endian):
//   PC -> radio                                   reply awaited (bytes)
//   GreetingFrame   "PROGRAM"                     Ack (1)
//   IdentityRequest 02                            Identity (14)
//   AckFrame        06                            Ack (1)
//   ReadRequest     'R' addrH addrL len           Data (len + 4)
//   WriteFrame      'W' addrH addrL len data...   Ack (1)
//   SectionEndFrame 85 section 06                 Ack (1)
//   EndFrame        'E'                           Ack (1)
//   TestDataRequest 'R' 01 F0 len                 TestDataBlock (len + 4)
//   TestDataFrame   'W' 01 F0 len data...         Ack (1)
//   radio -> PC
//   AckFrame 06; IdentityReply 'P' model[5] band kept[1] firmware[4] status ignored;
//   DataReply 'W' addrH addrL len data...

#include "link/serial_port.h"
#include "model/model_state.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace corvane::link {

using Frame = Bytes;

inline constexpr std::uint8_t kAckByte = 0x06;
inline constexpr std::uint8_t kIdentityRequestByte = 0x02;
inline constexpr std::uint8_t kReadCommand = 0x52;  // 'R'
inline constexpr std::uint8_t kWriteCommand = 0x57; // 'W', also the first byte of a DataReply
inline constexpr std::uint8_t kSectionEndCommand = 0x85;
inline constexpr std::uint8_t kEndCommand = 0x45;   // 'E'
inline constexpr std::uint8_t kIdentityReplyFirstByte = 0x50; // 'P'
inline constexpr std::string_view kGreetingText = "PROGRAM";

inline constexpr std::int16_t kBlockLength = 16;
inline constexpr std::size_t kAckReplyLength = 1;
inline constexpr std::size_t kIdentityReplyLength = 14;
inline constexpr std::size_t kDataHeaderLength = 4;    // 'W', address high, address low, length
constexpr std::size_t dataReplyLength(std::size_t length) { return length + kDataHeaderLength; }

// Addresses of the image that the plans and the classification name.
inline constexpr std::int16_t kResetAllowedBlockAddress = 0x140;
inline constexpr std::int16_t kIdentityAddress = 0x1A0;      // identity bytes 0..11 -> 0x1A0..0x1AB
inline constexpr std::int16_t kIdentityBandAddress = 0x1A6;  // kept from the PC's own data
inline constexpr std::int16_t kSectionOneEndAddress = 0x1B0; // replaced by SectionEndFrame 1
inline constexpr std::int16_t kSectionTwoStartTrigger = 0x1C0;
inline constexpr std::int16_t kSectionTwoStartAddress = 0x200;
inline constexpr std::int16_t kRadioInfoStartCursor = 0x1A0;
inline constexpr std::int16_t kRadioInfoEndAddress = 0x1F0;
inline constexpr std::int16_t kPasswordBlockAddress = 0x1E0;
inline constexpr std::int16_t kTestDataBlockAddress = 0x1F0;
inline constexpr std::int16_t kFullTransferEndAddress = 0x3A0;
inline constexpr std::int16_t kLastImageAddress = 0x3FF;

struct AddressBytes
{
    std::uint8_t high = 0;
    std::uint8_t low = 0;
};
// high = (address - (address AND 0xFF)) / 256, low = address AND 0xFF.
AddressBytes splitAddress(int address);

Frame greetingFrame();
Frame identityRequest();
Frame ackFrame();
Frame readRequest(int address, int length);
// 'W', address, length, then `length` image bytes from `address` (0xFF past the image's end).
Frame writeFrame(int address, int length, const model::RadioImage& image);
Frame sectionEndFrame(int section);
Frame endFrame();
Frame testDataRequest(int blockLength = kBlockLength);
Frame testDataFrame(std::span<const std::uint8_t, kBlockLength> block);

// What a received frame is.
enum class FrameKind { Ack, Identity, TestDataBlock, PasswordBlock, ResetAllowedBlock, Data };
const char* frameKindName(FrameKind kind);

// The operation in progress and its step numbers (the operation layer drives them).
enum class LinkOperation : std::int16_t { None = 0, Read = 1, Write = 2, RadioInfoRead = 3 };

namespace step {
inline constexpr std::int16_t Greeting = 1;
inline constexpr std::int16_t Identify = 2;
inline constexpr std::int16_t CheckGate = 3;
inline constexpr std::int16_t Transfer = 4;
inline constexpr std::int16_t TransferAck = 5;
inline constexpr std::int16_t PasswordGate = 31;
inline constexpr std::int16_t PasswordRead = 32;
inline constexpr std::int16_t ResetGate = 35;
inline constexpr std::int16_t ResetAllowedRead = 36;
inline constexpr std::int16_t Closing = 69;
} // namespace step

// The facts the classification depends on: the operation, its step variable (readStep for a
// read and a radio-information read, writeStep for a write) and the transfer cursor.
struct ClassificationFacts
{
    LinkOperation operation = LinkOperation::None;
    std::int16_t step = 0;
    std::int16_t currentAddress = 0;
    std::int16_t blockLength = kBlockLength;
};

// The first rule that matches, in this order: Ack (exactly 06), Identity (14 bytes from 'P'),
// TestDataBlock (0x1F0 in a transfer step or outside a read/write), PasswordBlock (0x1E0 while a
// read or write waits for it), ResetAllowedBlock (0x140 while a write waits for it), Data (the
// cursor's address and block length). Nothing when no rule matches.
std::optional<FrameKind> classifyFrame(std::span<const std::uint8_t> frame, const ClassificationFacts& facts);

// The values an IdentityReply carries.
struct IdentityValues
{
    std::string modelCode; // 5 characters as received
    std::uint8_t bandCode = 0;
    std::string firmwareVersion; // 4 characters
    bool killed = false;  // status bit 7
    bool stunned = false; // status bit 6
};
IdentityValues parseIdentityReply(std::span<const std::uint8_t> frame);
// image[0x1A0 + k] = reply[k] for k = 0..11 except the band byte 6: 0x1A6 keeps the PC's own value.
void storeIdentityReply(std::span<const std::uint8_t> frame, model::RadioImage& image);

// The data bytes of a DataReply (everything after the 4 header bytes).
std::span<const std::uint8_t> dataBytes(std::span<const std::uint8_t> frame);

// The radio's programming password from a password-block reply: data bytes 12..15 up to the
// first 0xFF or 0x00, trailing blanks removed, as code-page bytes. Empty: no password.
std::string radioPasswordFromBlock(std::span<const std::uint8_t> frame);

} // namespace corvane::link
