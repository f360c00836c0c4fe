#pragma once
// OperationPrompts for core tests of the radio operations: messages go to a RecordingPrompts
// (announce them with messages.expect()), the progress window and the password dialog are
// scripted here. Everything the operations show lands in one event log, stamped with the clock's
// time, so a test can check the order and the moment of what the user saw. An unannounced
// password dialog, a progress update without an open window or a window left open fail the test.

#include "link/clock.h"
#include "link/operation_prompts.h"
#include "testsupport/recording_prompts.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvane::testing {

class RecordingOperationPrompts : public link::OperationPrompts
{
public:
    struct Event
    {
        link::Milliseconds at{0};
        std::string what; // "message <text>", "progress open Read", "progress 45%", "progress close", "password <preset>"
    };

    explicit RecordingOperationPrompts(const link::Clock* clock = nullptr) : m_clock(clock) {}
    ~RecordingOperationPrompts() override;

    RecordingPrompts messages;

    // The next password dialog is answered with `entry` typed into the field, or Cancel;
    // `whileShown` runs first, while the dialog is open.
    void expectPassword(std::optional<std::string> entry, std::function<void()> whileShown = {});

    model::MessageAnswer showMessage(const std::string& text, model::MessageButtons buttons,
                                     model::MessageIcon icon, const std::string& title = {}) override;
    void openProgress(link::LinkOperation operation, model::Language language,
                      std::function<void()> onOpened) override;
    void updateProgress(int percent) override;
    void closeProgress() override;
    std::optional<std::string> askPassword(const std::string& enteredPassword, model::Language language) override;

    const std::vector<Event>& events() const { return m_events; }
    std::vector<std::string> eventTexts() const;
    // The percentages shown, in order.
    std::vector<int> percents() const;
    bool progressOpen() const { return m_progressOpen; }
    void clearEvents() { m_events.clear(); }

private:
    void log(std::string what);

    const link::Clock* m_clock;
    struct PasswordAnswer
    {
        std::optional<std::string> entry;
        std::function<void()> whileShown;
    };
    std::deque<PasswordAnswer> m_passwords;
    std::vector<Event> m_events;
    bool m_progressOpen = false;
};

} // namespace corvane::testing
