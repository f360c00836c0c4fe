#include "link/frames.h"

namespace corvane::link {

namespace {

int addressField(std::span<const std::uint8_t> frame)
{
    return frame[1] * 256 + frame[2];
}

// A DataReply-shaped frame: 'W', the address and length header, and exactly `length` data bytes.
bool isDataReplyShape(std::span<const std::uint8_t> frame)
{
    return frame.size() >= kDataHeaderLength && frame[0] == kWriteCommand &&
           frame.size() == static_cast<std::size_t>(frame[3]) + kDataHeaderLength;
}

bool isFixedBlock(std::span<const std::uint8_t> frame, int address)
{
    return frame.size() >= dataReplyLength(kBlockLength) && isDataReplyShape(frame) && addressField(frame) == address;
}

bool isReadOrWrite(LinkOperation operation)
{
    return operation == LinkOperation::Read || operation == LinkOperation::Write;
}

} // namespace

AddressBytes splitAddress(int address)
{
    const int low = address & 0xFF;
    return {static_cast<std::uint8_t>((address - low) / 256), static_cast<std::uint8_t>(low)};
}

Frame greetingFrame()
{
    return Frame(kGreetingText.begin(), kGreetingText.end());
}

Frame identityRequest()
{
    return {kIdentityRequestByte};
}

Frame ackFrame()
{
    return {kAckByte};
}

Frame readRequest(int address, int length)
{
    const AddressBytes split = splitAddress(address);
    return {kReadCommand, split.high, split.low, static_cast<std::uint8_t>(length)};
}

Frame writeFrame(int address, int length, const model::RadioImage& image)
{
    const AddressBytes split = splitAddress(address);
    Frame frame{kWriteCommand, split.high, split.low, static_cast<std::uint8_t>(length)};
    for (int i = 0; i < length; ++i) {
        const int at = address + i;
        frame.push_back(at >= 0 && at < static_cast<int>(image.size()) ? image[static_cast<std::size_t>(at)] : 0xFF);
    }
    return frame;
}

Frame sectionEndFrame(int section)
{
    return {kSectionEndCommand, static_cast<std::uint8_t>(section), kAckByte};
}

Frame endFrame()
{
    return {kEndCommand};
}

Frame testDataRequest(int blockLength)
{
    return readRequest(kTestDataBlockAddress, blockLength);
}

Frame testDataFrame(std::span<const std::uint8_t, kBlockLength> block)
{
    const AddressBytes split = splitAddress(kTestDataBlockAddress);
    Frame frame;
    frame.reserve(dataReplyLength(kBlockLength));
    frame.push_back(kWriteCommand);
    frame.push_back(split.high);
    frame.push_back(split.low);
    frame.push_back(static_cast<std::uint8_t>(kBlockLength));
    for (std::uint8_t byte : block) {
        frame.push_back(byte);
    }
    return frame;
}

const char* frameKindName(FrameKind kind)
{
    switch (kind) {
    case FrameKind::Ack:
        return "Ack";
    case FrameKind::Identity:
        return "Identity";
    case FrameKind::TestDataBlock:
        return "TestDataBlock";
    case FrameKind::PasswordBlock:
        return "PasswordBlock";
    case FrameKind::ResetAllowedBlock:
        return "ResetAllowedBlock";
    case FrameKind::Data:
        return "Data";
    }
    return "?";
}

std::optional<FrameKind> classifyFrame(std::span<const std::uint8_t> frame, const ClassificationFacts& facts)
{
    if (frame.size() == 1 && frame[0] == kAckByte) {
        return FrameKind::Ack;
    }
    if (frame.size() == kIdentityReplyLength && frame[0] == kIdentityReplyFirstByte) {
        return FrameKind::Identity;
    }
    const bool read = facts.operation == LinkOperation::Read;
    const bool write = facts.operation == LinkOperation::Write;
    if (isFixedBlock(frame, kTestDataBlockAddress) &&
        ((read && facts.step == step::Transfer) || (write && facts.step == step::Transfer) ||
         !isReadOrWrite(facts.operation))) {
        return FrameKind::TestDataBlock;
    }
    if (isFixedBlock(frame, kPasswordBlockAddress) && isReadOrWrite(facts.operation) &&
        facts.step == step::PasswordRead) {
        return FrameKind::PasswordBlock;
    }
    if (isFixedBlock(frame, kResetAllowedBlockAddress) && write && facts.step == step::ResetAllowedRead) {
        return FrameKind::ResetAllowedBlock;
    }
    if (isDataReplyShape(frame) && addressField(frame) == facts.currentAddress && frame[3] == facts.blockLength) {
        return FrameKind::Data;
    }
    return std::nullopt;
}

IdentityValues parseIdentityReply(std::span<const std::uint8_t> frame)
{
    IdentityValues values;
    if (frame.size() < kIdentityReplyLength) {
        return values;
    }
    values.modelCode.assign(frame.begin() + 1, frame.begin() + 6);
    values.bandCode = frame[6];
    values.firmwareVersion.assign(frame.begin() + 8, frame.begin() + 12);
    values.killed = (frame[12] & 0x80) != 0;
    values.stunned = (frame[12] & 0x40) != 0;
    return values;
}

void storeIdentityReply(std::span<const std::uint8_t> frame, model::RadioImage& image)
{
    for (std::size_t k = 0; k < 12 && k < frame.size(); ++k) {
        if (k != 6) {
            image[static_cast<std::size_t>(kIdentityAddress) + k] = frame[k];
        }
    }
}

std::span<const std::uint8_t> dataBytes(std::span<const std::uint8_t> frame)
{
    return frame.size() > kDataHeaderLength ? frame.subspan(kDataHeaderLength) : std::span<const std::uint8_t>{};
}

std::string radioPasswordFromBlock(std::span<const std::uint8_t> frame)
{
    const auto data = dataBytes(frame);
    std::string password;
    for (std::size_t i = 12; i < 16 && i < data.size(); ++i) {
        if (data[i] == 0xFF || data[i] == 0x00) {
            break;
        }
        password.push_back(static_cast<char>(data[i]));
    }
    while (!password.empty() && password.back() == ' ') {
        password.pop_back();
    }
    return password;
}

} // namespace corvane::link
