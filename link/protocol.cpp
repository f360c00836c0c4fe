#include "link/protocol.h"

#include "model/shared_texts.h"

namespace corvane::link {

LinkSession::LinkSession(SerialPort& port, Clock& clock, model::RadioImage& image, model::Prompts& prompts)
    : m_port(port), m_image(image), m_prompts(prompts), m_replyTimer(clock.createTimer([this] { onReplyTimeout(); }))
{
    m_port.setListener(this);
}

LinkSession::~LinkSession()
{
    m_port.setListener(nullptr);
}

ClassificationFacts LinkSession::classificationFacts() const
{
    ClassificationFacts facts;
    facts.operation = m_operation.operation;
    facts.step = m_operation.operation == LinkOperation::Write ? m_operation.writeStep : m_operation.readStep;
    facts.currentAddress = m_cursor.currentAddress;
    facts.blockLength = m_cursor.blockLength;
    return facts;
}

void LinkSession::setFullTransferPlan()
{
    m_cursor.blockLength = kBlockLength;
    m_cursor.currentAddress = static_cast<std::int16_t>(-kBlockLength);
    m_cursor.endAddress = kFullTransferEndAddress;
}

void LinkSession::setRadioInfoPlan()
{
    m_cursor.blockLength = kBlockLength;
    m_cursor.currentAddress = kRadioInfoStartCursor;
    m_cursor.endAddress = kRadioInfoEndAddress;
}

bool LinkSession::openLink(const std::string& portId, model::Language language)
{
    if (m_port.isOpen()) {
        m_port.close();
    }
    m_settings = LinkSettings{};
    m_settings.portId = portId;
    m_portLost = false;
    if (portId.empty() || !m_port.open(m_settings)) {
        m_prompts.showMessage(std::string(model::pick(model::texts::kCannotOpenPort, language)),
                              model::MessageButtons::Ok, model::MessageIcon::Error);
        return false;
    }
    m_port.setReceiveThreshold(m_settings.receiveThreshold);
    m_cursor.expectedReplyLength = static_cast<std::uint16_t>(m_settings.receiveThreshold);
    return true;
}

void LinkSession::closeLink()
{
    if (m_port.isOpen()) {
        m_port.close();
    }
    m_portLost = false;
}

void LinkSession::send(const Frame& frame, std::size_t replyLength, bool isGreeting)
{
    m_replyTimer->start(kReplyTimeout);
    m_cursor.expectedReplyLength = static_cast<std::uint16_t>(replyLength);
    m_port.setReceiveThreshold(replyLength);
    m_port.clearOutput();
    m_port.clearInput();
    if (isGreeting) {
        m_cursor.listening = true;
    }
    m_port.write(frame);
}

void LinkSession::sendGreeting()
{
    // A port lost to an unplugged adapter is opened again at the start of each attempt, so a
    // retry after plugging it back in goes through.
    if (m_portLost && !m_port.isOpen() && !m_settings.portId.empty() && m_port.open(m_settings)) {
        m_portLost = false;
    }
    send(greetingFrame(), kAckReplyLength, true);
}

void LinkSession::sendIdentityRequest()
{
    send(identityRequest(), kIdentityReplyLength);
}

void LinkSession::sendAck()
{
    send(ackFrame(), kAckReplyLength);
}

void LinkSession::sendEndFrame()
{
    send(endFrame(), kAckReplyLength);
}

void LinkSession::sendSectionEnd(int section)
{
    send(sectionEndFrame(section), kAckReplyLength);
}

ReadStepResult LinkSession::sendNextReadRequest()
{
    m_cursor.currentAddress = static_cast<std::int16_t>(m_cursor.currentAddress + m_cursor.blockLength);
    if (m_cursor.currentAddress >= m_cursor.endAddress) {
        return ReadStepResult::EndReached;
    }
    send(readRequest(m_cursor.currentAddress, m_cursor.blockLength), dataReplyLength(m_cursor.blockLength));
    return ReadStepResult::RequestSent;
}

WriteStepResult LinkSession::sendNextWriteStep()
{
    m_cursor.currentAddress = static_cast<std::int16_t>(m_cursor.currentAddress + m_cursor.blockLength);
    if (m_cursor.currentAddress == kSectionOneEndAddress) {
        sendSectionEnd(1);
        return WriteStepResult::SectionEndSent;
    }
    if (m_cursor.currentAddress == kSectionTwoStartTrigger) {
        m_cursor.currentAddress = kSectionTwoStartAddress;
    } else if (m_cursor.currentAddress == m_cursor.endAddress) {
        sendSectionEnd(2);
        return WriteStepResult::SectionEndSent;
    }
    if (m_cursor.currentAddress >= m_cursor.endAddress) {
        return WriteStepResult::EndReached;
    }
    if (m_listener != nullptr) {
        m_listener->writeProgress(m_cursor.currentAddress);
    }
    send(writeFrame(m_cursor.currentAddress, m_cursor.blockLength, m_image), kAckReplyLength);
    return WriteStepResult::WriteFrameSent;
}

void LinkSession::sendPasswordBlockRequest()
{
    send(readRequest(kPasswordBlockAddress, kBlockLength), dataReplyLength(kBlockLength));
}

void LinkSession::sendResetAllowedBlockRequest()
{
    send(readRequest(kResetAllowedBlockAddress, kBlockLength), dataReplyLength(kBlockLength));
}

void LinkSession::sendTestDataRequest()
{
    send(testDataRequest(m_cursor.blockLength), dataReplyLength(m_cursor.blockLength));
}

void LinkSession::sendTestDataFrame(std::span<const std::uint8_t, kBlockLength> block)
{
    send(testDataFrame(block), kAckReplyLength);
}

void LinkSession::storeDataReply(const Frame& frame)
{
    if (frame.size() < kDataHeaderLength) {
        return;
    }
    const auto data = dataBytes(frame);
    const std::size_t length = std::min<std::size_t>(frame[3], data.size());
    for (std::size_t i = 0; i < length; ++i) {
        const int address = m_cursor.currentAddress + static_cast<int>(i);
        if (address >= 0 && address <= kLastImageAddress) {
            m_image[static_cast<std::size_t>(address)] = data[i];
        }
    }
}

void LinkSession::stopReplyTimer()
{
    m_replyTimer->stop();
}

void LinkSession::portDataReceived()
{
    Frame bytes = m_port.readAll();
    if (!m_cursor.listening || m_listener == nullptr) {
        return;
    }
    if (bytes.size() > m_cursor.expectedReplyLength) {
        bytes.resize(m_cursor.expectedReplyLength);
    }
    const auto kind = classifyFrame(bytes, classificationFacts());
    if (!kind) {
        return; // the reply timer keeps running
    }
    m_replyTimer->stop();
    m_listener->frameReceived(*kind, bytes);
}

void LinkSession::portFailed(PortFailure failure)
{
    if (m_port.isOpen()) {
        m_port.close();
    }
    m_portLost = true;
    if (m_listener != nullptr) {
        m_listener->portFailed(failure);
    }
}

void LinkSession::onReplyTimeout()
{
    if (m_listener != nullptr) {
        m_listener->replyTimeout();
    }
}

} // namespace corvane::link
