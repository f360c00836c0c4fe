#pragma once
// The three radio operations — read the radio into a new document, write the document into the
// radio, read the radio's information block — as one step machine over the LinkSession. It
// decides, for every recognised frame and every reply timeout, what goes out next (the step
// numbers of frames.h), makes the password and identity checks, keeps the progress and says
// everything the user sees through OperationPrompts. The document changes only at the end of a
// successful read; a write changes only the image.
//
// One operation at a time: a start command while one runs (or while a write waits for its
// deferred start) is refused and leaves the running one alone. It never sleeps and never blocks:
// the port's events and the clock's timers drive it.

#include "link/clock.h"
#include "link/operation_prompts.h"
#include "link/protocol.h"
#include "link/radio_link_state.h"
#include "model/model_state.h"
#include "model/text_pair.h"

#include <cstdint>
#include <memory>

namespace corvane::link {

// The write starts this long after the editors were told to commit their focused controls.
inline constexpr Milliseconds kDeferredWriteStart{100};
// Unanswered greetings of one attempt before the user is asked (or an information read ends).
inline constexpr int kGreetingsPerAttempt = 3;

enum class OperationResult {
    NotStarted, // refused (another operation runs), declined, or stopped before the first greeting
    Failed,     // ended without success: cancelled retry, failed checks, wrong password
    Succeeded,
};

// Why the last operation did not succeed, for a caller that needs more than the messages already
// shown (the command-line tool's exit codes). None after a success and before any operation.
enum class OperationFailure {
    None,
    PortNotOpened,   // "Cannot Open Communication Port." (at the start or when the progress opened)
    Declined,        // the read or write confirmation was answered Cancel
    NoChannel,       // a write of a document without channels
    PackingRejected, // a write of a document with a value that does not pack
    NoAnswer,        // no reply (silent radio, lost reply, pulled cable) and the retry was cancelled,
                     // or an information read ended for lack of a reply
    UnexpectedReply, // a recognised frame of a kind the step did not await
    PasswordRefused, // the radio's password was not accepted (or its dialog was cancelled)
    ModelMismatch,
    BandMismatch,    // write only: a read from a radio of another band goes ahead
    VersionMismatch, // the radio's firmware version is not handled by this program version
    RadioKilled,
    RadioStunned,
};

// percent = address * 100 / endAddress, rounded to the nearest whole number, halves to even.
int transferPercent(int address, int endAddress);

class RadioOperations : public LinkListener
{
public:
    // Everything by reference and for the whole run: the model state (document, image, test
    // data), the language, the link state of AppState, the session and its clock, the prompts
    // and the shell. Becomes the session's listener.
    RadioOperations(model::ModelState& model, const model::LanguageState& language, RadioLinkState& state,
                    LinkSession& session, Clock& clock, OperationPrompts& prompts, OperationShell& shell);
    ~RadioOperations() override;
    RadioOperations(const RadioOperations&) = delete;
    RadioOperations& operator=(const RadioOperations&) = delete;

    // The entry points of the main window. False when refused because an operation runs; true
    // when the command was taken (it may still have ended at once: declined, no port ...).
    bool startRead();
    // The editors commit now; the write itself starts kDeferredWriteStart later.
    bool startWrite();
    bool startRadioInfoRead();

    // The "&PassWord" command: the dialog with the entered password; OK replaces it.
    void showPasswordDialog();

    // Ends whatever runs without a message (a new document replaces everything): reply timer
    // stopped, port closed, a pending write dropped, the progress window closed, idle.
    void resetToIdle();

    bool isBusy() const;
    LinkOperation operation() const { return m_session.operationState().operation; }
    OperationResult lastResult() const { return m_lastResult; }
    // Why the last operation failed or did not start; None when it succeeded. A start command
    // refused because another operation runs changes neither this nor lastResult().
    OperationFailure lastFailure() const { return m_lastFailure; }

    // LinkListener
    void frameReceived(FrameKind kind, const Frame& frame) override;
    void replyTimeout() override;
    void writeProgress(std::int16_t address) override;
    void portFailed(PortFailure failure) override;

private:
    void startDeferredWrite();
    void enter(LinkOperation operation);
    void abandonStart(OperationFailure why);
    void openProgressWindow(LinkOperation operation);
    void progressOpened();
    void beginAttempt();
    void restartAttempt();
    void askRetry();
    void finish(bool success);
    void fail(OperationFailure why);

    bool sharedStep(FrameKind kind, const Frame& frame);
    void readFrame(FrameKind kind, const Frame& frame);
    void writeFrame(FrameKind kind, const Frame& frame);
    void radioInfoFrame(FrameKind kind, const Frame& frame);
    void greetingTimedOut(bool askWhenExhausted);
    void radioInfoEnded();

    void keepIdentity(const Frame& frame);
    // True when the operation goes on; otherwise it has restarted or finished.
    bool passwordCheck(const Frame& frame);
    // None when the checks pass; otherwise the message has been shown.
    OperationFailure identityChecks(bool forWrite);
    void updateProgress(int address);

    std::int16_t& step();
    model::Language language() const { return m_language.language; }
    void say(std::string_view text, model::MessageIcon icon = model::MessageIcon::None);

    model::ModelState& m_model;
    const model::LanguageState& m_language;
    RadioLinkState& m_state;
    LinkSession& m_session;
    OperationPrompts& m_prompts;
    OperationShell& m_shell;
    std::unique_ptr<Timer> m_deferredWrite;
    bool m_progressOpen = false;
    OperationResult m_lastResult = OperationResult::NotStarted;
    OperationFailure m_lastFailure = OperationFailure::None;
};

} // namespace corvane::link
