#pragma once
// The error guard of the window procedures: an unexpected failure inside a command handler or
// an event handler stops that procedure only. The window shows the procedure's label (such as
// "frmMain_mnuFileOpen_Click") in a message box and stays usable; nothing is logged.

#include "model/prompts.h"

#include <functional>
#include <string_view>

namespace corvane::platform {

// Runs `procedure`; true when it finished. An exception escaping it is caught and reported with
// `label` as the whole message text (OK button, no icon).
bool runGuarded(std::string_view label, const std::function<void()>& procedure, model::Prompts& prompts);

// The same guard where nothing may be shown (the shutdown steps): a failure ends the procedure
// silently.
bool runSilently(const std::function<void()>& procedure);

} // namespace corvane::platform
