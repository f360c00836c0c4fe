#include "platform/widgets/error_guard.h"

#include <string>

namespace corvane::platform {

bool runGuarded(std::string_view label, const std::function<void()>& procedure, model::Prompts& prompts)
{
    try {
        procedure();
        return true;
    } catch (...) {
        // The label, not the exception's text: that is what the user can quote to support.
        try {
            prompts.showMessage(std::string(label), model::MessageButtons::Ok, model::MessageIcon::None);
        } catch (...) {
        }
        return false;
    }
}

bool runSilently(const std::function<void()>& procedure)
{
    try {
        procedure();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace corvane::platform
