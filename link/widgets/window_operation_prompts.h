#pragma once
// The operations' prompts in Corvane's windows: message boxes (platform::MessageBoxPrompts), the
// modal progress window and the password dialog, all in the language current when they open.
// openProgress runs the progress window's modal loop: it returns only after closeProgress(),
// and the operation's first greeting goes out from inside that loop once the window shows.

#include "link/operation_prompts.h"
#include "link/widgets/progress_window.h"
#include "platform/widgets/message_box_prompts.h"

#include <QPointer>

namespace corvane::link {

class WindowOperationPrompts : public OperationPrompts
{
public:
    using LanguageSource = platform::MessageBoxPrompts::LanguageSource;
    using ParentSource = platform::MessageBoxPrompts::ParentSource;

    WindowOperationPrompts(LanguageSource language, ParentSource parent);

    model::MessageAnswer showMessage(const std::string& text, model::MessageButtons buttons,
                                     model::MessageIcon icon, const std::string& title = {}) override;
    void openProgress(LinkOperation operation, model::Language language, std::function<void()> onOpened) override;
    void updateProgress(int percent) override;
    void closeProgress() override;
    std::optional<std::string> askPassword(const std::string& enteredPassword, model::Language language) override;

    // The open progress window, or null.
    ProgressWindow* progressWindow() const { return m_progress; }

private:
    platform::MessageBoxPrompts m_messages;
    ParentSource m_parent;
    QPointer<ProgressWindow> m_progress;
};

} // namespace corvane::link
