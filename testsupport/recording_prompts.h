#pragma once
// Prompts for core tests: every message the code under test shows must have been announced with
// expect(), in order, together with the answer to give. An unannounced message fails the test.

#include "model/prompts.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace corvane::testing {

class RecordingPrompts : public model::Prompts
{
public:
    struct Shown
    {
        std::string text;
        model::MessageButtons buttons;
        model::MessageIcon icon;
        std::string title;
    };

    // The next message must contain `textPart`; it is answered with `answer`. `whileShown` runs
    // before the answer is given, as if the user did something while the box was open (pulled a
    // cable, looked at the clock).
    void expect(std::string textPart, model::MessageAnswer answer = model::MessageAnswer::Ok,
                std::function<void()> whileShown = {});
    // Like expect(), but ahead of every message announced so far: for a fixture that answers the
    // opening question of a command after the test announced what follows it.
    void expectFirst(std::string textPart, model::MessageAnswer answer = model::MessageAnswer::Ok);
    // Messages are recorded and answered Ok / Yes without being announced.
    void allowUnannounced(bool allow) { m_allowUnannounced = allow; }

    model::MessageAnswer showMessage(const std::string& text, model::MessageButtons buttons,
                                     model::MessageIcon icon, const std::string& title) override;

    const std::vector<Shown>& shown() const { return m_shown; }
    std::vector<std::string> texts() const;
    bool allAnswered() const { return m_expected.empty(); }
    void clear();

    ~RecordingPrompts() override;

private:
    struct Expected
    {
        std::string textPart;
        model::MessageAnswer answer;
        std::function<void()> whileShown;
    };
    std::deque<Expected> m_expected;
    std::vector<Shown> m_shown;
    bool m_allowUnannounced = false;
};

} // namespace corvane::testing
