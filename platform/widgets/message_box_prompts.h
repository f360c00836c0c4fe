#pragma once
// Prompts shown as modal message boxes, with button captions in the current language.

#include "model/prompts.h"
#include "model/text_pair.h"

#include <functional>

class QWidget;

namespace corvane::platform {

class MessageBoxPrompts : public model::Prompts
{
public:
    using LanguageSource = std::function<model::Language()>;
    using ParentSource = std::function<QWidget*()>;

    MessageBoxPrompts(LanguageSource language, ParentSource parent);

    model::MessageAnswer showMessage(const std::string& text, model::MessageButtons buttons,
                                     model::MessageIcon icon, const std::string& title) override;

private:
    LanguageSource m_language;
    ParentSource m_parent;
};

} // namespace corvane::platform
