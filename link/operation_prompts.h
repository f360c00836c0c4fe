#pragma once
// What the read, write and radio-information operations need from whoever runs them: the user's
// side (messages, the progress window, the password dialog) and the main window's side (editors,
// child windows, the port to use, the version hand-over). The same step machine drives the
// windows of Corvane, the command-line tool and the tests through these two interfaces; the core
// never opens a window itself.

#include "link/frames.h"
#include "model/prompts.h"
#include "model/text_pair.h"
#include "model/version_table.h"

#include <functional>
#include <optional>
#include <string>

namespace corvane::link {

class OperationPrompts : public model::Prompts
{
public:
    // The progress window of a Read or Write in `language`: caption, label, bar at 0 and "0%".
    // `onOpened` must run exactly once, when the window is open; the operation's first greeting
    // goes out from there. A windowed shell shows the window modally and returns only after
    // closeProgress() (its nested event loop carries the operation); a shell without windows
    // calls `onOpened` and returns at once, and its clock drives the rest.
    virtual void openProgress(LinkOperation operation, model::Language language, std::function<void()> onOpened) = 0;
    // Bar and label to `percent` (0..100), shown as "N%".
    virtual void updateProgress(int percent) = 0;
    // Closes the progress window; this ends its modal loop. Called at most once per opening.
    virtual void closeProgress() = 0;
    // The password dialog, modal, opened with `enteredPassword` in the field. The field's text
    // after OK; nothing after Cancel.
    virtual std::optional<std::string> askPassword(const std::string& enteredPassword, model::Language language) = 0;
};

class OperationShell
{
public:
    virtual ~OperationShell() = default;
    // The port an operation opens (the configured one, a device name or the virtual radio).
    virtual std::string portId() = 0;
    // Every open editor commits the value of its focused control (before a write).
    virtual void commitEditors() {}
    // Closes every child window of the main window, without questions.
    virtual void closeChildWindows() {}
    // After a successful read, while range warnings are suppressed: refresh the main window's
    // title and texts ("new.dat"), open the channel grid, cascade the child windows.
    virtual void showReadDocument() {}
    // After a successful radio-information read: the radio-information window, modally.
    virtual void showRadioInformation() {}
    // The version table and what a hand-over to another program version needs. The operations
    // set its closeSerialPort themselves.
    virtual model::HandOverContext handOverContext() = 0;
};

} // namespace corvane::link
