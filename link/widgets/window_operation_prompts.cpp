#include "link/widgets/window_operation_prompts.h"

#include "link/widgets/password_dialog.h"
#include "link/widgets/progress_window.h"

#include <QTimer>

namespace corvane::link {

WindowOperationPrompts::WindowOperationPrompts(LanguageSource language, ParentSource parent)
    : m_messages(std::move(language), parent), m_parent(std::move(parent))
{
}

model::MessageAnswer WindowOperationPrompts::showMessage(const std::string& text, model::MessageButtons buttons,
                                                         model::MessageIcon icon, const std::string& title)
{
    return m_messages.showMessage(text, buttons, icon, title);
}

void WindowOperationPrompts::openProgress(LinkOperation operation, model::Language language,
                                          std::function<void()> onOpened)
{
    ProgressWindow window(operation, language, m_parent ? m_parent() : nullptr);
    m_progress = &window;
    // Queued, so it runs inside the modal loop once the window is shown; closeProgress() from
    // there (or from anything later) ends the loop.
    QTimer::singleShot(0, &window, [onOpened = std::move(onOpened)] { onOpened(); });
    window.exec();
    m_progress = nullptr;
}

void WindowOperationPrompts::updateProgress(int percent)
{
    if (m_progress) {
        m_progress->setPercent(percent);
    }
}

void WindowOperationPrompts::closeProgress()
{
    if (m_progress) {
        m_progress->finish();
    }
}

std::optional<std::string> WindowOperationPrompts::askPassword(const std::string& enteredPassword,
                                                               model::Language language)
{
    return PasswordDialog::ask(enteredPassword, language, m_parent ? m_parent() : nullptr);
}

} // namespace corvane::link
