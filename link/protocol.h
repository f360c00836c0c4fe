#pragma once
// The programming link: one session per program run that owns the transfer cursor, `listening`,
// the operation and step variables, the port and the 1500 ms reply timer. It sends the frames of
// the protocol with the five-step send procedure, receives with the receive threshold and hands
// every recognised frame, and every reply timeout, to its LinkListener (the operation layer's
// step machine). It decides nothing about operations and shows only one message: the port that
// cannot be opened.
//
// It never pipelines: each send replaces whatever reply the previous frame awaited, and the
// input buffer is cleared before each frame goes out.

#include "link/clock.h"
#include "link/frames.h"
#include "link/serial_port.h"
#include "model/model_state.h"
#include "model/prompts.h"
#include "model/text_pair.h"

#include <cstdint>
#include <memory>
#include <string>

namespace corvane::link {

inline constexpr Milliseconds kReplyTimeout{1500};

// The transfer cursor, shared by all operations (one instance, in the session).
struct TransferCursor
{
    std::int16_t blockLength = kBlockLength;
    std::int16_t currentAddress = 0; // block in transfer; starts one block before the first
    std::int16_t endAddress = 0;     // first address no longer transferred
    std::uint16_t expectedReplyLength = 1; // the port's receive threshold
    bool listening = false;          // false: received bytes are drained and ignored
    std::int16_t greetingCount = 0;  // unanswered greetings of the current attempt
};

// The operation in progress and its two step variables; the step machine sets them, the
// classification of received frames reads them.
struct OperationState
{
    LinkOperation operation = LinkOperation::None;
    std::int16_t readStep = 0;  // Read and RadioInfoRead
    std::int16_t writeStep = 0; // Write
};

// What the step machine implements.
class LinkListener
{
public:
    virtual ~LinkListener() = default;
    // A recognised frame; the reply timer has been stopped before this call.
    virtual void frameReceived(FrameKind kind, const Frame& frame) = 0;
    // 1500 ms passed after the last frame without a recognised reply; the timer has stopped.
    virtual void replyTimeout() = 0;
    // sendNextWriteStep is about to send the WriteFrame for `address` (the progress update).
    virtual void writeProgress(std::int16_t address) { (void)address; }
    // The port failed while open (an unplugged adapter): it is closed now. The reply timer keeps
    // running, so an operation that does nothing here still gets its replyTimeout; the next
    // greeting tries to open the port again.
    virtual void portFailed(PortFailure failure) { (void)failure; }
};

enum class ReadStepResult { RequestSent, EndReached };
enum class WriteStepResult { WriteFrameSent, SectionEndSent, EndReached };

class LinkSession : private SerialPortListener
{
public:
    // `image` is the one radio image (ModelState::radioImage): write frames take their bytes from
    // it and storeDataReply writes into it.
    LinkSession(SerialPort& port, Clock& clock, model::RadioImage& image, model::Prompts& prompts);
    ~LinkSession() override;
    LinkSession(const LinkSession&) = delete;
    LinkSession& operator=(const LinkSession&) = delete;

    void setListener(LinkListener* listener) { m_listener = listener; }

    TransferCursor& cursor() { return m_cursor; }
    const TransferCursor& cursor() const { return m_cursor; }
    OperationState& operationState() { return m_operation; }
    const OperationState& operationState() const { return m_operation; }
    ClassificationFacts classificationFacts() const;

    // The cursor for an address plan: block 16, start one block before the first address.
    void setFullTransferPlan();   // read and write: -16 .. 0x3A0
    void setRadioInfoPlan();      // radio-information read: 0x1A0 .. 0x1F0

    // Closes the port if open, applies the link settings for `portId` and opens it. When it
    // cannot be opened, "Cannot Open Communication Port." is shown (error icon) and false returned.
    bool openLink(const std::string& portId, model::Language language);
    void closeLink();
    bool isLinkOpen() const { return m_port.isOpen(); }
    const LinkSettings& settings() const { return m_settings; }

    void sendGreeting(); // also sets listening
    void sendIdentityRequest();
    void sendAck();
    void sendEndFrame();
    void sendSectionEnd(int section);
    ReadStepResult sendNextReadRequest();
    WriteStepResult sendNextWriteStep();
    void sendPasswordBlockRequest();
    void sendResetAllowedBlockRequest();
    void sendTestDataRequest();
    void sendTestDataFrame(std::span<const std::uint8_t, kBlockLength> block);

    // Copies the data bytes of a DataReply into the image at currentAddress + i, skipping any
    // byte that would lie past 0x3FF.
    void storeDataReply(const Frame& frame);

    void stopReplyTimer();
    bool replyTimerRunning() const { return m_replyTimer->isActive(); }

private:
    void portDataReceived() override;
    void portFailed(PortFailure failure) override;
    void send(const Frame& frame, std::size_t replyLength, bool isGreeting = false);
    void onReplyTimeout();

    SerialPort& m_port;
    model::RadioImage& m_image;
    model::Prompts& m_prompts;
    std::unique_ptr<Timer> m_replyTimer;
    LinkListener* m_listener = nullptr;
    TransferCursor m_cursor;
    OperationState m_operation;
    LinkSettings m_settings;
    bool m_portLost = false;
};

} // namespace corvane::link
