#pragma once
// Prompts for widget tests: every message the window under test shows must have been announced
// with expect(), in order, with the answer to give. An unannounced message, or one that does not
// contain the announced text, fails the running QtTest function.

#include "model/prompts.h"

#include <deque>
#include <string>
#include <vector>

namespace corvane::testing {

class ScriptedPrompts : public model::Prompts
{
public:
    struct Shown
    {
        std::string text;
        model::MessageButtons buttons;
        model::MessageIcon icon;
    };

    void expect(std::string textPart, model::MessageAnswer answer = model::MessageAnswer::Ok);

    model::MessageAnswer showMessage(const std::string& text, model::MessageButtons buttons,
                                     model::MessageIcon icon, const std::string& title) override;

    const std::vector<Shown>& shown() const { return m_shown; }
    // True when every announced message was shown; the check a test ends with.
    bool allAnswered() const { return m_expected.empty(); }
    void clear();

private:
    struct Expected
    {
        std::string textPart;
        model::MessageAnswer answer;
    };
    std::deque<Expected> m_expected;
    std::vector<Shown> m_shown;
};

} // namespace corvane::testing
