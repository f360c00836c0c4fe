#include "testsupport/recording_operation_prompts.h"

#include "model/number_text.h"

#include <gtest/gtest.h>

namespace corvane::testing {

RecordingOperationPrompts::~RecordingOperationPrompts()
{
    EXPECT_FALSE(m_progressOpen) << "the progress window was left open";
    if (!m_passwords.empty()) {
        ADD_FAILURE() << m_passwords.size() << " announced password dialog(s) never shown";
    }
}

void RecordingOperationPrompts::log(std::string what)
{
    m_events.push_back({m_clock != nullptr ? m_clock->now() : link::Milliseconds(0), std::move(what)});
}

void RecordingOperationPrompts::expectPassword(std::optional<std::string> entry, std::function<void()> whileShown)
{
    m_passwords.push_back({std::move(entry), std::move(whileShown)});
}

model::MessageAnswer RecordingOperationPrompts::showMessage(const std::string& text, model::MessageButtons buttons,
                                                            model::MessageIcon icon, const std::string& title)
{
    log("message " + text);
    return messages.showMessage(text, buttons, icon, title);
}

void RecordingOperationPrompts::openProgress(link::LinkOperation operation, model::Language language,
                                             std::function<void()> onOpened)
{
    (void)language;
    EXPECT_FALSE(m_progressOpen) << "the progress window opened twice";
    EXPECT_TRUE(operation == link::LinkOperation::Read || operation == link::LinkOperation::Write);
    m_progressOpen = true;
    log(std::string("progress open ") + (operation == link::LinkOperation::Read ? "Read" : "Write"));
    onOpened();
}

void RecordingOperationPrompts::updateProgress(int percent)
{
    EXPECT_TRUE(m_progressOpen) << "progress " << percent << " without a window";
    log("progress " + model::formatInteger(percent) + "%");
}

void RecordingOperationPrompts::closeProgress()
{
    EXPECT_TRUE(m_progressOpen) << "closing a progress window that is not open";
    m_progressOpen = false;
    log("progress close");
}

std::optional<std::string> RecordingOperationPrompts::askPassword(const std::string& enteredPassword,
                                                                  model::Language language)
{
    (void)language;
    log("password " + enteredPassword);
    if (m_passwords.empty()) {
        ADD_FAILURE() << "unannounced password dialog";
        return std::nullopt;
    }
    PasswordAnswer answer = std::move(m_passwords.front());
    m_passwords.pop_front();
    if (answer.whileShown) {
        answer.whileShown();
    }
    return answer.entry;
}

std::vector<std::string> RecordingOperationPrompts::eventTexts() const
{
    std::vector<std::string> out;
    for (const Event& event : m_events) {
        out.push_back(event.what);
    }
    return out;
}

std::vector<int> RecordingOperationPrompts::percents() const
{
    std::vector<int> out;
    for (const Event& event : m_events) {
        if (event.what.rfind("progress ", 0) == 0 && event.what.back() == '%') {
            const std::string digits = event.what.substr(9, event.what.size() - 10);
            out.push_back(static_cast<int>(model::parseInteger(digits).value_or(-1)));
        }
    }
    return out;
}

} // namespace corvane::testing
