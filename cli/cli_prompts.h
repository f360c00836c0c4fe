#pragma once
// The operations' prompts for a run without a keyboard or a window. Every message becomes one
// line on stderr, "corvane-cli: " + the text, its line breaks shown as " / ", and every question
// is answered at once:
//   the read or write confirmation           OK
//   "Check Connection. Retry or Cancel?"      OK up to `retries` times in the run, then Cancel
//   the version question (hand-over)          No: the tool never starts another program
//   anything else with a Cancel button        Cancel
// The answer follows the question on its line. The progress window is a bar redrawn in place
// when stderr is a terminal, otherwise a line per percentage shown. The password dialog is never
// shown: the password comes from --password before the operation, and a refused one fails.
// It never reads stdin and never writes stdout (stdout is for the data a command prints).

#include "link/operation_prompts.h"
#include "model/text_pair.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace corvane::cli {

class CliPrompts : public link::OperationPrompts
{
public:
    CliPrompts(const model::LanguageState& language, std::FILE* err, bool errIsTerminal, int retries);
    ~CliPrompts() override;
    CliPrompts(const CliPrompts&) = delete;
    CliPrompts& operator=(const CliPrompts&) = delete;

    model::MessageAnswer showMessage(const std::string& text, model::MessageButtons buttons,
                                     model::MessageIcon icon, const std::string& title = {}) override;
    void openProgress(link::LinkOperation operation, model::Language language,
                      std::function<void()> onOpened) override;
    void updateProgress(int percent) override;
    void closeProgress() override;
    std::optional<std::string> askPassword(const std::string& enteredPassword,
                                           model::Language language) override;

    // A line of the tool's own, in the same form as the operations' messages.
    void say(std::string_view text);

    int retriesLeft() const { return m_retriesLeft; }

    // Whether `file` is a terminal (the progress bar then redraws in place).
    static bool isTerminal(std::FILE* file);

private:
    void line(std::string_view text);
    void endBarLine();
    void drawBar();
    model::Language language() const { return m_language.language; }

    const model::LanguageState& m_language;
    std::FILE* m_err;
    bool m_terminal;
    int m_retriesLeft;
    int m_retriesUsed = 0;
    bool m_progressOpen = false;
    bool m_barOnLine = false; // the bar occupies the current terminal line
    std::string m_caption;
    int m_percent = 0;
};

} // namespace corvane::cli
