#include "testsupport/recording_prompts.h"

#include <gtest/gtest.h>

namespace corvane::testing {

void RecordingPrompts::expect(std::string textPart, model::MessageAnswer answer, std::function<void()> whileShown)
{
    m_expected.push_back({std::move(textPart), answer, std::move(whileShown)});
}

void RecordingPrompts::expectFirst(std::string textPart, model::MessageAnswer answer)
{
    m_expected.push_front({std::move(textPart), answer, {}});
}

model::MessageAnswer RecordingPrompts::showMessage(const std::string& text, model::MessageButtons buttons,
                                                   model::MessageIcon icon, const std::string& title)
{
    m_shown.push_back({text, buttons, icon, title});
    const auto defaultAnswer = buttons == model::MessageButtons::YesNo || buttons == model::MessageButtons::YesNoCancel
                                   ? model::MessageAnswer::Yes
                                   : model::MessageAnswer::Ok;
    if (m_expected.empty()) {
        if (!m_allowUnannounced) {
            ADD_FAILURE() << "unannounced message: " << text;
        }
        return defaultAnswer;
    }
    const Expected next = m_expected.front();
    m_expected.pop_front();
    EXPECT_NE(text.find(next.textPart), std::string::npos)
        << "expected a message containing \"" << next.textPart << "\", got \"" << text << "\"";
    if (next.whileShown) {
        next.whileShown();
    }
    return next.answer;
}

std::vector<std::string> RecordingPrompts::texts() const
{
    std::vector<std::string> out;
    for (const Shown& s : m_shown) {
        out.push_back(s.text);
    }
    return out;
}

void RecordingPrompts::clear()
{
    m_expected.clear();
    m_shown.clear();
}

RecordingPrompts::~RecordingPrompts()
{
    if (!m_expected.empty()) {
        ADD_FAILURE() << m_expected.size() << " announced message(s) never shown, first: \""
                      << m_expected.front().textPart << "\"";
    }
}

} // namespace corvane::testing
