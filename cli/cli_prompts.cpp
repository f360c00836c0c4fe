#include "cli/cli_prompts.h"

#include "cli/cli_texts.h"
#include "model/number_text.h"
#include "model/shared_texts.h"

#include <unistd.h>

namespace corvane::cli {

namespace {

using model::MessageAnswer;
using model::MessageButtons;

constexpr std::string_view kPrefix = "corvane-cli: ";
constexpr int kBarWidth = 30;

// One line per message: the CR LF breaks of the system's texts become " / ".
std::string oneLine(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            out += " / ";
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

CliPrompts::CliPrompts(const model::LanguageState& language, std::FILE* err, bool errIsTerminal, int retries)
    : m_language(language), m_err(err), m_terminal(errIsTerminal), m_retriesLeft(retries)
{
}

CliPrompts::~CliPrompts()
{
    endBarLine();
}

bool CliPrompts::isTerminal(std::FILE* file)
{
    return file != nullptr && ::isatty(::fileno(file)) == 1;
}

void CliPrompts::endBarLine()
{
    if (m_barOnLine) {
        std::fputs("\n", m_err);
        std::fflush(m_err);
        m_barOnLine = false;
    }
}

void CliPrompts::line(std::string_view text)
{
    endBarLine();
    const std::string out = std::string(kPrefix) + oneLine(text) + "\n";
    std::fwrite(out.data(), 1, out.size(), m_err);
    std::fflush(m_err);
}

void CliPrompts::say(std::string_view text)
{
    line(text);
}

MessageAnswer CliPrompts::showMessage(const std::string& text, MessageButtons buttons,
                                      model::MessageIcon icon, const std::string& title)
{
    (void)icon;
    (void)title;
    const model::Language lang = language();
    MessageAnswer answer = MessageAnswer::Ok;
    std::string answered;
    switch (buttons) {
    case MessageButtons::Ok:
        break;
    case MessageButtons::OkCancel:
        if (text == model::pick(model::texts::kRetry, lang)) {
            if (m_retriesLeft > 0) {
                --m_retriesLeft;
                ++m_retriesUsed;
                answered = texts::withValue(model::pick(texts::kAnsweredRetry, lang),
                                            model::formatInteger(m_retriesUsed));
            } else {
                answer = MessageAnswer::Cancel;
                answered = model::pick(texts::kAnsweredCancel, lang);
            }
        } else {
            // The read or write confirmation: the command line was the user's confirmation.
            answered = model::pick(texts::kAnsweredOk, lang);
        }
        break;
    case MessageButtons::YesNo:
        // The version question: never hand over to another program from a script.
        answer = MessageAnswer::No;
        answered = model::pick(texts::kAnsweredNo, lang);
        break;
    case MessageButtons::YesNoCancel:
        answer = MessageAnswer::Cancel;
        answered = model::pick(texts::kAnsweredCancel, lang);
        break;
    }
    line(answered.empty() ? text : text + " " + answered);
    return answer;
}

void CliPrompts::openProgress(link::LinkOperation operation, model::Language language,
                              std::function<void()> onOpened)
{
    m_caption =
        std::string(model::pick(operation == link::LinkOperation::Write ? model::texts::kProgressCaptionWrite
                                                                        : model::texts::kProgressCaptionRead,
                                language));
    m_progressOpen = true;
    m_percent = 0;
    if (m_terminal) {
        drawBar();
    } else {
        line(m_caption);
    }
    // Nothing to wait for: the event loop carries the operation from here.
    onOpened();
}

void CliPrompts::drawBar()
{
    const int filled = m_percent * kBarWidth / 100;
    std::string bar = "\r" + m_caption + " [" + std::string(static_cast<std::size_t>(filled), '#') +
                      std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] " +
                      model::formatInteger(m_percent) + "%";
    std::fwrite(bar.data(), 1, bar.size(), m_err);
    std::fflush(m_err);
    m_barOnLine = true;
}

void CliPrompts::updateProgress(int percent)
{
    if (!m_progressOpen) {
        return;
    }
    m_percent = percent;
    if (m_terminal) {
        drawBar();
    } else {
        line(std::string(model::pick(model::texts::kProgressLabel, language())) + " " +
             model::formatInteger(percent) + "%");
    }
}

void CliPrompts::closeProgress()
{
    m_progressOpen = false;
    endBarLine();
}

std::optional<std::string> CliPrompts::askPassword(const std::string& enteredPassword,
                                                   model::Language language)
{
    // The step machine ends silently when the dialog is cancelled: say why here.
    line(enteredPassword.empty() ? std::string(model::pick(texts::kPasswordNeeded, language))
                                 : std::string(model::texts::kPasswordFailure));
    return std::nullopt;
}

} // namespace corvane::cli
