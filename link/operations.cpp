#include "link/operations.h"

#include "channels/channel_rules.h"
#include "link/password.h"
#include "model/document_files.h"
#include "model/memory_image.h"
#include "model/model_band.h"
#include "model/shared_texts.h"
#include "model/test_data_block.h"
#include "model/version_table.h"

#include <cmath>

namespace corvane::link {

namespace {

using model::MessageAnswer;
using model::MessageButtons;
using model::MessageIcon;
namespace texts = model::texts;

constexpr model::TextTable<LinkOperation, 2> kCompleted{{
    {LinkOperation::Read, texts::kReadCompleted},
    {LinkOperation::Write, texts::kWriteCompleted},
}};

// The identity check compares model codes trimmed, cut at NUL, with the earlier generation's
// code standing for this one.
std::string comparableModelCode(std::string_view code)
{
    std::string normalised = model::normaliseModelCode(code);
    return normalised == model::kEarlierModelCode ? std::string(model::kOwnModelCode) : normalised;
}

} // namespace

int transferPercent(int address, int endAddress)
{
    if (endAddress == 0) {
        return 0;
    }
    const double exact = address * 100.0 / endAddress;
    const double below = std::floor(exact);
    const double fraction = exact - below;
    double rounded = fraction > 0.5 ? below + 1 : below;
    if (fraction == 0.5) {
        rounded = std::fmod(below, 2.0) == 0.0 ? below : below + 1;
    }
    return static_cast<int>(rounded);
}

RadioOperations::RadioOperations(model::ModelState& model, const model::LanguageState& language,
                                 RadioLinkState& state, LinkSession& session, Clock& clock,
                                 OperationPrompts& prompts, OperationShell& shell)
    : m_model(model), m_language(language), m_state(state), m_session(session), m_prompts(prompts),
      m_shell(shell), m_deferredWrite(clock.createTimer([this] { startDeferredWrite(); }))
{
    m_session.setListener(this);
}

RadioOperations::~RadioOperations()
{
    m_session.setListener(nullptr);
}

bool RadioOperations::isBusy() const
{
    return operation() != LinkOperation::None || m_deferredWrite->isActive();
}

std::int16_t& RadioOperations::step()
{
    OperationState& state = m_session.operationState();
    return state.operation == LinkOperation::Write ? state.writeStep : state.readStep;
}

void RadioOperations::say(std::string_view text, MessageIcon icon)
{
    m_prompts.showMessage(std::string(text), MessageButtons::Ok, icon);
}

// ---- starting ---------------------------------------------------------------------------------

void RadioOperations::enter(LinkOperation operation)
{
    m_session.operationState() = {operation, 0, 0};
    if (operation == LinkOperation::RadioInfoRead) {
        m_session.setRadioInfoPlan();
    } else {
        m_session.setFullTransferPlan();
    }
    m_session.cursor().listening = false;
    m_state.lastPercent = 0;
    m_lastResult = OperationResult::NotStarted;
    m_lastFailure = OperationFailure::None;
}

void RadioOperations::abandonStart(OperationFailure why)
{
    m_session.closeLink();
    m_session.operationState() = {};
    m_lastFailure = why;
}

bool RadioOperations::startRead()
{
    if (isBusy()) {
        return false;
    }
    m_shell.closeChildWindows();
    enter(LinkOperation::Read);
    // The port is tried before the question so that a missing cable shows up first; the
    // progress window opens it again.
    if (!m_session.openLink(m_shell.portId(), language())) {
        abandonStart(OperationFailure::PortNotOpened);
        return true;
    }
    m_session.closeLink();
    if (m_prompts.showMessage(std::string(model::pick(texts::kReadConfirmation, language())),
                              MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok) {
        abandonStart(OperationFailure::Declined);
        return true;
    }
    model::fillImageForTransfer(m_model);
    openProgressWindow(LinkOperation::Read);
    return true;
}

bool RadioOperations::startWrite()
{
    if (isBusy()) {
        return false;
    }
    m_lastResult = OperationResult::NotStarted;
    m_lastFailure = OperationFailure::None;
    m_shell.commitEditors();
    m_deferredWrite->start(kDeferredWriteStart);
    return true;
}

void RadioOperations::startDeferredWrite()
{
    if (m_model.document.channelCount <= 0) {
        m_lastFailure = OperationFailure::NoChannel;
        say(model::pick(texts::kWriteNeedsChannel, language()));
        return;
    }
    // A document that cannot be packed is refused before the port is touched or the user is
    // asked: nothing of it could reach the radio anyway.
    if (const auto problem = model::checkPackable(m_model)) {
        m_lastFailure = OperationFailure::PackingRejected;
        say(model::packProblemText(*problem, language()), MessageIcon::Exclamation);
        return;
    }
    enter(LinkOperation::Write);
    if (!m_session.openLink(m_shell.portId(), language())) {
        abandonStart(OperationFailure::PortNotOpened);
        return;
    }
    if (m_prompts.showMessage(std::string(model::pick(texts::kWriteConfirmation, language())),
                              MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok) {
        abandonStart(OperationFailure::Declined);
        return;
    }
    model::fillImageForTransfer(m_model);
    const model::PackResult packed = model::packImage(m_model);
    if (!packed.ok()) {
        // checkPackable passed a moment ago; an editor's late commit could still change that.
        abandonStart(OperationFailure::PackingRejected);
        say(model::packProblemText(*packed.problem, language()), MessageIcon::Exclamation);
        return;
    }
    openProgressWindow(LinkOperation::Write);
}

bool RadioOperations::startRadioInfoRead()
{
    if (isBusy()) {
        return false;
    }
    enter(LinkOperation::RadioInfoRead);
    if (!m_session.openLink(m_shell.portId(), language())) {
        abandonStart(OperationFailure::PortNotOpened);
        return true;
    }
    model::fillImageForTransfer(m_model);
    beginAttempt();
    return true;
}

void RadioOperations::openProgressWindow(LinkOperation operation)
{
    m_progressOpen = true;
    m_prompts.openProgress(operation, language(), [this] { progressOpened(); });
}

void RadioOperations::progressOpened()
{
    if (!m_progressOpen) {
        return;
    }
    if (!m_session.isLinkOpen() && !m_session.openLink(m_shell.portId(), language())) {
        fail(OperationFailure::PortNotOpened);
        return;
    }
    beginAttempt();
}

void RadioOperations::beginAttempt()
{
    m_session.cursor().greetingCount = 0;
    OperationState& state = m_session.operationState();
    if (state.operation == LinkOperation::Write) {
        state.writeStep = step::Greeting;
        state.readStep = 0;
    } else {
        state.readStep = step::Greeting;
    }
    m_session.sendGreeting();
}

void RadioOperations::restartAttempt()
{
    if (operation() == LinkOperation::RadioInfoRead) {
        m_session.setRadioInfoPlan();
    } else {
        m_session.setFullTransferPlan();
    }
    m_state.lastPercent = 0;
    if (m_progressOpen) {
        m_prompts.updateProgress(0);
    }
    beginAttempt();
}

void RadioOperations::askRetry()
{
    m_session.cursor().listening = false;
    const MessageAnswer answer = m_prompts.showMessage(std::string(model::pick(texts::kRetry, language())),
                                                       MessageButtons::OkCancel, MessageIcon::Question);
    if (answer == MessageAnswer::Ok) {
        restartAttempt();
    } else {
        fail(OperationFailure::NoAnswer);
    }
}

void RadioOperations::showPasswordDialog()
{
    if (const auto entry = m_prompts.askPassword(m_state.enteredPassword, language())) {
        m_state.enteredPassword = passwordFromEntry(*entry);
    }
}

void RadioOperations::resetToIdle()
{
    m_deferredWrite->stop();
    m_session.stopReplyTimer();
    m_session.closeLink();
    m_session.cursor().listening = false;
    const bool progressOpen = m_progressOpen;
    m_progressOpen = false;
    m_session.operationState() = {};
    if (progressOpen) {
        m_prompts.closeProgress();
    }
}

// ---- finishing --------------------------------------------------------------------------------

void RadioOperations::finish(bool success)
{
    const LinkOperation finished = operation();
    m_session.closeLink();
    m_session.stopReplyTimer();
    m_session.cursor().listening = false;
    // Idle before anything is shown: the message boxes and windows below run nested loops, and a
    // late port event or timer must find nothing to act on.
    m_session.operationState() = {};
    m_lastResult = success ? OperationResult::Succeeded : OperationResult::Failed;
    if (success) {
        m_lastFailure = OperationFailure::None;
    }
    if (m_progressOpen) {
        m_progressOpen = false;
        m_prompts.closeProgress();
    }
    if (!success) {
        return;
    }
    if (finished == LinkOperation::Read) {
        const channels::RangeWarningsSuppressed quiet(m_model);
        m_shell.closeChildWindows();
        model::unpackImage(m_model, m_state.radioModelCode, m_state.radioBandCode);
        model::markUntitled(m_model);
        m_shell.showReadDocument();
    } else if (finished == LinkOperation::RadioInfoRead) {
        model::unpackRadioInfo(m_model);
        m_shell.showRadioInformation();
    }
    if (finished == LinkOperation::Read || finished == LinkOperation::Write) {
        say(model::pick(kCompleted, finished, language()));
    }
}

void RadioOperations::fail(OperationFailure why)
{
    m_lastFailure = why;
    finish(false);
}

// ---- frames -------------------------------------------------------------------------------------

void RadioOperations::frameReceived(FrameKind kind, const Frame& frame)
{
    switch (operation()) {
    case LinkOperation::Read:
        readFrame(kind, frame);
        break;
    case LinkOperation::Write:
        writeFrame(kind, frame);
        break;
    case LinkOperation::RadioInfoRead:
        radioInfoFrame(kind, frame);
        break;
    case LinkOperation::None:
        break; // a reply after the end: nothing awaits it
    }
}

void RadioOperations::keepIdentity(const Frame& frame)
{
    const IdentityValues identity = parseIdentityReply(frame);
    m_state.radioModelCode = identity.modelCode;
    m_state.radioBandCode = identity.bandCode;
    m_state.radioVersion = identity.firmwareVersion;
    m_state.radioKilled = identity.killed;
    m_state.radioStunned = identity.stunned;
    storeIdentityReply(frame, m_model.radioImage);
}

// The steps a read and a write share: greeting, identity, password gate and closing. True when
// the frame was one of them.
bool RadioOperations::sharedStep(FrameKind kind, const Frame& frame)
{
    std::int16_t& s = step();
    if (s == step::Greeting && kind == FrameKind::Ack) {
        s = step::Identify;
        m_session.sendIdentityRequest();
    } else if (s == step::Identify && kind == FrameKind::Identity) {
        keepIdentity(frame);
        s = step::PasswordGate;
        m_session.sendAck();
    } else if (s == step::PasswordGate && kind == FrameKind::Ack) {
        s = step::PasswordRead;
        m_session.sendPasswordBlockRequest();
    } else if (s == step::Closing && kind == FrameKind::Ack) {
        finish(true);
    } else {
        return false;
    }
    return true;
}

// Each step awaits one kind of frame (the reply length the session waits for follows from the
// step). A recognised frame of another kind means the radio and the program disagree about
// where they are: the operation ends, as after an acknowledgement in a step that awaits none.
void RadioOperations::readFrame(FrameKind kind, const Frame& frame)
{
    if (sharedStep(kind, frame)) {
        return;
    }
    std::int16_t& s = step();
    if (s == step::PasswordRead && kind == FrameKind::PasswordBlock) {
        if (passwordCheck(frame)) {
            s = step::CheckGate;
            m_session.sendAck();
        }
    } else if (s == step::CheckGate && kind == FrameKind::Ack) {
        if (const OperationFailure why = identityChecks(false); why != OperationFailure::None) {
            fail(why);
            return;
        }
        s = step::Transfer;
        if (m_model.testModeOn) {
            m_session.sendTestDataRequest(); // the cursor stays before the first block
        } else if (m_session.sendNextReadRequest() == ReadStepResult::EndReached) {
            s = step::Closing;
            m_session.sendEndFrame();
        }
    } else if (s == step::Transfer && kind == FrameKind::Data) {
        m_session.storeDataReply(frame);
        updateProgress(m_session.cursor().currentAddress);
        s = step::TransferAck;
        m_session.sendAck();
    } else if (s == step::Transfer && kind == FrameKind::TestDataBlock) {
        // The block at 0x1F0 belongs to the test-data table, never to the image.
        m_model.testData = model::decodeTestDataBlock(dataBytes(frame));
        s = step::TransferAck;
        m_session.sendAck();
    } else if (s == step::TransferAck && kind == FrameKind::Ack) {
        if (m_session.sendNextReadRequest() == ReadStepResult::EndReached) {
            s = step::Closing;
            m_session.sendEndFrame();
        } else {
            s = step::Transfer;
        }
    } else {
        fail(OperationFailure::UnexpectedReply);
    }
}

void RadioOperations::writeFrame(FrameKind kind, const Frame& frame)
{
    if (sharedStep(kind, frame)) {
        return;
    }
    std::int16_t& s = step();
    if (s == step::PasswordRead && kind == FrameKind::PasswordBlock) {
        if (passwordCheck(frame)) {
            s = step::ResetGate;
            m_session.sendAck();
        }
    } else if (s == step::ResetGate && kind == FrameKind::Ack) {
        s = step::ResetAllowedRead;
        m_session.sendResetAllowedBlockRequest();
    } else if (s == step::ResetAllowedRead && kind == FrameKind::ResetAllowedBlock) {
        model::takeResetAllowedFromRadio(m_model, frame);
        s = step::CheckGate;
        m_session.sendAck();
    } else if (s == step::CheckGate && kind == FrameKind::Ack) {
        if (const OperationFailure why = identityChecks(true); why != OperationFailure::None) {
            fail(why);
            return;
        }
        s = step::Transfer;
        if (m_model.testModeOn) {
            const model::TestDataBlock block = model::encodeTestDataBlock(m_model.testData);
            m_session.sendTestDataFrame(block);
        } else if (m_session.sendNextWriteStep() == WriteStepResult::EndReached) {
            s = step::Closing;
            m_session.sendEndFrame();
        }
    } else if (s == step::Transfer && kind == FrameKind::Ack) {
        if (m_session.sendNextWriteStep() == WriteStepResult::EndReached) {
            s = step::Closing;
            m_session.sendEndFrame();
        }
    } else {
        fail(OperationFailure::UnexpectedReply);
    }
}

void RadioOperations::radioInfoFrame(FrameKind kind, const Frame& frame)
{
    std::int16_t& s = step();
    if (s == step::Greeting && kind == FrameKind::Ack) {
        s = step::Identify;
        m_session.sendIdentityRequest();
    } else if (s == step::Identify && kind == FrameKind::Identity) {
        s = step::CheckGate; // the identity is neither kept nor copied into the image
        m_session.sendAck();
    } else if ((s == step::CheckGate || s == step::TransferAck) && kind == FrameKind::Ack) {
        if (m_session.sendNextReadRequest() == ReadStepResult::EndReached) {
            s = step::Closing;
            m_session.sendEndFrame();
        } else {
            s = step::Transfer;
        }
    } else if (s == step::Transfer && kind == FrameKind::Data) {
        m_session.storeDataReply(frame);
        s = step::TransferAck;
        m_session.sendAck();
    } else if (s == step::Closing && kind == FrameKind::Ack) {
        finish(true);
    } else {
        fail(OperationFailure::UnexpectedReply);
    }
}

// ---- timeouts -----------------------------------------------------------------------------------

void RadioOperations::greetingTimedOut(bool askWhenExhausted)
{
    TransferCursor& cursor = m_session.cursor();
    ++cursor.greetingCount;
    if (cursor.greetingCount < kGreetingsPerAttempt) {
        m_session.sendGreeting();
    } else if (askWhenExhausted) {
        askRetry();
    } else {
        radioInfoEnded();
    }
}

// The information read asks no question where it ends for lack of a reply; the user is still
// told why nothing appeared, with the retry question's text and an OK button only.
void RadioOperations::radioInfoEnded()
{
    m_session.cursor().listening = false;
    fail(OperationFailure::NoAnswer);
    say(model::pick(texts::kRetry, language()), MessageIcon::Exclamation);
}

void RadioOperations::replyTimeout()
{
    const LinkOperation current = operation();
    const std::int16_t s = step();
    if (current == LinkOperation::None) {
        return;
    }
    if (s == step::Closing) {
        finish(true); // a lost acknowledgement of the end frame is no error
        return;
    }
    if (current == LinkOperation::RadioInfoRead) {
        switch (s) {
        case step::Greeting:
            greetingTimedOut(false);
            return;
        case step::Transfer:
            askRetry();
            return;
        case step::Identify:
        case step::CheckGate:
        case step::TransferAck:
            radioInfoEnded();
            return;
        default:
            fail(OperationFailure::NoAnswer);
            return;
        }
    }
    switch (s) {
    case step::Greeting:
        greetingTimedOut(true);
        return;
    case step::Identify:
    case step::CheckGate:
    case step::Transfer:
    case step::PasswordGate:
    case step::PasswordRead:
        askRetry();
        return;
    case step::TransferAck:
        if (current == LinkOperation::Read) {
            askRetry();
            return;
        }
        break;
    case step::ResetGate:
    case step::ResetAllowedRead:
        if (current == LinkOperation::Write) {
            askRetry();
            return;
        }
        break;
    default:
        break;
    }
    fail(OperationFailure::NoAnswer);
}

void RadioOperations::portFailed(PortFailure failure)
{
    // The session has closed the port; the reply timer still runs, so the step's timeout leads
    // to the retry question, and the next greeting opens the port again.
    (void)failure;
}

// ---- checks and progress ------------------------------------------------------------------------

bool RadioOperations::passwordCheck(const Frame& frame)
{
    if (passwordAccepted(frame, m_state.enteredPassword)) {
        return true;
    }
    m_session.stopReplyTimer();
    const auto entry = m_prompts.askPassword(m_state.enteredPassword, language());
    if (!entry) {
        // The user chose to stop: end without telling them what they already know.
        fail(OperationFailure::PasswordRefused);
        return false;
    }
    m_state.enteredPassword = passwordFromEntry(*entry);
    if (passwordAccepted(frame, m_state.enteredPassword)) {
        restartAttempt();
        return false;
    }
    say(texts::kPasswordFailure);
    fail(OperationFailure::PasswordRefused);
    return false;
}

OperationFailure RadioOperations::identityChecks(bool forWrite)
{
    const std::string documentCode = m_model.document.radioType.modelCode.value();
    const bool modelDiffers = comparableModelCode(m_state.radioModelCode) != comparableModelCode(documentCode);
    const bool bandDiffers = model::bandCodeForText(m_model.currentModel.currentBand) != m_state.radioBandCode;
    model::HandOverContext context = m_shell.handOverContext();
    context.closeSerialPort = [this] { m_session.closeLink(); };
    const std::string& programVersion = m_model.currentModel.programVersion;
    const bool versionOk = model::versionsCompatible(context.versions, programVersion, m_state.radioVersion);

    if (modelDiffers) {
        say(std::string(model::pick(texts::kModelMismatch, language())) + "\r\nPC is " +
            model::modelNameForCode(documentCode) + "\r\nRadio is " + model::modelNameForCode(m_state.radioModelCode));
        return OperationFailure::ModelMismatch;
    }
    if (bandDiffers && versionOk) {
        if (forWrite) {
            say(model::pick(texts::kBandMismatch, language()), MessageIcon::Exclamation);
            return OperationFailure::BandMismatch;
        }
    } else if (!versionOk) {
        m_session.stopReplyTimer();
        model::offerHandOver(programVersion, m_state.radioVersion, m_model, context);
        return OperationFailure::VersionMismatch;
    }
    if (forWrite && m_state.radioKilled) {
        say(model::pick(texts::kRadioKilled, language()));
        return OperationFailure::RadioKilled;
    }
    if (forWrite && m_state.radioStunned) {
        say(model::pick(texts::kRadioStunned, language()));
        return OperationFailure::RadioStunned;
    }
    return OperationFailure::None;
}

void RadioOperations::updateProgress(int address)
{
    const int percent = transferPercent(address, m_session.cursor().endAddress);
    if (percent - m_state.lastPercent < 1) {
        return;
    }
    m_state.lastPercent = static_cast<std::int16_t>(percent);
    if (m_progressOpen) {
        m_prompts.updateProgress(percent);
    }
}

void RadioOperations::writeProgress(std::int16_t address)
{
    if (operation() == LinkOperation::Write) {
        updateProgress(address);
    }
}

} // namespace corvane::link
