#include "testsupport/qt/scripted_prompts.h"

#include <QTest>

namespace corvane::testing {

void ScriptedPrompts::expect(std::string textPart, model::MessageAnswer answer)
{
    m_expected.push_back({std::move(textPart), answer});
}

model::MessageAnswer ScriptedPrompts::showMessage(const std::string& text, model::MessageButtons buttons,
                                                  model::MessageIcon icon, const std::string&)
{
    m_shown.push_back({text, buttons, icon});
    if (m_expected.empty()) {
        QTest::qFail(("unannounced message: " + text).c_str(), __FILE__, __LINE__);
        return buttons == model::MessageButtons::Ok ? model::MessageAnswer::Ok : model::MessageAnswer::Cancel;
    }
    const Expected next = m_expected.front();
    m_expected.pop_front();
    if (text.find(next.textPart) == std::string::npos) {
        QTest::qFail(
            ("expected a message containing \"" + next.textPart + "\", got \"" + text + "\"").c_str(),
            __FILE__, __LINE__);
    }
    return next.answer;
}

void ScriptedPrompts::clear()
{
    m_expected.clear();
    m_shown.clear();
}

} // namespace corvane::testing
