#pragma once
// The one way the core talks to the user. The core decides what to say; the shell shows it:
// a message box in Corvane, a line on stderr in corvane-cli, a recorded entry in tests. The core
// never opens a window and never blocks on a keyboard itself.

#include <string>

namespace corvane::model {

enum class MessageIcon { None, Information, Exclamation, Question, Error };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class Prompts
{
public:
    virtual ~Prompts() = default;

    // Shows `text` (UTF-8, lines separated by "\r\n") and returns the button chosen. `title`
    // empty means the program's own title.
    virtual MessageAnswer showMessage(const std::string& text, MessageButtons buttons, MessageIcon icon,
                                      const std::string& title = {}) = 0;
};

} // namespace corvane::model
